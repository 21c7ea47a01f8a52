#include "shell/app/quick_bar_host.h"

#include "shell/app/quillon_app.h"
#include "shell/main_window/main_window_port.h"

namespace quillon {

MainWindowPort* AppQuickBarHost::Window() const { return app_.MainWindowSide(); }

std::u16string AppQuickBarHost::DataFolder() const { return app_.DataFolder(); }

std::u16string AppQuickBarHost::CurrentFilter() const {
  const MainWindowPort* window = Window();
  return window ? window->CurrentFilter() : std::u16string();
}

void AppQuickBarHost::ListFiles(const std::u16string& tagText) {
  if (MainWindowPort* window = Window()) window->ListFiles(tagText);
}

void AppQuickBarHost::SetSearchBoxText(const std::u16string& text) {
  if (MainWindowPort* window = Window()) window->SetSearchBoxText(text);
}

void AppQuickBarHost::AddFiles(const std::vector<std::u16string>& paths,
                               const std::u16string& proposedTags) {
  if (MainWindowPort* window = Window()) window->AddFiles(paths, proposedTags);
}

CPreviewPage* AppQuickBarHost::Preview() { return &app_.Preview(); }

const MissingFiles* AppQuickBarHost::Missing() { return &app_.Missing(); }

TagDatabase& AppQuickBarHost::Database() { return app_.Database(); }

FolderTable& AppQuickBarHost::Folders() { return app_.Folders(); }

std::int32_t AppQuickBarHost::RootFolderId() const { return app_.RootFolderId(); }

void AppQuickBarHost::SetCurrentFilter(const std::u16string& tagText) {
  if (MainWindowPort* window = Window()) window->SetCurrentFilter(tagText);
}

void AppQuickBarHost::OpenHelpFile() {
  if (MainWindowPort* window = Window()) window->OpenHelpFile();
}

HWND AppQuickBarHost::MainWindow() const { return app_.MainWindow(); }

}  // namespace quillon
