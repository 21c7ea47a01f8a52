#include "shell/app/moved_file_search.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <utility>

#include "catalogue/tag_database.h"
#include "relocate/file_probe.h"

namespace quillon {
namespace {

// How long the program's end waits for a search to notice it should stop.
constexpr DWORD kStopWaitMilliseconds = 1000;

// The search's connection says nothing: it runs unseen and tries again next time.
class SilentReporter final : public CatalogueReporter {
 public:
  void ReportDatabaseError(const std::u16string&) override {}
  void ReportReadError(const std::u16string&) override {}
};

// Called every few hundred files: a moment's pause lets the window's thread have the processor
// and the wineserver, since Wine gives a thread of lower priority no less time than others.
void PauseNowAndThen(std::size_t, std::size_t) { ::Sleep(1); }

}  // namespace

struct MovedFileSearch::Shared {
  std::mutex mutex;
  std::u16string cataloguePath;
  HWND window = nullptr;
  UINT doneMessage = 0;
  bool wanted = false;   // a search was asked for since the last one started
  bool running = false;  // a thread runs searches while they are wanted
  std::vector<RelocationResult> results;
  TagDatabase* connection = nullptr;  // the running search's, for Stop to interrupt
  std::atomic<bool> stop{false};

  // Runs searches while they are wanted; false once stopped.
  void RunWanted() {
    for (;;) {
      std::unique_lock lock(mutex);
      if (!wanted || stop) {
        running = false;
        return;
      }
      wanted = false;
      const std::u16string path = cataloguePath;
      const HWND target = window;
      const UINT message = doneMessage;
      lock.unlock();

      SilentReporter silent;
      TagDatabase db;
      db.SetReporter(&silent);
      lock.lock();
      connection = &db;
      lock.unlock();
      RelocationResult result;
      const bool opened = !stop && db.Open(path) != 0;
      if (opened) result = RunRelocationPass(db, *MakeSystemProbe(), stop, false, {}, PauseNowAndThen);
      lock.lock();
      connection = nullptr;
      if (opened && !stop) {
        results.push_back(std::move(result));
        ::PostMessageW(target, message, 0, 0);
      }
    }
  }
};

MovedFileSearch::MovedFileSearch() : shared_(std::make_shared<Shared>()) {}

MovedFileSearch::~MovedFileSearch() { Stop(); }

DWORD WINAPI MovedFileSearch::ThreadMain(void* parameter) {
  const std::unique_ptr<std::shared_ptr<Shared>> shared(
      static_cast<std::shared_ptr<Shared>*>(parameter));
  try {
    (*shared)->RunWanted();
  } catch (const std::exception&) {
    // Out of memory: no result, and the next request starts a thread again.
    const std::lock_guard lock((*shared)->mutex);
    (*shared)->connection = nullptr;
    (*shared)->running = false;
  }
  return 0;
}

void MovedFileSearch::Request(const std::u16string& cataloguePath, HWND window,
                              UINT doneMessage) {
  const std::lock_guard lock(shared_->mutex);
  shared_->cataloguePath = cataloguePath;
  shared_->window = window;
  shared_->doneMessage = doneMessage;
  shared_->wanted = true;
  if (shared_->running || shared_->stop) return;  // the running thread takes it up
  auto owned = std::make_unique<std::shared_ptr<Shared>>(shared_);
  const HANDLE thread = ::CreateThread(nullptr, 0, &ThreadMain, owned.get(), 0, nullptr);
  if (!thread) return;
  owned.release();  // the thread's now
  // Typing in the quick bar and the lists come first: the search has no hurry.
  ::SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
  shared_->running = true;
  thread_.Reset(thread);
}

std::vector<RelocationResult> MovedFileSearch::TakeResults() {
  const std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->results, {});
}

void MovedFileSearch::Stop() {
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
    if (shared_->connection) shared_->connection->Interrupt();
  }
  if (thread_) ::WaitForSingleObject(thread_, kStopWaitMilliseconds);
}

}  // namespace quillon
