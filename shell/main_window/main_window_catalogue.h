// What the editing dialogs opened from the main window see of the program: the host's catalogue
// and folders, and the main window's current filter and help through its port.
#pragma once

#include "dialogs/catalogue_context.h"

namespace quillon {

class MainWindowHost;
class MainWindowPort;

class MainWindowCatalogue final : public CatalogueContext {
 public:
  MainWindowCatalogue(MainWindowHost& host, MainWindowPort& window)
      : host_(host), window_(window) {}

  TagDatabase& Database() override;
  FolderTable& Folders() override;
  std::int32_t RootFolderId() const override;
  void SetCurrentFilter(const std::u16string& tagText) override;
  void OpenHelpFile() override;
  HWND MainWindow() const override;

 private:
  MainWindowHost& host_;
  MainWindowPort& window_;
};

}  // namespace quillon
