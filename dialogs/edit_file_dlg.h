// The Edit Tags dialog (template 143): adds a file to the catalogue (a record with ID -1, title
// "New File") or edits a catalogued file's path, tags and comment. Writes only on OK.
//
//   CEditFileDlg dialog(context, record, owner);   // owner may be null: the main window
//   dialog.Run();                                  // IDOK after the file was written
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "dialogs/tag_list_dialog.h"

namespace quillon {

class CEditFileDlg : public CTagListDialog {
 public:
  CEditFileDlg(CatalogueContext& context, const FileRecord& record, HWND owner = nullptr);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnDropFiles(const std::vector<std::u16string>& paths, POINT point) override;
  void OnOK() override;

 private:
  void Browse();

  FileRecord record_;
  bool newFile_;
  std::u16string startingPath_;
};

}  // namespace quillon
