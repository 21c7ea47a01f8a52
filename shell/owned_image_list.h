// An image list the program creates and destroys itself (not the shell's shared one).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/gdi.h"

namespace quillon {

namespace detail {
inline void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }
}  // namespace detail

using OwnedImageList = UniqueHandle<HIMAGELIST, detail::DestroyImageList>;

}  // namespace quillon
