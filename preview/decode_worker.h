// The one thread that decodes the preview's pictures, so that the window's thread never waits
// for a decode. It works on the most recent request only: a new request abandons the decode
// running for the old one, whose result (when the decode could not stop in time) is still
// handed back under its own ticket, to be kept but never shown for another file.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "preview/thumbnail_cache.h"

namespace quillon {

class DecodeWorker {
 public:
  // Decodes one file; asks `abandoned` while it runs.
  using Decode = std::function<Thumbnail(const std::string& narrowPath,
                                         const std::function<bool()>& abandoned)>;
  struct Result {
    std::uint64_t ticket = 0;
    ThumbnailKey key;
    Thumbnail thumbnail;
  };

  // `ready` runs on the worker's thread after each decode that was not abandoned before it
  // began; the owner then takes the results on its own thread.
  DecodeWorker(Decode decode, std::function<void()> ready);
  DecodeWorker(const DecodeWorker&) = delete;
  DecodeWorker& operator=(const DecodeWorker&) = delete;
  // Abandons what runs and waits for the thread to end.
  ~DecodeWorker();

  // Decodes `narrowPath` next, abandoning any earlier request; the ticket names its result.
  std::uint64_t Request(ThumbnailKey key, std::string narrowPath);
  // Abandons every request.
  void Abandon();
  std::vector<Result> TakeResults();

 private:
  struct Job {
    std::uint64_t ticket = 0;
    ThumbnailKey key;
    std::string narrowPath;
  };
  void Run();

  Decode decode_;
  std::function<void()> ready_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Job> pending_;
  std::vector<Result> results_;
  bool stopping_ = false;
  std::uint64_t lastTicket_ = 0;
  std::atomic<std::uint64_t> wanted_{0};  // the ticket still wanted; 0: none
  std::thread thread_;                    // last: starts once everything above exists
};

}  // namespace quillon
