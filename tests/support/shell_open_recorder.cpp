#include "tests/support/shell_open_recorder.h"

#include <utility>

namespace quillon::testing {

ShellOpenRecorder::ShellOpenRecorder() {
  previous_ = SetShellOpenHandler([this](const ShellOpenRequest& request) {
    std::lock_guard<std::mutex> guard(lock_);
    requests_.push_back(request);
    return result_;
  });
}

ShellOpenRecorder::~ShellOpenRecorder() { SetShellOpenHandler(std::move(previous_)); }

void ShellOpenRecorder::SetResult(INT_PTR result) {
  std::lock_guard<std::mutex> guard(lock_);
  result_ = result;
}

std::vector<ShellOpenRequest> ShellOpenRecorder::Requests() const {
  std::lock_guard<std::mutex> guard(lock_);
  return requests_;
}

std::size_t ShellOpenRecorder::Count() const {
  std::lock_guard<std::mutex> guard(lock_);
  return requests_.size();
}

}  // namespace quillon::testing
