// The application object: one per process. It owns the catalogue connection, the folder
// table and the data folder, and runs the start-up and the main window's modal run. The main
// window meets it as its host, the quick bar through the main window's port.
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
#include "shell/app/moved_file_search.h"
#include "shell/app/quick_bar_host.h"
#include "shell/main_window/main_window_host.h"

namespace quillon {

class CQuillonApp final : public MainWindowHost {
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

  TagDatabase& Database() override { return database_; }
  FolderTable& Folders() override { return folders_; }
  std::int32_t RootFolderId() const override { return rootFolderId_; }
  void SetRootFolderId(std::int32_t id) { rootFolderId_ = id; }
  const std::u16string& DataFolder() const override { return dataFolder_; }
  std::u16string CataloguePath() const;

  // The process's command line (its last character decides a hidden start); tests set it.
  const std::u16string& CommandLine() const override { return commandLine_; }
  void SetCommandLine(std::u16string commandLine) { commandLine_ = std::move(commandLine); }

  // The main window while it runs; null before and after. It owns the catalogue's error boxes.
  HWND MainWindow() const;
  MainWindowPort* MainWindowSide() const { return mainWindow_; }
  void MainWindowOpened(MainWindowPort& window) override;
  void MainWindowClosed(const MainWindowPort& window) override;

  LoadingThread& Loading() { return loading_; }
  void StartLoading(LoadingTarget& target) override {
    if (loading_.Finished()) loading_.Start(*this, target);
  }
  void StopLoading() override { loading_.Stop(); }

  void SeekMovedFiles(HWND window, UINT doneMessage) override {
    if (seeksMovedFiles_) movedFiles_.Request(CataloguePath(), window, doneMessage);
  }
  std::vector<RelocationResult> TakeMovedFiles() override { return movedFiles_.TakeResults(); }
  MissingFiles& Missing() override { return missing_; }
  // Off, the program never looks for moved files: for tests of everything else, whose
  // catalogues name files that were never there.
  void SetSeeksMovedFiles(bool on) { seeksMovedFiles_ = on; }

  // Creates the quick bar's window, hidden and without owner, before the main window exists.
  bool CreateQuickBar() { return quickBar_.Create(); }
  CQuickBar& QuickBar() { return quickBar_; }
  // The quick bar's window, once it has one; the main window shows, hides and places it.
  HWND QuickBarWindow() const { return quickBar_.Handle(); }
  CQuickBar* RunningQuickBar() override { return quickBar_.Handle() ? &quickBar_ : nullptr; }

  // The hover preview popup, created hidden by InitInstance; the lists of files drive it.
  CPreviewPage& Preview() override { return preview_; }

 private:
  MessageBoxReporter reporter_;  // before the connection that reports through it
  TagDatabase database_;
  FolderTable folders_;
  std::int32_t rootFolderId_ = 0;
  std::u16string dataFolder_;
  std::u16string commandLine_;
  MainWindowPort* mainWindow_ = nullptr;
  AppQuickBarHost quickBarHost_{*this};
  CQuickBar quickBar_{quickBarHost_};
  MissingFiles missing_;  // before the windows that read it
  CPreviewPage preview_;  // released before the quick bar, whose list shows it
  bool seeksMovedFiles_ = true;
  MovedFileSearch movedFiles_;
  LoadingThread loading_;  // last: it ends before the members it reads are destroyed
};

}  // namespace quillon
