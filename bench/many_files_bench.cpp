// Many files at once on the real main window under Wine:
//   add     1,000 dropped files tagged together: from OK in the Edit Tags dialog to the
//           listed result (one write, with its progress window)
//   remove  2,000 selected files removed: from the command to the listed result
// and, for each, the longest time the window did not answer: a second thread sends it an
// empty message every few milliseconds and keeps the longest wait for the answer.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "bench/wine_bench.h"
#include "framework/message_box.h"
#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {
namespace {

constexpr unsigned kAdded = 1000;
constexpr unsigned kRemoved = 2000;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The longest wait for `window` to answer while it lives.
class AnswerProbe {
 public:
  explicit AnswerProbe(HWND window)
      : thread_([this, window] {
          while (!stop_) {
            const auto start = Clock::now();
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
            longest_ = std::max(longest_.load(), MillisecondsSince(start));
            ::Sleep(2);
          }
          finished_ = true;
        }) {}
  ~AnswerProbe() { Stop(); }
  // Answers the probe's last message while it ends.
  double Stop() {
    stop_ = true;
    while (!finished_) {
      bench::Pump();
      ::Sleep(1);
    }
    if (thread_.joinable()) thread_.join();
    return longest_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::atomic<double> longest_{0};
  std::thread thread_;
};

BOOL CALLBACK FindEditDialog(HWND window, LPARAM found) {
  auto* dialog = dynamic_cast<CDialog*>(CWindow::FromHandle(window));
  if (dialog && dialog->TemplateId() == IDD_EDIT_FILE && !dialog->Ended() &&
      ::IsWindowEnabled(window)) {
    *reinterpret_cast<CDialog**>(found) = dialog;
    return FALSE;
  }
  return TRUE;
}

Clock::time_point okPressed;

// Presses OK in the Edit Tags dialog for all the files once it is open, with a tag typed.
void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD) {
  CDialog* dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindEditDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  ::KillTimer(nullptr, timer);
  dialog->SetItemText(IDC_ADD_TAGS, u"holiday");
  okPressed = Clock::now();
  ::SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

int Run() {
  const bench::BenchFolder benchFolder("quillon-many-bench");
  const std::filesystem::path& folder = benchFolder.Path();
  if (!bench::MakeCatalogue(folder, kRemoved, [](unsigned i, FileRecord& file) {
        file.Path = u"C:\\Old";
        file.FileName = u"old " + bench::Number(i) + u".txt";
        file.Tags = u"old;";
      })) {
    std::fprintf(stderr, "many_files_bench: cannot make the catalogue\n");
    return 1;
  }
  std::filesystem::create_directories(folder / "photos");
  for (unsigned i = 0; i < kAdded; ++i) {
    std::ofstream(folder / "photos" / ("photo " + std::to_string(i) + ".jpg")) << "jpg";
  }
  // Each box is answered at once, handling what is queued as a real box's own loop would.
  int boxes = 0;
  SetMessageBoxHandler([&](const MessageBoxRequest&) {
    bench::Pump();
    return ++boxes, IDYES;
  });

  CQuillonApp app(folder.u16string());
  app.InitInstance();
  CQuillonDlg window(app);
  if (!window.Create(nullptr)) return 1;
  bench::PumpUntil([&] { return app.Loading().Finished(); });
  const HWND list = window.Item(IDC_FILE_LIST);

  // The question (Yes: together), the dialog, and the box saying how many were added.
  AnswerProbe addProbe(window.Handle());
  ::SetTimer(nullptr, 0, 10, &PressOk);
  static_cast<MainWindowPort&>(window).AddFiles({(folder / "photos").u16string()}, u"");
  ::UpdateWindow(list);
  const double add = MillisecondsSince(okPressed);
  const double addLongest = addProbe.Stop();
  const auto listedAfterAdd = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);

  window.ListFiles(u"old;");
  ListView_SetItemState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
  bench::Pump();
  AnswerProbe removeProbe(window.Handle());
  const auto removeStart = Clock::now();
  ::SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(ID_LIST_REMOVE, 0), 0);
  ::UpdateWindow(list);
  const double remove = MillisecondsSince(removeStart);
  const double removeLongest = removeProbe.Stop();
  const auto listedAfterRemove = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);

  std::printf("add %u files together, OK to listed result:  %.0f ms (listed %ld)\n", kAdded, add,
              static_cast<long>(listedAfterAdd));
  std::printf("  longest time the window did not answer:    %.0f ms\n", addLongest);
  std::printf("remove %u files, command to listed result:   %.0f ms (listed %ld)\n", kRemoved,
              remove, static_cast<long>(listedAfterRemove));
  std::printf("  longest time the window did not answer:    %.0f ms\n", removeLongest);
  std::printf("message boxes: %d (question, result, remove confirmation)\n", boxes);
  window.Destroy();
  return listedAfterAdd == kAdded && listedAfterRemove == 0 && boxes == 3 ? 0 : 1;
}

}  // namespace
}  // namespace quillon

int main() { return quillon::Run(); }
