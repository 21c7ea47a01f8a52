// What the editing dialogs opened from the main window see of the program: the application's
// catalogue and folders, and the main window's current filter and help.
#pragma once

#include "dialogs/catalogue_context.h"

namespace quillon {

class CQuillonDlg;

class MainWindowCatalogue final : public CatalogueContext {
 public:
  explicit MainWindowCatalogue(CQuillonDlg& window) : window_(window) {}

  TagDatabase& Database() override;
  FolderTable& Folders() override;
  std::int32_t RootFolderId() const override;
  void SetCurrentFilter(const std::u16string& tagText) override;
  void OpenHelpFile() override;
  HWND MainWindow() const override;

 private:
  CQuillonDlg& window_;
};

}  // namespace quillon
