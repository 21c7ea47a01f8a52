// How long the catalogue waits for another program that holds data.dat.
//
// One user action runs many statements, and each would wait on its own. Instead the waits share
// one budget: the first statement that meets the lock waits up to kBudgetMs, and once that has
// run out the statements after it fail at once, until one gets through. The failure is reported
// once for a run of failures, so an action shows one message and never freezes the window for
// more than the budget in all. A search run while the user types waits far less, and reports
// once for a whole episode of the lock (until a statement gets through), not once per key.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace quillon {

class BusyWait {
 public:
  static constexpr std::int64_t kBudgetMs = 5000;
  // Failures closer together than this belong to the same action and are reported once.
  static constexpr std::int64_t kSameActionMs = 1000;
  static constexpr int kStepMs = 20;
  static constexpr std::int64_t kTypingBudgetMs = 250;

  using Clock = std::function<std::int64_t()>;    // milliseconds
  using Sleep = std::function<void(int)>;          // milliseconds

  BusyWait();
  // Tests run the waits on a clock of their own.
  void SetClock(Clock now, Sleep sleep);

  // The file is locked by another program: waits a step and returns true to try again, or
  // false when the budget has run out (or the program is ending).
  bool TryAgain();
  // A statement got through: the next lock starts a fresh budget.
  void Succeeded() {
    waiting_ = false;
    episodeReported_ = false;
  }
  // A statement failed on the lock: true when this failure is the one to report. Call
  // FailureHandled() once the report (perhaps a message box) is over.
  bool ShouldReport();
  void FailureHandled();
  // Never wait again: the program is ending.
  void Stop() { stopped_ = true; }
  bool Stopped() const { return stopped_; }
  // Set while a search runs for each key the user types (see TypingWait).
  void SetTyping(bool typing) { typing_ = typing; }

 private:
  void StartIfNew(std::int64_t now);

  Clock now_;
  Sleep sleep_;
  bool waiting_ = false;       // a run of lock failures is going on
  std::int64_t deadline_ = 0;  // the end of its budget
  bool failed_ = false;        // a statement of the run has failed, at lastFailure_
  std::int64_t lastFailure_ = 0;
  bool reported_ = false;
  bool episodeReported_ = false;  // since the last statement that got through
  bool typing_ = false;
  std::atomic<bool> stopped_{false};
};

// The waits of a search run while the user types, for the life of this object.
class TypingWait {
 public:
  explicit TypingWait(BusyWait& busy) : busy_(busy) { busy_.SetTyping(true); }
  ~TypingWait() { busy_.SetTyping(false); }
  TypingWait(const TypingWait&) = delete;
  TypingWait& operator=(const TypingWait&) = delete;

 private:
  BusyWait& busy_;
};

}  // namespace quillon
