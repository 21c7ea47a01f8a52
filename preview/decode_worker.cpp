#include "preview/decode_worker.h"

#include <utility>

namespace quillon {

DecodeWorker::DecodeWorker(Decode decode, std::function<void()> ready)
    : decode_(std::move(decode)), ready_(std::move(ready)), thread_([this] { Run(); }) {}

DecodeWorker::~DecodeWorker() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    pending_.reset();
    wanted_ = 0;
  }
  wake_.notify_one();
  thread_.join();
}

std::uint64_t DecodeWorker::Request(ThumbnailKey key, std::string narrowPath) {
  std::uint64_t ticket = 0;
  {
    const std::lock_guard lock(mutex_);
    ticket = ++lastTicket_;
    pending_ = Job{ticket, std::move(key), std::move(narrowPath)};
    wanted_ = ticket;
  }
  wake_.notify_one();
  return ticket;
}

void DecodeWorker::Abandon() {
  const std::lock_guard lock(mutex_);
  pending_.reset();
  wanted_ = 0;
}

std::vector<DecodeWorker::Result> DecodeWorker::TakeResults() {
  const std::lock_guard lock(mutex_);
  return std::exchange(results_, {});
}

void DecodeWorker::Run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
      if (stopping_) return;
      job = std::move(*pending_);
      pending_.reset();
    }
    const std::uint64_t ticket = job.ticket;
    const std::function<bool()> abandoned = [this, ticket] { return wanted_ != ticket; };
    Thumbnail thumbnail = decode_(job.narrowPath, abandoned);
    // A decode stopped half-way says nothing about the file: it is not kept.
    if (abandoned() && !thumbnail.picture) continue;
    {
      const std::lock_guard lock(mutex_);
      results_.push_back(Result{ticket, std::move(job.key), std::move(thumbnail)});
    }
    ready_();
  }
}

}  // namespace quillon
