#include "catalogue/busy_wait.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace quillon {

BusyWait::BusyWait()
    : now_([] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
      }),
      sleep_([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {}

void BusyWait::SetClock(Clock now, Sleep sleep) {
  now_ = std::move(now);
  sleep_ = std::move(sleep);
}

void BusyWait::StartIfNew(std::int64_t now) {
  // A failure long after the last one belongs to a new action, which gets a wait of its own.
  if (waiting_ && !(failed_ && now - lastFailure_ > kSameActionMs)) return;
  waiting_ = true;
  failed_ = false;
  deadline_ = now + (typing_ ? kTypingBudgetMs : kBudgetMs);
  reported_ = false;
}

bool BusyWait::TryAgain() {
  if (stopped_) return false;
  const std::int64_t now = now_();
  StartIfNew(now);
  if (now >= deadline_) return false;
  sleep_(static_cast<int>(std::min<std::int64_t>(kStepMs, deadline_ - now)));
  return true;
}

bool BusyWait::ShouldReport() {
  if (stopped_) return false;
  StartIfNew(now_());
  if (reported_ || (typing_ && episodeReported_)) return false;
  reported_ = true;
  episodeReported_ = true;
  return true;
}

void BusyWait::FailureHandled() {
  failed_ = true;
  lastFailure_ = now_();
  deadline_ = std::min(deadline_, lastFailure_);  // the budget of this action is spent
}

}  // namespace quillon
