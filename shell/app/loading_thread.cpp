#include "shell/app/loading_thread.h"

#include <exception>
#include <functional>
#include <memory>

#include "catalogue/folder_store.h"
#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {
namespace {

struct LoadJob {
  CQuillonApp* app;
  HWND window;
  const std::atomic<bool>* stopping;

  // Carries `change` out on the main window's thread and waits for it; nothing happens once
  // the load is being stopped or when the window has gone in the meantime.
  void ChangeMainWindow(const std::function<void(CQuillonDlg&)>& change) const {
    if (*stopping) return;
    RunOnWindowThread(window, [&] {
      if (auto* dialog = dynamic_cast<CQuillonDlg*>(CWindow::FromHandle(window))) change(*dialog);
    });
  }

  void ShowLoadFailed() const {
    if (*stopping) return;
    ShowError(window, LoadResourceString(IDS_LOAD_FAILED), LoadResourceString(IDS_QUIT_CAPTION));
  }

  void ShowInUse() const {
    if (*stopping) return;
    ShowError(window, LoadResourceString(IDS_CATALOGUE_IN_USE), kApplicationTitle);
  }
};

void Load(const LoadJob& job) {
  CQuillonApp& app = *job.app;
  job.ChangeMainWindow([](CQuillonDlg& dialog) {
    dialog.SetStatusText(LoadResourceString(IDS_LOADING), true);
  });
  const bool opened = app.Database().Open(app.CataloguePath()) != 0;
  if (!opened && app.Database().LastOpenFailure() == OpenFailure::kInUse) {
    // Nothing can be read yet: say why, once, and let F5 load it when it is free.
    job.ChangeMainWindow([](CQuillonDlg& dialog) { dialog.ShowInUseStatus(); });
    job.ShowInUse();
    return;
  }
  // Whatever the outcome: the window shows what could be read.
  const RootFolder root = ReadFolderRows(app.Database(), app.Folders());
  job.ChangeMainWindow([&](CQuillonDlg& dialog) {
    app.SetRootFolderId(root.id);
    dialog.SetRootFolderIndex(root.index);
    dialog.FillFolderTree();
  });
  // The search runs here; the window thread only shows its result.
  FileTable everything;
  const std::uint32_t found = SearchByTags(app.Database(), everything, kAllFilesTagText);
  job.ChangeMainWindow([&](CQuillonDlg& dialog) {
    dialog.ListFoundFiles(std::u16string(kAllFilesTagText), std::move(everything), found);
  });
  if (!opened) {
    job.ShowLoadFailed();  // the status line keeps "Loading..."
    return;
  }
  job.ChangeMainWindow([](CQuillonDlg& dialog) { dialog.ShowReadyStatus(); });
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

bool LoadingThread::Start(CQuillonApp& app, HWND mainWindow) {
  app_ = &app;
  stopping_ = false;
  auto job = std::make_unique<LoadJob>(LoadJob{&app, mainWindow, &stopping_});
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
