// The main window's skin: the frame and bands copied from bitmap resources on every paint,
// the lines around the tree and the list, and the program's icon while the window is iconic.
#include "framework/gdi.h"
#include "shell/quillon_app.h"
#include "shell/quillon_dlg.h"
#include "shell/skin_layout.h"
#include "shell/startup_rules.h"
#include "ui/bitmap_piece.h"

namespace quillon {

bool CQuillonDlg::OnPaint() {
  // Started from the autorun entry: only the first paint hides the window again.
  if (firstPaint_ && StartsHidden(app_.CommandLine())) {
    firstPaint_ = false;
    ::ShowWindow(Handle(), SW_HIDE);
  }
  PaintDC paint(Handle());  // the background was erased with the dialog's white brush
  if (::IsIconic(Handle())) {
    PaintIconic(paint);
  } else {
    PaintSkin(paint);
  }
  return true;
}

void CQuillonDlg::PaintSkin(HDC dc) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const int width = client.right;
  const int height = client.bottom;
  const MainWindowLayout layout = LayoutMainWindow(width, height, splitter_);
  for (const SkinPiece& skin : MainWindowSkinPieces(layout, width, height, splitter_)) {
    const PixelRect& to = skin.piece.dest;
    DrawBitmapPiece(dc, skin.bitmapId, skin.piece.sourceX, skin.piece.sourceY, to.left, to.top,
                    to.right, to.bottom);
  }
  for (const SkinFill& fill : MainWindowSkinFills(width, height, splitter_)) {
    const GdiObject<HBRUSH> brush(
        ::CreateSolidBrush(RGB(fill.colour.red, fill.colour.green, fill.colour.blue)));
    const RECT rect{fill.rect.left, fill.rect.top, fill.rect.right, fill.rect.bottom};
    ::FillRect(dc, &rect, brush);
  }
  // The status line draws on a hollow background: given its text again, it draws over the
  // freshly painted skin.
  SetStatusText(statusText_, false);
}

void CQuillonDlg::PaintIconic(HDC dc) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc, x, y, bigIcon_);
}

}  // namespace quillon
