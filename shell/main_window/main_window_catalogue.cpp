#include "shell/main_window/main_window_catalogue.h"

#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {

TagDatabase& MainWindowCatalogue::Database() { return window_.App().Database(); }

FolderTable& MainWindowCatalogue::Folders() { return window_.App().Folders(); }

std::int32_t MainWindowCatalogue::RootFolderId() const { return window_.App().RootFolderId(); }

void MainWindowCatalogue::SetCurrentFilter(const std::u16string& tagText) {
  window_.SetCurrentFilter(tagText);
}

void MainWindowCatalogue::OpenHelpFile() { window_.OpenHelpFile(); }

HWND MainWindowCatalogue::MainWindow() const { return window_.Handle(); }

}  // namespace quillon

