#include "framework/message_box.h"

#include <mutex>
#include <utility>

#include "framework/wide.h"

namespace quillon {
namespace {

std::mutex& HandlerLock() {
  static std::mutex lock;
  return lock;
}

MessageBoxHandler& CurrentHandler() {
  static MessageBoxHandler handler;
  return handler;
}

int ShowPlatformBox(const MessageBoxRequest& box) {
  return ::MessageBoxW(box.owner, Wide(box.text),
                       box.caption.empty() ? nullptr : Wide(box.caption), box.flags);
}

}  // namespace

int ShowMessage(HWND owner, const std::u16string& text, const std::u16string& caption,
                UINT flags) {
  MessageBoxHandler handler;
  {
    std::lock_guard<std::mutex> guard(HandlerLock());
    handler = CurrentHandler();
  }
  const MessageBoxRequest box{owner, text, caption, flags};
  // The copy is called outside the lock: a box waits for the user, and may nest.
  return handler ? handler(box) : ShowPlatformBox(box);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard<std::mutex> guard(HandlerLock());
  return std::exchange(CurrentHandler(), std::move(handler));
}

}  // namespace quillon
