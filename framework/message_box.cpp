#include "framework/message_box.h"

#include "framework/handler_slot.h"
#include "framework/resource_text.h"
#include "framework/wide.h"

namespace quillon {
namespace {

HandlerSlot<MessageBoxHandler>& Slot() {
  static HandlerSlot<MessageBoxHandler> slot;
  return slot;
}

int ShowPlatformBox(const MessageBoxRequest& box) {
  return ::MessageBoxW(box.owner, Wide(box.text),
                       box.caption.empty() ? nullptr : Wide(box.caption), box.flags);
}

}  // namespace

int ShowMessage(HWND owner, const std::u16string& text, const std::u16string& caption,
                UINT flags) {
  const MessageBoxRequest box{owner, text, caption, flags};
  const MessageBoxHandler handler = Slot().Get();
  return handler ? handler(box) : ShowPlatformBox(box);
}

void ShowInformation(HWND owner, const std::u16string& text, const std::u16string& caption) {
  ShowMessage(owner, text, caption, MB_OK | MB_ICONINFORMATION);
}

void ShowInformation(HWND owner, UINT textId) {
  ShowInformation(owner, LoadResourceString(textId));
}

bool AskYesNo(HWND owner, const std::u16string& question, const std::u16string& caption) {
  return ShowMessage(owner, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ShowError(HWND owner, const std::u16string& text, const std::u16string& caption) {
  ShowMessage(owner, text, caption, MB_OK | MB_ICONERROR);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  return Slot().Replace(std::move(handler));
}

}  // namespace quillon
