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

// Long enough for any load; short enough that a forgotten box does not hang the exit.
constexpr DWORD kEndWaitMs = 5000;

struct LoadJob {
  CQuillonApp* app;
  HWND window;
};

// Carries `change` out on the main window's thread and waits for it; nothing happens when
// the window has gone in the meantime.
void ChangeMainWindow(HWND window, const std::function<void(CQuillonDlg&)>& change) {
  RunOnWindowThread(window, [&] {
    if (auto* dialog = dynamic_cast<CQuillonDlg*>(CWindow::FromHandle(window))) change(*dialog);
  });
}

void ShowLoadFailed(HWND window) {
  ShowError(window, LoadResourceString(IDS_LOAD_FAILED), LoadResourceString(IDS_QUIT_CAPTION));
}

void Load(CQuillonApp& app, HWND window) {
  ChangeMainWindow(window, [](CQuillonDlg& dialog) {
    dialog.SetStatusText(LoadResourceString(IDS_LOADING), true);
  });
  const bool opened = app.Database().Open(app.CataloguePath()) != 0;
  // Whatever the outcome: the window shows what could be read.
  const RootFolder root = ReadFolderRows(app.Database(), app.Folders());
  ChangeMainWindow(window, [&](CQuillonDlg& dialog) {
    app.SetRootFolderId(root.id);
    dialog.SetRootFolderIndex(root.index);
    dialog.FillFolderTree();
  });
  // The search runs here; the window thread only shows its result.
  FileTable everything;
  SearchByTags(app.Database(), everything, kAllFilesTagText);
  ChangeMainWindow(window, [&](CQuillonDlg& dialog) {
    dialog.ListFoundFiles(std::u16string(kAllFilesTagText), std::move(everything));
  });
  if (!opened) {
    ShowLoadFailed(window);  // the status line keeps "Loading..."
    return;
  }
  ChangeMainWindow(window, [](CQuillonDlg& dialog) {
    dialog.SetStatusText(LoadResourceString(IDS_READY), true);
  });
}

DWORD WINAPI LoadingThreadMain(void* parameter) {
  const std::unique_ptr<LoadJob> job(static_cast<LoadJob*>(parameter));
  try {
    Load(*job->app, job->window);
  } catch (const std::exception&) {
    ShowLoadFailed(job->window);  // out of memory: the load failed like any other
  }
  return 0;
}

}  // namespace

LoadingThread::~LoadingThread() {
  if (thread_) ::WaitForSingleObject(thread_, kEndWaitMs);
}

bool LoadingThread::Start(CQuillonApp& app, HWND mainWindow) {
  auto job = std::make_unique<LoadJob>(LoadJob{&app, mainWindow});
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
