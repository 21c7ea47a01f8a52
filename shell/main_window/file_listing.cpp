// The file list of the main window: the files of the current filter, the search box, the
// status line's count, and what the list's commands do to the window.
#include <windows.h>
#include <commctrl.h>

#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "preview/preview_page.h"
#include "resources/resource.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {

// Report view with small icons, each by its file's type; header clicks sort.
const FileListPaneStyle CQuillonDlg::kFileListStyle = {
    LVSIL_SMALL, true, 100, false, true, IDR_MENU_FILES, IDR_MENU_LIST,
};

void CQuillonDlg::InitFileList() {
  fileList_.Attach(Handle(), Item(IDC_FILE_LIST), &host_.Preview());
  fileList_.ShowMissing(&host_.Missing());
}

void CQuillonDlg::ListFiles(const std::u16string& tagText) {
  const std::u16string filter = ListingFilter(tagText);
  TagDatabase& db = host_.Database();
  std::uint32_t found = 0;
  const ReadAccess access =
      ReadInOneSnapshot(db, [&] { found = SearchByTags(db, fileList_.Files(), filter); });
  if (access != ReadAccess::kReadable) {
    // The list keeps what it showed; the status line says why it did not change.
    if (access == ReadAccess::kInUse) ShowInUseStatus();
    return;
  }
  filesFound_ = found;
  filesFoundAgain_ = 0;
  ShowFileListing(filter);
  if (loaded_) ShowReadyStatus();
}

void CQuillonDlg::Refresh() {
  // A catalogue that another program held at start is loaded once it is free.
  TagDatabase& db = host_.Database();
  if (!db.IsOpen() && db.LastOpenFailure() == OpenFailure::kInUse) {
    host_.StartLoading(*this);
    return;
  }
  ListFiles(CurrentFilter());
  if (loaded_) SeekMovedFiles();
}

void CQuillonDlg::LoadingShown() { SetStatusText(LoadResourceString(IDS_LOADING), true); }

void CQuillonDlg::FilesReady(const std::u16string& tagText, FileTable&& found,
                             std::uint32_t foundCount) {
  fileList_.Files() = std::move(found);
  filesFound_ = foundCount;
  ShowFileListing(ListingFilter(tagText));
}

void CQuillonDlg::Ready() {
  loaded_ = true;
  ShowReadyStatus();
  SeekMovedFiles();  // after "Ready", never before it
  // Posted: this runs inside the loading thread's request, which the files' dialogs would hold.
  if (!handedFiles_.empty()) ::PostMessageW(Handle(), WM_HANDED_FILES, 0, 0);
}

void CQuillonDlg::LoadFailed() {
  ShowError(Handle(), LoadResourceString(IDS_LOAD_FAILED), LoadResourceString(IDS_QUIT_CAPTION));
}

void CQuillonDlg::ShowReadyStatus() {
  const std::u16string text =
      ReadyStatusText(LoadResourceString(IDS_READY), Files().Count(), filesFound_) +
      MovedFilesStatus();
  if (text != StatusText()) SetStatusText(text, true);
}

void CQuillonDlg::CatalogueInUse() { ShowInUseStatus(); }

void CQuillonDlg::ShowInUseStatus() {
  const std::u16string text = LoadResourceString(IDS_STATUS_IN_USE);
  if (text != StatusText()) SetStatusText(text, true);
}

void CQuillonDlg::ShowFileListing(const std::u16string& filter) {
  if (ShowsInSearchBox(filter)) SetItemText(IDC_SEARCH_BOX, filter);
  currentFilter_ = filter;
  fileList_.Show();
}

void CQuillonDlg::PaneFilesChanged(bool changed) {
  if (changed) ListFiles(currentFilter_);
}

void CQuillonDlg::PaneSameTags(const std::u16string& tags) {
  SetItemText(IDC_SEARCH_BOX, tags);
  ListFiles(tags);
}

void CQuillonDlg::SetSearchBoxText(const std::u16string& text) {
  SetItemText(IDC_SEARCH_BOX, text);
}

void CQuillonDlg::RunSearchBox() { ListFiles(NormalizeTagText(ItemText(IDC_SEARCH_BOX))); }

bool CQuillonDlg::OnNotify(int id, NMHDR& header, LRESULT& result) {
  // Tree and list tell of clicks the same way whether they speak ANSI or Unicode.
  const UINT code = header.code;
  if (id == IDC_FOLDER_TREE) {
    if (code == TVN_SELCHANGEDW || code == TVN_SELCHANGEDA) {
      OnFolderSelected();
      return true;
    }
    if (code == NM_RCLICK) {
      OnTreeRightClick();
      result = TRUE;  // no default context menu
      return true;
    }
  } else if (id == IDC_FILE_LIST) {
    return fileList_.OnNotify(header, result);
  }
  return false;
}

}  // namespace quillon
