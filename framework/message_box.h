// The one message-box function of the program. Every box goes through ShowMessage, so tests
// can replace what it does (record text, caption and flags, and choose the answer). The
// program's boxes come in three kinds, each with its icon:
//
//   ShowInformation(hwnd, IDS_FILE_EXISTED);          // OK, information icon, default caption
//   if (AskYesNo(hwnd, text, u"Remove")) ...          // Yes/No, question icon
//   ShowError(hwnd, text, kApplicationTitle);         // OK, error icon: something failed
//
//   // in a test:
//   MessageBoxHandler previous = SetMessageBoxHandler(
//       [](const MessageBoxRequest& box) { seen.push_back(box); return IDYES; });
//
// An empty caption means the platform's default caption, as MessageBoxW with a null caption.
// The function may be called from any thread (the loading thread reports a failed load).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "resources/user_texts.h"

namespace quillon {

// The caption of the program's own error boxes.
inline const std::u16string kApplicationTitle = UserText(TEXT_APPLICATION_TITLE);

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::u16string text;
  std::u16string caption;
  UINT flags = MB_OK;
};

// Returns the button chosen (IDOK, IDYES, IDNO...).
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

int ShowMessage(HWND owner, const std::u16string& text, const std::u16string& caption = {},
                UINT flags = MB_OK);

void ShowInformation(HWND owner, const std::u16string& text, const std::u16string& caption = {});
// The text `textId` of the string table.
void ShowInformation(HWND owner, UINT textId);
// True when the user answered Yes.
bool AskYesNo(HWND owner, const std::u16string& question, const std::u16string& caption);
void ShowError(HWND owner, const std::u16string& text, const std::u16string& caption);

// Installs `handler` (empty: the real message box) and returns the one it replaces.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace quillon
