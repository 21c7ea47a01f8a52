// CPreviewPage: the hover preview popup (template 196). While the pointer rests on a listed
// file it shows that file's icon, name, tags, comment and, for pictures, a reduced picture,
// next to the pointer. It never takes the focus or activation. The application object owns the
// one popup and creates it hidden at start-up (Create(nullptr)); the lists that show catalogued
// files reach it through a PreviewHover (files/preview_hover.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "catalogue/tables.h"
#include "files/missing_files.h"
#include "files/preview_popup.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "preview/decode_worker.h"
#include "preview/image/thumbnail_fit.h"
#include "preview/thumbnail_cache.h"

namespace quillon {

class CPreviewPage : public CDialog, public PreviewPopup {
 public:
  CPreviewPage();

  HWND PopupWindow() const override { return Handle(); }

  // Shows the popup for `record` beside the pointer (screen pixels), or does nothing when
  // that file (same FileName and Path) is the one shown last.
  void ShowFile(FileRecord record, std::int32_t pointerX, std::int32_t pointerY) override;
  // Forgets the file shown last and hides the popup; safe while hidden.
  void HidePreview() override;
  // The files known to be missing: the popup of one says so instead of looking for its
  // picture. The set outlives the popup; null knows of none.
  void ShowMissing(const MissingFiles* missing) { missing_ = missing; }
  // The file shown is one of them.
  bool ShowsMissingNote() const { return missingShown_; }

  // The record as shown (comment wrapped, name and tags shortened), and the key of the last
  // show (empty while hidden).
  const FileRecord& ShownRecord() const { return shown_; }
  const FileRecord& LastShown() const { return lastShown_; }
  // The picture arrives from the decode worker a moment after the show (a message to the
  // popup); the popup is laid out for it from the file's header at once.
  bool HasPicture() const { return thumbnail_.picture != nullptr; }
  // Posted by the decode worker when a picture is ready.
  static constexpr UINT kPictureReadyMessage = WM_APP + 21;

 protected:
  bool OnInitDialog() override;
  bool OnPaint() override;
  bool OnCtlColor(HDC dc, HWND control, UINT kind, HBRUSH& brush) override;
  bool OnAppMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The record's picture, reduced for the box, kept from an earlier show of the same file;
  // else its size from the file's header, the picture itself asked of the decode worker.
  Thumbnail LoadThumbnail(const FileRecord& record, const std::u16string& fullPath);
  // Hands the picture LoadThumbnail found missing to the decode worker, once the popup is
  // painted with its text: the decode must not delay that paint.
  void StartDecode();
  // Keeps what the worker decoded and shows the picture it was asked for last.
  void TakeDecodedPictures();
  void SetFileIcon(const std::u16string& fileName, const std::u16string& fullPath);

  const MissingFiles* missing_ = nullptr;
  bool missingShown_ = false;
  FileRecord shown_;
  FileRecord lastShown_;
  ImageRect windowRect_;
  Thumbnail thumbnail_;
  ThumbnailCache thumbnails_;
  std::uint64_t wantedTicket_ = 0;  // the decode whose picture this popup waits for; 0: none
  ThumbnailKey pendingKey_;         // the picture StartDecode asks for; none when the path is empty
  std::string pendingPath_;
  std::unique_ptr<DecodeWorker> decoder_;
  // The icons shown so far, by file type; released with the popup.
  std::unordered_map<std::u16string, OwnedIcon> iconsByType_;
  GdiObject<HBRUSH> background_;
  GdiObject<HFONT> labelFont_;
};

}  // namespace quillon
