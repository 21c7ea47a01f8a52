// What the quick bar sees of the program: the application's catalogue and data folder, and the
// main window's port while it runs. The application object owns one and hands it to its quick bar.
#pragma once

#include "quick/quick_host.h"

namespace quillon {

class CQuillonApp;
class MainWindowPort;

class AppQuickBarHost final : public QuickBarHost, public CatalogueContext {
 public:
  explicit AppQuickBarHost(CQuillonApp& app) : app_(app) {}

  // QuickBarHost. Before the main window runs there is nothing to list or show.
  CatalogueContext& Catalogue() override { return *this; }
  std::u16string DataFolder() const override;
  std::u16string CurrentFilter() const override;
  void ListFiles(const std::u16string& tagText) override;
  void SetSearchBoxText(const std::u16string& text) override;
  void AddFiles(const std::vector<std::u16string>& paths,
                const std::u16string& proposedTags) override;
  CPreviewPage* Preview() override;
  const MissingFiles* Missing() override;

  // CatalogueContext: the application's catalogue, the main window's filter and help.
  TagDatabase& Database() override;
  FolderTable& Folders() override;
  std::int32_t RootFolderId() const override;
  void SetCurrentFilter(const std::u16string& tagText) override;
  void OpenHelpFile() override;
  HWND MainWindow() const override;

 private:
  MainWindowPort* Window() const;

  CQuillonApp& app_;
};

}  // namespace quillon
