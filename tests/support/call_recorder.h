// Records every call of one of the program's replaceable functions (the message box, the
// shell's open requests) for its lifetime and answers each with a chosen value; thread-safe.
// MessageBoxRecorder and ShellOpenRecorder are the two kinds the tests use.
#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

namespace quillon::testing {

template <class Request, class Answer>
class CallRecorder {
 public:
  using Handler = std::function<Answer(const Request&)>;
  // The function that installs a handler and returns the one it replaces.
  using Install = Handler (*)(Handler);

  CallRecorder(Install install, Answer answer) : install_(install), answer_(answer) {
    previous_ = install_([this](const Request& call) {
      std::lock_guard<std::mutex> guard(lock_);
      calls_.push_back(call);
      return answer_;
    });
  }
  ~CallRecorder() { install_(std::move(previous_)); }
  CallRecorder(const CallRecorder&) = delete;
  CallRecorder& operator=(const CallRecorder&) = delete;

  // The value every later call returns.
  void SetAnswer(Answer answer) {
    std::lock_guard<std::mutex> guard(lock_);
    answer_ = answer;
  }
  std::vector<Request> Calls() const {
    std::lock_guard<std::mutex> guard(lock_);
    return calls_;
  }
  void Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    calls_.clear();
  }
  std::size_t Count() const {
    std::lock_guard<std::mutex> guard(lock_);
    return calls_.size();
  }

 private:
  Install install_;
  mutable std::mutex lock_;
  std::vector<Request> calls_;
  Answer answer_;
  Handler previous_;
};

}  // namespace quillon::testing
