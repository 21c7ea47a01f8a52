// The application object: one per process. It owns the catalogue connection, the folder
// table and the data folder, and runs the start-up and the main window's modal run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"
#include "preview/preview_page.h"
#include "quick/quick_bar.h"
#include "shell/app/loading_thread.h"
#include "shell/app/message_box_reporter.h"
#include "shell/app/quick_bar_host.h"

namespace quillon {

class CQuillonApp {
 public:
  // An empty `dataFolder` means the user's own: <application data>\Veldmark\Quillon.
  explicit CQuillonApp(std::u16string dataFolder = {});
  CQuillonApp(const CQuillonApp&) = delete;
  CQuillonApp& operator=(const CQuillonApp&) = delete;

  // The whole life of the program: InitInstance, then the main window's modal run. Returns
  // the process's exit code.
  int Run();
  // Start-up before the main window: common controls, the data folder and the hidden preview
  // popup (without owner).
  void InitInstance();

  TagDatabase& Database() { return database_; }
  FolderTable& Folders() { return folders_; }
  std::int32_t RootFolderId() const { return rootFolderId_; }
  void SetRootFolderId(std::int32_t id) { rootFolderId_ = id; }
  const std::u16string& DataFolder() const { return dataFolder_; }
  std::u16string CataloguePath() const;

  // The process's command line (its last character decides a hidden start); tests set it.
  const std::u16string& CommandLine() const { return commandLine_; }
  void SetCommandLine(std::u16string commandLine) { commandLine_ = std::move(commandLine); }

  // The main window for the modal run: it owns the catalogue's error boxes.
  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND window);

  LoadingThread& Loading() { return loading_; }

  // Creates the quick bar's window, hidden and without owner, before the main window exists.
  bool CreateQuickBar() { return quickBar_.Create(); }
  CQuickBar& QuickBar() { return quickBar_; }
  // The quick bar's window, once it has one; the main window shows, hides and places it.
  HWND QuickBarWindow() const { return quickBar_.Handle(); }

  // The hover preview popup, created hidden by InitInstance; the lists of files drive it.
  CPreviewPage& Preview() { return preview_; }

 private:
  MessageBoxReporter reporter_;  // before the connection that reports through it
  TagDatabase database_;
  FolderTable folders_;
  std::int32_t rootFolderId_ = 0;
  std::u16string dataFolder_;
  std::u16string commandLine_;
  HWND mainWindow_ = nullptr;
  AppQuickBarHost quickBarHost_{*this};
  CQuickBar quickBar_{quickBarHost_};
  CPreviewPage preview_;  // released before the quick bar, whose list shows it
  LoadingThread loading_;  // last: it ends before the members it reads are destroyed
};

}  // namespace quillon
