#include "ui/bitmap_piece.h"

#include "framework/gdi.h"
#include "framework/resource_text.h"

namespace quillon {

bool DrawBitmapPieces(HDC dc, UINT bitmapId, std::span<const BitmapPiece> pieces) {
  GdiObject<HBITMAP> bitmap(
      static_cast<HBITMAP>(::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(bitmapId),
                                        IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!bitmap) return false;
  BITMAP size{};
  ::GetObjectW(bitmap, sizeof(size), &size);
  MemoryDC source(dc);
  if (!source) return false;
  SelectObjectScope select(source, bitmap);
  bool complete = true;
  for (const BitmapPiece& piece : pieces) {
    if (piece.dest.Empty()) continue;
    const auto clipped = ClipPieceToBitmap(piece, size.bmWidth, size.bmHeight);
    if (!clipped) {
      complete = false;
      continue;
    }
    complete = clipped->dest == piece.dest && complete;
    const PixelRect& to = clipped->dest;
    ::BitBlt(dc, to.left, to.top, to.Width(), to.Height(), source, clipped->sourceX,
             clipped->sourceY, SRCCOPY);
  }
  return complete;
}

bool DrawBitmapPiece(HDC dc, UINT bitmapId, int sourceX, int sourceY, int left, int top, int right,
                     int bottom) {
  const BitmapPiece piece{sourceX, sourceY, {left, top, right, bottom}};
  return DrawBitmapPieces(dc, bitmapId, {&piece, 1});
}

}  // namespace quillon
