#include "tests/support/windows_test_support.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

#include "framework/dialog.h"

namespace quillon::testing {

void PumpPending() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ProcessMessage(message);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!done()) {
    if (::GetTickCount64() >= end) return done();
    // Wakes for posted and sent messages (a worker's SendMessage) as well as input.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    PumpPending();
  }
  return true;
}

void PointerTo(HWND window, POINT client) {
  ::ClientToScreen(window, &client);
  ::SetCursorPos(client.x, client.y);
}

void SendDroppedFiles(HWND window, const std::vector<std::u16string>& paths, POINT point) {
  // DROPFILES followed by the wide paths, each terminated, and a final terminator.
  std::size_t units = 1;
  for (const std::u16string& path : paths) units += path.size() + 1;
  HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + units * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = point;
  header->fNC = FALSE;
  header->fWide = TRUE;
  auto* text = reinterpret_cast<char16_t*>(header + 1);
  for (const std::u16string& path : paths) {
    std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(char16_t));
    text += path.size() + 1;
  }
  *text = u'\0';
  ::GlobalUnlock(memory);
  // The receiver's DragFinish frees the block.
  ::SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void InitCommonControlsForTests() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    return ::InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)done;
}

}  // namespace quillon::testing
