// A process-wide function that tests replace: the program's message box and its shell requests
// each keep theirs in one slot, read and replaced safely from any thread.
//
//   HandlerSlot<MessageBoxHandler>& Slot() { static HandlerSlot<MessageBoxHandler> slot; ... }
//   if (const MessageBoxHandler handler = Slot().Get()) return handler(box);   // replaced
#pragma once

#include <mutex>
#include <utility>

namespace quillon {

template <class Handler>
class HandlerSlot {
 public:
  // A copy, so the caller runs it outside the lock (a message box waits, and may nest).
  Handler Get() const {
    std::lock_guard<std::mutex> guard(lock_);
    return handler_;
  }
  // Installs `handler` (empty: the real thing) and returns the one it replaces.
  Handler Replace(Handler handler) {
    std::lock_guard<std::mutex> guard(lock_);
    return std::exchange(handler_, std::move(handler));
  }

 private:
  mutable std::mutex lock_;
  Handler handler_;
};

}  // namespace quillon
