// The search for moved files as the main window sees it: started after the load and on F5,
// its results shown in both lists and the status line.
#include "framework/resource_text.h"
#include "quick/quick_bar.h"
#include "resources/resource.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {

void CQuillonDlg::SeekMovedFiles() { host_.SeekMovedFiles(Handle(), WM_MOVED_FILES); }

void CQuillonDlg::ApplyMovedFiles() {
  CQuickBar* quickBar = host_.RunningQuickBar();
  for (const RelocationResult& result : host_.TakeMovedFiles()) {
    // A search that could not read or write the catalogue knows nothing new: the next one
    // tries again.
    if (result.writeFailed) continue;
    // Replaced first: the lists draw their rows again with the new set.
    host_.Missing().Replace(result.missing);
    filesFoundAgain_ += result.moved.size();
    fileList_.ApplyMoves(result.moved);
    if (quickBar != nullptr) quickBar->Results().ApplyMoves(result.moved);
  }
  if (loaded_) ShowReadyStatus();
}

std::u16string CQuillonDlg::MovedFilesStatus() const {
  return CountedStatusText(LoadResourceString(IDS_STATUS_FOUND_AGAIN_ONE),
                           LoadResourceString(IDS_STATUS_FOUND_AGAIN), filesFoundAgain_) +
         CountedStatusText(LoadResourceString(IDS_STATUS_MISSING_ONE),
                           LoadResourceString(IDS_STATUS_MISSING), host_.Missing().Count());
}

}  // namespace quillon
