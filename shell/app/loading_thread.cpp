#include "shell/app/loading_thread.h"

#include <exception>
#include <functional>
#include <memory>

#include "catalogue/folder_store.h"
#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "framework/window.h"
#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/loading_target.h"

namespace quillon {
namespace {

struct LoadJob {
  CQuillonApp* app;
  LoadingTarget* target;
  const std::atomic<bool>* stopping;

  // Carries `change` out on the target window's thread and waits for it; nothing happens once
  // the load is being stopped or when the window has gone in the meantime.
  void ChangeTarget(const std::function<void(LoadingTarget&)>& change) const {
    if (*stopping) return;
    const HWND window = target->LoadingWindow();
    RunOnWindowThread(window, [&] {
      if (CWindow::FromHandle(window)) change(*target);
    });
  }

  void ShowLoadFailed() const {
    if (!*stopping) target->LoadFailed();
  }

  void ShowInUse() const {
    if (*stopping) return;
    ShowError(target->LoadingWindow(), LoadResourceString(IDS_CATALOGUE_IN_USE),
              kApplicationTitle);
  }
};

void Load(const LoadJob& job) {
  CQuillonApp& app = *job.app;
  job.ChangeTarget([](LoadingTarget& target) { target.LoadingShown(); });
  const bool opened = app.Database().Open(app.CataloguePath()) != 0;
  if (!opened && app.Database().LastOpenFailure() == OpenFailure::kInUse) {
    // Nothing can be read yet: say why, once, and let F5 load it when it is free.
    job.ChangeTarget([](LoadingTarget& target) { target.CatalogueInUse(); });
    job.ShowInUse();
    return;
  }
  // Whatever the outcome: the window shows what could be read.
  const RootFolder root = ReadFolderRows(app.Database(), app.Folders());
  job.ChangeTarget([&](LoadingTarget& target) {
    app.SetRootFolderId(root.id);
    target.FoldersReady(root.index);
  });
  // The search runs here; the window thread only shows its result.
  FileTable everything;
  const std::uint32_t found = SearchByTags(app.Database(), everything, kAllFilesTagText);
  job.ChangeTarget([&](LoadingTarget& target) {
    target.FilesReady(std::u16string(kAllFilesTagText), std::move(everything), found);
  });
  if (!opened) {
    job.ShowLoadFailed();  // the status line keeps "Loading..."
    return;
  }
  job.ChangeTarget([](LoadingTarget& target) { target.Ready(); });
}

DWORD WINAPI LoadingThreadMain(void* parameter) {
  const std::unique_ptr<LoadJob> job(static_cast<LoadJob*>(parameter));
  try {
    Load(*job);
  } catch (const std::exception&) {
    job->ShowLoadFailed();  // out of memory: the load failed like any other
  }
  return 0;
}

}  // namespace

LoadingThread::~LoadingThread() { Stop(); }

void LoadingThread::Stop() {
  if (Finished()) return;
  stopping_ = true;
  if (app_ != nullptr) app_->Database().Interrupt();
  // The thread may be waiting for this thread to carry out a window request: serve those
  // until it has ended.
  HANDLE thread = thread_;
  while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

bool LoadingThread::Start(CQuillonApp& app, LoadingTarget& target) {
  app_ = &app;
  stopping_ = false;
  auto job = std::make_unique<LoadJob>(LoadJob{&app, &target, &stopping_});
  HANDLE thread = ::CreateThread(nullptr, 0, &LoadingThreadMain, job.get(), 0, nullptr);
  if (!thread) return false;
  job.release();  // the thread owns it now
  thread_.Reset(thread);
  return true;
}

bool LoadingThread::Finished() const {
  return !thread_ || ::WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0;
}

}  // namespace quillon
