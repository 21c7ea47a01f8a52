// The Edit Folder dialog (template 166): creates a virtual folder under the root folder (a
// record with an empty name, title "New Virtual Folder") or renames an existing folder and
// edits its tags. Writes only on OK; its default button is "Add".
//
//   CEditFolderDlg dialog(context, record, owner);   // owner may be null: the main window
//   if (dialog.Run() == IDOK) FillFolderTree();
#pragma once

#include <windows.h>

#include "catalogue/tables.h"
#include "dialogs/tag_list_dialog.h"

namespace quillon {

class CEditFolderDlg : public CTagListDialog {
 public:
  CEditFolderDlg(CatalogueContext& context, const FolderRecord& record, HWND owner = nullptr);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  FolderRecord record_;
  bool newFolder_;
};

}  // namespace quillon
