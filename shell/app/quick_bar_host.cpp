#include "shell/app/quick_bar_host.h"

#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {

CQuillonDlg* AppQuickBarHost::Window() const {
  return dynamic_cast<CQuillonDlg*>(CWindow::FromHandle(app_.MainWindow()));
}

std::u16string AppQuickBarHost::DataFolder() const { return app_.DataFolder(); }

std::u16string AppQuickBarHost::CurrentFilter() const {
  const CQuillonDlg* window = Window();
  return window ? window->CurrentFilter() : std::u16string();
}

void AppQuickBarHost::ListFiles(const std::u16string& tagText) {
  if (CQuillonDlg* window = Window()) window->ListFiles(tagText);
}

void AppQuickBarHost::SetSearchBoxText(const std::u16string& text) {
  if (CQuillonDlg* window = Window()) window->SetItemText(IDC_SEARCH_BOX, text);
}

void AppQuickBarHost::AddFile(const std::u16string& path) {
  if (CQuillonDlg* window = Window()) window->AddFile(path);
}

void AppQuickBarHost::AddDroppedFiles(const std::vector<std::u16string>& paths) {
  if (CQuillonDlg* window = Window()) window->AddFilesWithCurrentFilter(paths);
}

CPreviewPage* AppQuickBarHost::Preview() { return &app_.Preview(); }

TagDatabase& AppQuickBarHost::Database() { return app_.Database(); }

FolderTable& AppQuickBarHost::Folders() { return app_.Folders(); }

std::int32_t AppQuickBarHost::RootFolderId() const { return app_.RootFolderId(); }

void AppQuickBarHost::SetCurrentFilter(const std::u16string& tagText) {
  if (CQuillonDlg* window = Window()) window->SetCurrentFilter(tagText);
}

void AppQuickBarHost::OpenHelpFile() {
  if (CQuillonDlg* window = Window()) window->OpenHelpFile();
}

HWND AppQuickBarHost::MainWindow() const { return app_.MainWindow(); }

}  // namespace quillon
