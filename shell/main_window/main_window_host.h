// What the main window needs from the application around it: the catalogue and its data
// folder, the preview popup, the quick bar and the loading thread. The application object
// implements it; the window never sees the application itself.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"
#include "files/missing_files.h"
#include "relocate/relocation_pass.h"

namespace quillon {

class CPreviewPage;
class CQuickBar;
class LoadingTarget;
class MainWindowPort;

class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;

  virtual TagDatabase& Database() = 0;
  virtual FolderTable& Folders() = 0;
  virtual std::int32_t RootFolderId() const = 0;
  virtual const std::u16string& DataFolder() const = 0;
  // The process's command line (its last character decides a hidden start).
  virtual const std::u16string& CommandLine() const = 0;
  virtual CPreviewPage& Preview() = 0;
  // The quick bar once it has a window; null before.
  virtual CQuickBar* RunningQuickBar() = 0;

  // The window opened: the catalogue's error boxes and the quick bar's requests go to it.
  virtual void MainWindowOpened(MainWindowPort& window) = 0;
  // The window goes; nothing reaches it any more.
  virtual void MainWindowClosed(const MainWindowPort& window) = 0;

  // Loads the catalogue for `target` on a thread of its own; nothing while a load runs.
  virtual void StartLoading(LoadingTarget& target) = 0;
  // Ends a load still under way and waits for its end.
  virtual void StopLoading() = 0;

  // Looks for catalogued files that were renamed or moved, away from the window's thread, and
  // posts `doneMessage` to `window` once it has re-pointed those it found; asked while it
  // runs, it looks once more afterwards.
  virtual void SeekMovedFiles(HWND window, UINT doneMessage) = 0;
  // What the searches found since the last call, oldest first.
  virtual std::vector<RelocationResult> TakeMovedFiles() = 0;
  // The files the last search could not find: the lists grey their rows, the preview says so.
  virtual MissingFiles& Missing() = 0;
};

}  // namespace quillon
