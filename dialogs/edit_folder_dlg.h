// The Edit Folder dialog (template 166): creates a virtual folder under the root folder (title
// "New Virtual Folder") or renames an existing folder and edits its tags. Writes only on OK;
// its default button is "Add". An existing folder may have no name yet (a row written by
// another program): it is still edited, never created anew.
//
//   CEditFolderDlg dialog(context, record, CEditFolderDlg::Mode::kExistingFolder);
//   if (dialog.Run() == IDOK) FillFolderTree();
#pragma once

#include <windows.h>

#include "catalogue/tables.h"
#include "dialogs/tag_list_dialog.h"

namespace quillon {

class CEditFolderDlg : public CTagListDialog {
 public:
  enum class Mode { kNewFolder, kExistingFolder };
  // `owner` may be null: the main window.
  CEditFolderDlg(CatalogueContext& context, const FolderRecord& record, Mode mode,
                 HWND owner = nullptr);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  FolderRecord record_;
  bool newFolder_;
};

}  // namespace quillon
