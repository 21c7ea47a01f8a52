// The Edit Tags dialog (template 143): adds a file to the catalogue (a record with ID -1, title
// "New File") or edits a catalogued file's path, tags and comment. Writes only on OK.
// Given several paths it adds them all with one set of tags and one comment (title
// "New Files", the path box saying how many, read-only), in one write: all or nothing.
//
//   CEditFileDlg dialog(context, record, owner);   // owner may be null: the main window
//   CEditFileDlg many(context, proposed, paths);   // proposed: a new record's Tags
//   dialog.Run();                                  // IDOK after the file(s) were written
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
  CEditFileDlg(CatalogueContext& context, const FileRecord& proposed,
               std::vector<std::u16string> paths, HWND owner = nullptr);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnDropFiles(const std::vector<std::u16string>& paths, POINT point) override;
  void OnOK() override;

 private:
  void Browse();
  bool ManyFiles() const { return !paths_.empty(); }
  // Stores every file of paths_ not yet catalogued with record_'s tags and comment, as one
  // unit; true when stored (and said how many), false when cancelled or failed.
  bool StoreMany();

  FileRecord record_;
  bool newFile_;
  std::u16string startingPath_;
  std::vector<std::u16string> paths_;
};

}  // namespace quillon
