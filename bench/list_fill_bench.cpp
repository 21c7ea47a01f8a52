// The main window's file list with 10,000 catalogued files, under Wine: the real window on a
// real catalogue. Measures, each as the best of a few runs:
//   fill   showing 10,000 found records (rows, icons by file type, sort) without the search
//   list   ListFiles("*;"): the tag search and the fill, as F5 runs it
//   sort   a header click re-sorting the 10,000 rows
// and, for scale, the cost per row of a list that repaints after every inserted row.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "catalogue/file_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
#include "base/text_convert.h"
#include "framework/message_box.h"
#include "resources/resource.h"
#include "shell/app/quillon_app.h"
#include "shell/main_window/quillon_dlg.h"

namespace quillon {
namespace {

constexpr int kFiles = 10000;
constexpr int kRuns = 3;
const char16_t* const kTypes[] = {u"txt", u"doc", u"pdf", u"png",  u"jpg", u"csv",  u"xls",
                                  u"zip", u"mp3", u"avi", u"html", u"exe", u"ini", u"log"};

using Clock = std::chrono::steady_clock;

double Milliseconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Best(const std::function<void()>& work) {
  double best = 1e12;
  for (int run = 0; run < kRuns; ++run) best = std::min(best, Milliseconds(work));
  return best;
}

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(message);
}

std::u16string Number(unsigned value) { return FromUtf8(std::to_string(value)); }

bool MakeCatalogue(const std::filesystem::path& folder) {
  const std::u16string path = (folder / "data.dat").u16string();
  if (!CreateCatalogue(path)) return false;
  TagDatabase db;
  if (db.Open(path) != 1) return false;
  std::mt19937 random(7);
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  for (int i = 0; i < kFiles; ++i) {
    FileRecord file;
    file.Path = u"C:\\Documents\\Folder " + Number(i % 97u);
    file.FileName = u"File " + Number(random() % 100000) + u"." + kTypes[i % std::size(kTypes)];
    file.Tags = u"tag" + Number(i % 50) + u";group" + Number(i % 7) + u";";
    if (!InsertFile(db, file)) return false;
  }
  return batch.Commit();
}

int Run() {
  const auto folder = std::filesystem::temp_directory_path() / "quillon-list-bench";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  if (!MakeCatalogue(folder)) {
    std::fprintf(stderr, "list_fill_bench: cannot make the catalogue\n");
    return 1;
  }
  int boxes = 0;
  SetMessageBoxHandler([&](const MessageBoxRequest&) { return ++boxes, IDOK; });

  CQuillonApp app(folder.u16string());
  app.InitInstance();
  CQuillonDlg window(app);
  if (!window.Create(nullptr)) return 1;
  while (!app.Loading().Finished()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  Pump();
  const HWND list = window.Item(IDC_FILE_LIST);
  const auto rows = [&] { return ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); };
  std::printf("rows listed at start: %ld\n", static_cast<long>(rows()));

  FileTable found;
  SearchByTags(app.Database(), found, kAllFilesTagText);
  // Each measure ends with the list painted.
  const double fillOnly = Best([&] {
    FileTable table = found;
    window.ListFoundFiles(std::u16string(kAllFilesTagText), std::move(table));
    ::UpdateWindow(list);
  });
  const double listing = Best([&] {
    window.ListFiles(std::u16string(kAllFilesTagText));
    ::UpdateWindow(list);
  });
  const double sort = Best([&] {
    NMLISTVIEW click{};
    click.hdr = NMHDR{list, IDC_FILE_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = 1;
    ::SendMessageW(window.Handle(), WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&click));
    ::UpdateWindow(list);
  });
  Pump();

  // For scale: rows inserted into the visible list one by one, each painted at once.
  ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  constexpr int kVisibleRows = 100;
  const double visible = Milliseconds([&] {
    for (int row = 0; row < kVisibleRows; ++row) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.pszText = const_cast<wchar_t*>(L"row");
      ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      ::UpdateWindow(list);
    }
  });

  std::printf("fill of %d rows (icons, sort, one paint): %.0f ms\n", kFiles, fillOnly);
  std::printf("ListFiles(\"*;\") with the tag search:    %.0f ms\n", listing);
  std::printf("header click re-sorting %d rows:       %.0f ms\n", kFiles, sort);
  std::printf("visible list, row by row:                %.2f ms a row (%d rows)\n",
              visible / kVisibleRows, kVisibleRows);
  std::printf("message boxes: %d\n", boxes);
  window.Destroy();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return boxes == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quillon

int main() { return quillon::Run(); }
