// The main window's file list with 10,000 catalogued files, under Wine: the real window on a
// real catalogue. Measures, each as the best of a few runs:
//   fill   showing 10,000 found records (rows, icons by file type, sort) without the search
//   list   ListFiles("*;"): the tag search and the fill, as F5 runs it
//   sort   a header click re-sorting the 10,000 rows
// and, for scale, the cost per row of a list that repaints after every inserted row.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "bench/wine_bench.h"
#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
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

using bench::BestMilliseconds;
using bench::Number;
using bench::Pump;

double Best(const std::function<void()>& work) { return BestMilliseconds(kRuns, [] {}, work); }

double Milliseconds(const std::function<void()>& work) { return BestMilliseconds(1, [] {}, work); }

void DescribeFile(unsigned i, FileRecord& file) {
  static std::mt19937 random(7);
  file.Path = u"C:\\Documents\\Folder " + Number(i % 97u);
  file.FileName = u"File " + Number(random() % 100000) + u"." + kTypes[i % std::size(kTypes)];
  file.Tags = u"tag" + Number(i % 50) + u";group" + Number(i % 7) + u";";
}

int Run() {
  const bench::BenchFolder benchFolder("quillon-list-bench");
  const std::filesystem::path& folder = benchFolder.Path();
  if (!bench::MakeCatalogue(folder, kFiles, &DescribeFile)) {
    std::fprintf(stderr, "list_fill_bench: cannot make the catalogue\n");
    return 1;
  }
  int boxes = 0;
  SetMessageBoxHandler([&](const MessageBoxRequest&) { return ++boxes, IDOK; });

  CQuillonApp app(folder.u16string());
  app.InitInstance();
  CQuillonDlg window(app);
  if (!window.Create(nullptr)) return 1;
  bench::PumpUntil([&] { return app.Loading().Finished(); });
  const HWND list = window.Item(IDC_FILE_LIST);
  const auto rows = [&] { return ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); };
  std::printf("rows listed at start: %ld\n", static_cast<long>(rows()));

  FileTable found;
  const std::uint32_t foundCount = SearchByTags(app.Database(), found, kAllFilesTagText);
  // Each measure ends with the list painted.
  const double fillOnly = Best([&] {
    FileTable table = found;
    // The loading thread's way in: a search made elsewhere, shown.
    static_cast<LoadingTarget&>(window).FilesReady(std::u16string(kAllFilesTagText),
                                                   std::move(table), foundCount);
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
  return boxes == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quillon

int main() { return quillon::Run(); }
