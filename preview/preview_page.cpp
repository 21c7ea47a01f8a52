#include "preview/preview_page.h"

#include <shellapi.h>

#include <utility>

#include "files/file_rules.h"
#include "framework/resource_text.h"
#include "framework/wide.h"
#include "preview/image/platform_path.h"
#include "preview/preview_layout.h"
#include "preview/thumbnail_decode.h"
#include "resources/resource.h"
#include "ui/gdi_bridge.h"

namespace quillon {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBorderColour = RGB(48, 175, 254);
constexpr COLORREF kRuleColour = RGB(173, 222, 242);
constexpr COLORREF kBandColour = RGB(229, 246, 255);

void FillRect(HDC dc, const ImageRect& area, COLORREF colour) {
  FillSolid(dc, PixelRect{area.left, area.top, area.right, area.bottom}, colour);
}

void DrawLabel(HDC dc, const ImageRect& at, const std::u16string& text) {
  ::SetBkColor(dc, kBandColour);
  ::SetBkMode(dc, OPAQUE);
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::TextOutW(dc, at.left, at.top, Wide(text), static_cast<int>(text.size()));
}

// A FILETIME-like pair as one number.
std::uint64_t Join(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

// Path, size, times and identity on the volume of a file that is there; false when it cannot
// be queried. Opened without access to its data, so a file in use by another program counts.
bool ThumbnailKeyOf(const std::u16string& fullPath, ThumbnailKey& key) {
  const HANDLE file = ::CreateFileW(Wide(fullPath), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  FILE_BASIC_INFO basic{};
  const bool known = ::GetFileInformationByHandle(file, &info) != FALSE;
  const bool changeKnown =
      ::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) != FALSE;
  ::CloseHandle(file);
  if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  key.path = fullPath;
  key.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
  key.modified = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
  key.created = Join(info.ftCreationTime.dwHighDateTime, info.ftCreationTime.dwLowDateTime);
  key.changed = changeKnown ? static_cast<std::uint64_t>(basic.ChangeTime.QuadPart) : 0;
  key.fileId = Join(info.nFileIndexHigh, info.nFileIndexLow) ^
               (std::uint64_t{info.dwVolumeSerialNumber} << 32);
  return true;
}

}  // namespace

CPreviewPage::CPreviewPage() : CDialog(IDD_PREVIEW) {}

bool CPreviewPage::OnInitDialog() {
  background_.Reset(::CreateSolidBrush(kWhite));
  labelFont_.Reset(::CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"Microsoft Sans Serif"));
  // A click on the popup must not take activation from the list under the pointer either, and
  // a popup that comes and goes with the pointer has no place in the task bar.
  const LONG_PTR extended = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, extended | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  const HWND popup = Handle();
  decoder_ = std::make_unique<DecodeWorker>(
      DecodeThumbnail, [popup] { ::PostMessageW(popup, kPictureReadyMessage, 0, 0); });
  return false;
}

void CPreviewPage::ShowFile(FileRecord record, std::int32_t pointerX, std::int32_t pointerY) {
  if (record.FileName == lastShown_.FileName && record.Path == lastShown_.Path) return;
  if (!Handle()) return;
  if (record.Comment.empty()) record.Comment = LoadResourceString(IDS_NO_COMMENT);
  const std::u16string fullPath = record.FullPath();
  missingShown_ = missing_ != nullptr && missing_->Contains(fullPath);
  thumbnail_ = LoadThumbnail(record, fullPath);
  // The worker decodes the picture while this thread lays out and paints the texts.
  StartDecode();
  lastShown_ = record;
  SetFileIcon(record.FileName, fullPath);

  const std::int32_t imageSection = missingShown_
                                        ? kMissingSectionHeight
                                        : ImageSectionHeight(thumbnail_.width, thumbnail_.height);
  const std::int32_t screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const std::int32_t screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  shown_ = std::move(record);
  shown_.Comment = LimitCommentLines(WrapComment(shown_.Comment),
                                     MaxCommentLines(screenHeight, imageSection));
  const PreviewLayout layout =
      LayoutPreview({pointerX, pointerY, cursor.x, screenWidth, screenHeight,
                     CountCommentLines(shown_.Comment), imageSection});
  windowRect_ = layout.window;
  shown_.FileName = ShortenForPreview(shown_.FileName, kShownNameLength);
  shown_.Tags = ShortenForPreview(shown_.Tags, kShownTagsLength);
  SetItemText(IDC_PREVIEW_NAME, shown_.FileName);
  SetItemText(IDC_PREVIEW_TAGS, shown_.Tags);
  SetItemText(IDC_PREVIEW_COMMENT, shown_.Comment);

  const ImageRect& comment = layout.comment;
  ::SetWindowPos(Item(IDC_PREVIEW_COMMENT), nullptr, comment.left, comment.top,
                 comment.right - comment.left, comment.bottom - comment.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::SetWindowPos(Handle(), nullptr, windowRect_.left, windowRect_.top,
                 windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // Repainted whole and at once: a popup shown a moment ago for another file must not show
  // pieces of it.
  ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  // Shown above whichever window it previews, the always-on-top result list included, and
  // never activated. Placed first among the topmost windows while it shows: Wine raises the
  // popup on the screen only when no visible window is ahead of it in its own order.
  ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::UpdateWindow(Handle());
}

void CPreviewPage::HidePreview() {
  lastShown_ = FileRecord{};
  wantedTicket_ = 0;
  if (decoder_) decoder_->Abandon();
  if (Handle()) ::ShowWindow(Handle(), SW_HIDE);
}

Thumbnail CPreviewPage::LoadThumbnail(const FileRecord& record, const std::u16string& fullPath) {
  wantedTicket_ = 0;
  pendingPath_.clear();
  if (decoder_) decoder_->Abandon();
  // Names that promise no picture, and files known to be missing, cost no file system query.
  ThumbnailKey key;
  if (missingShown_ || !HasPictureFileName(record.FileName) || !ThumbnailKeyOf(fullPath, key)) {
    return {};
  }
  if (const Thumbnail* kept = thumbnails_.Find(key)) return *kept;
  std::string narrowPath;
  if (!decoder_ || !NarrowPathFor(fullPath, narrowPath)) return {};
  const std::optional<PictureHeader> header = ReadPictureHeaderOf(narrowPath);
  if (!header) return {};
  pendingKey_ = std::move(key);
  pendingPath_ = std::move(narrowPath);
  Thumbnail pending;
  pending.width = header->ShownWidth();
  pending.height = header->ShownHeight();
  return pending;
}

void CPreviewPage::StartDecode() {
  if (pendingPath_.empty() || !decoder_) return;
  wantedTicket_ = decoder_->Request(std::move(pendingKey_), std::exchange(pendingPath_, {}));
}

void CPreviewPage::TakeDecodedPictures() {
  if (!decoder_) return;
  for (DecodeWorker::Result& result : decoder_->TakeResults()) {
    if (result.ticket == wantedTicket_ && result.thumbnail.picture) {
      // The popup keeps the size its header gave it (an icon's or an animation's first frame
      // may differ): the picture is drawn into the box laid out for it.
      thumbnail_.picture = result.thumbnail.picture;
      wantedTicket_ = 0;
      ::InvalidateRect(Handle(), nullptr, FALSE);
    }
    thumbnails_.Put(std::move(result.key), std::move(result.thumbnail));
  }
}

bool CPreviewPage::OnAppMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != kPictureReadyMessage) return false;
  TakeDecodedPictures();
  result = 0;
  return true;
}

void CPreviewPage::SetFileIcon(const std::u16string& fileName,
                               const std::u16string& fullPath) {
  // By the file's type alone, so one icon serves every file of a type: the file itself is
  // never opened, and a gone file still has its type's icon.
  OwnedIcon& icon = iconsByType_[FileTypeKey(fileName)];
  if (!icon) {
    SHFILEINFOW info{};
    ::SHGetFileInfoW(Wide(IconLookupName(fullPath)), 0, &info, sizeof(info),
                     SHGFI_ICON | SHGFI_USEFILEATTRIBUTES);
    icon.Reset(info.hIcon);
  }
  ::SendDlgItemMessageW(Handle(), IDC_PREVIEW_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(icon.Get()), 0);
}

bool CPreviewPage::OnPaint() {
  PaintDC dc(Handle());
  RECT client{};
  ::GetClientRect(Handle(), &client);
  RECT comment{};
  ::GetWindowRect(Item(IDC_PREVIEW_COMMENT), &comment);
  // The picture section is drawn from the header's size; the picture once it is decoded.
  const PreviewPaintPlan plan =
      PlanPreviewPaint(client.right, client.bottom, comment.bottom - comment.top,
                       thumbnail_.width, thumbnail_.height);
  for (const ImageRect& side : plan.border) FillRect(dc, side, kBorderColour);
  FillRect(dc, plan.commentRule, kRuleColour);
  FillRect(dc, plan.commentBand, kBandColour);
  SelectObjectScope font(dc, labelFont_);
  DrawLabel(dc, plan.commentLabel, LoadResourceString(IDS_LABEL_COMMENT));
  if (plan.hasPicture) {
    FillRect(dc, plan.pictureRule, kRuleColour);
    FillRect(dc, plan.pictureBand, kBandColour);
    DrawLabel(dc, plan.pictureLabel, LoadResourceString(IDS_LABEL_IMAGE_PREVIEW));
    for (const ImageRect& side : plan.frame) FillRect(dc, side, kRuleColour);
    if (thumbnail_.picture) thumbnail_.picture->Draw(dc, plan.picture);
  }
  if (missingShown_) {
    const MissingNotePlan note = PlanMissingNote(client.right, comment.bottom - comment.top);
    FillRect(dc, note.rule, kRuleColour);
    FillRect(dc, note.band, kBandColour);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    RECT text{note.text.left, note.text.top, note.text.right, note.text.bottom};
    ::DrawTextW(dc, Wide(LoadResourceString(IDS_PREVIEW_MISSING)), -1, &text,
                DT_WORDBREAK | DT_NOPREFIX);
  }
  return true;
}

bool CPreviewPage::OnCtlColor(HDC dc, HWND, UINT kind, HBRUSH& brush) {
  if (kind != WM_CTLCOLORDLG && kind != WM_CTLCOLORSTATIC) return false;
  if (kind == WM_CTLCOLORSTATIC) ::SetBkMode(dc, TRANSPARENT);
  brush = background_;
  return true;
}

}  // namespace quillon
