#include "shell/main_window/main_window_catalogue.h"

#include "shell/main_window/main_window_host.h"
#include "shell/main_window/main_window_port.h"

namespace quillon {

TagDatabase& MainWindowCatalogue::Database() { return host_.Database(); }

FolderTable& MainWindowCatalogue::Folders() { return host_.Folders(); }

std::int32_t MainWindowCatalogue::RootFolderId() const { return host_.RootFolderId(); }

void MainWindowCatalogue::SetCurrentFilter(const std::u16string& tagText) {
  window_.SetCurrentFilter(tagText);
}

void MainWindowCatalogue::OpenHelpFile() { window_.OpenHelpFile(); }

HWND MainWindowCatalogue::MainWindow() const { return window_.WindowHandle(); }

}  // namespace quillon
