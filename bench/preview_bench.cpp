// The hover preview under Wine: a list of 10,000 catalogued files with the owners' hover side
// and the real popup. Measures
//   the cost of one pointer movement that stays over the same file (hit test, lookup, the
//   popup's two comparisons), beside the cost of finding the record by a scan of the table;
//   the time from a movement onto a new row to the painted popup with its text, and to its
//   picture painted (first showing, and showing again one of the last files), for a text
//   file and for pictures, the longest the window's thread is busy meanwhile, the decode
//   worker's time for each picture, and the memory a 12 MP JPEG costs above the idle size.
//   preview_bench.exe <folder with photo-1mp.jpg photo-12mp.jpg picture-12mp.png picture-12mp.bmp>
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/text_convert.h"
#include "catalogue/tables.h"
#include "files/preview_hover.h"
#include "framework/message_box.h"
#include "framework/wide.h"
#include "preview/preview_page.h"
#include "preview/image/platform_path.h"
#include "preview/thumbnail_cache.h"
#include "preview/thumbnail_decode.h"

namespace quillon {
namespace {

constexpr int kRows = 10000;
constexpr int kMovements = 20000;
constexpr int kRuns = 5;

using Clock = std::chrono::steady_clock;

double Milliseconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The median of a few runs, each prepared by `before` outside the measure.
double Median(const std::function<void()>& before, const std::function<void()>& work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    before();
    times.push_back(Milliseconds(work));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// Pumps the window thread's messages until the popup has its picture (or 5 s passed); returns
// the longest the thread was busy at one stretch meanwhile.
double WaitForPicture(const CPreviewPage& page) {
  double longest = 0;
  const auto end = Clock::now() + std::chrono::seconds(5);
  while (!page.HasPicture() && Clock::now() < end) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    longest = std::max(longest, Milliseconds([&] {
      ::SendMessageW(page.Handle(), WM_NULL, 0, 0);
      Pump();
    }));
  }
  ::UpdateWindow(page.Handle());
  ::GdiFlush();
  return longest;
}

std::size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

// Megabytes above the idle working set at the peak of showing `record`, sampled every
// millisecond by another thread; measured before anything else has grown the heap.
double PeakMegabytesAbove(const FileRecord& record) {
  CPreviewPage page;
  if (!page.Create(nullptr)) return -1;
  Pump();
  const std::size_t idle = WorkingSet();
  std::atomic<bool> done{false};
  std::atomic<std::size_t> peak{idle};
  std::thread sampler([&] {
    while (!done) {
      peak = std::max<std::size_t>(peak, WorkingSet());
      ::Sleep(1);
    }
  });
  page.ShowFile(record, 300, 200);
  WaitForPicture(page);
  done = true;
  sampler.join();
  const bool pictured = page.HasPicture();
  page.Destroy();
  return pictured ? (static_cast<double>(peak) - static_cast<double>(idle)) / (1024.0 * 1024.0) : -1;
}

// A visible report-view list of the table's rows, as the file lists show them.
HWND MakeList(HWND parent, const FileTable& files) {
  const HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT,
                                      0, 0, 700, 500, parent, nullptr, nullptr, nullptr);
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNW header{};
    header.mask = LVCF_WIDTH;
    header.cx = 200;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
  }
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (std::uint32_t i = 0; i < files.Count(); ++i) {
    const FileRecord record = files.GetFile(static_cast<std::int32_t>(i));
    const std::u16string fullPath = record.FullPath();
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(Wide(record.FileName));
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = const_cast<wchar_t*>(Wide(fullPath));
    ::SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return list;
}

// The screen point over the middle of `row`, after scrolling it into view.
POINT PointOfRow(HWND list, int row) {
  ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  POINT point{bounds.left + 50, (bounds.top + bounds.bottom) / 2};
  ::ClientToScreen(list, &point);
  return point;
}

int Run(const std::u16string& samples) {
  int boxes = 0;
  SetMessageBoxHandler([&](const MessageBoxRequest&) { return ++boxes, IDOK; });
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  ::SetCursorPos(5, 5);

  // Rows 0 to 4 are the sample files; the rest are catalogued files that are not there.
  const std::vector<std::u16string> sampleNames = {u"notes.txt", u"photo-1mp.jpg",
                                                   u"photo-12mp.jpg", u"picture-12mp.png",
                                                   u"picture-12mp.bmp"};
  FileRecord photo;
  photo.Path = samples;
  photo.FileName = sampleNames[2];
  const double photoMemory = PeakMegabytesAbove(photo);
  FileTable files;
  for (int i = 0; i < kRows; ++i) {
    FileRecord record;
    record.ID = i + 1;
    const bool sample = i < static_cast<int>(sampleNames.size());
    record.Path = sample ? samples : u"C:\\Documents\\Folder " + FromUtf8(std::to_string(i % 97));
    record.FileName = sample ? sampleNames[i] : u"File " + FromUtf8(std::to_string(i)) + u".txt";
    record.Tags = u"tag" + FromUtf8(std::to_string(i % 50)) + u";";
    record.Comment = i % 3 ? u"" : u"A comment of some length, about one line and a half.";
    files.Append(record);
  }

  const HWND host = ::CreateWindowExW(0, WC_STATICW, L"host", WS_POPUP | WS_VISIBLE, 0, 0, 700,
                                      500, nullptr, nullptr, nullptr, nullptr);
  const HWND list = MakeList(host, files);
  Pump();

  auto page = std::make_unique<CPreviewPage>();
  if (!page->Create(nullptr)) return 1;
  PreviewHover hover;
  const double index = Milliseconds([&] { hover.Attach(list, files, page.get()); });

  // Over the same file: everything after the first movement is the steady cost.
  const int middle = kRows / 2;
  const POINT overMiddle = PointOfRow(list, middle);
  Pump();
  hover.PointerMoved(overMiddle);
  const double sameFile = Milliseconds([&] {
    for (int i = 0; i < kMovements; ++i) hover.PointerMoved(overMiddle);
  });
  const std::u16string middlePath = files.GetFile(middle).FullPath();
  std::size_t found = 0;
  const double scan = Milliseconds([&] {
    for (int i = 0; i < 1000; ++i) found += files.FindFileByPath(middlePath).FileName.size();
  });

  if (found == 0) return 1;

  // The decode worker's part of a first showing: the file decoded and reduced for the box.
  std::vector<double> decode;
  for (std::size_t i = 1; i < sampleNames.size(); ++i) {
    std::string narrowPath;
    NarrowPathFor(files.GetFile(static_cast<std::int32_t>(i)).FullPath(), narrowPath);
    decode.push_back(Median([] {}, [&] { DecodeThumbnail(narrowPath, {}); }));
  }

  // Onto a new row: from the popup showing another file to this one painted, with its text,
  // then with its picture. The rows are the first ones, seen without scrolling.
  ::SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  const POINT overOther = PointOfRow(list, 10);
  std::vector<POINT> overSample;
  for (std::size_t i = 0; i < sampleNames.size(); ++i) {
    overSample.push_back(PointOfRow(list, static_cast<int>(i)));
  }
  Pump();
  std::vector<double> text;
  std::vector<double> first;
  std::vector<double> busy(sampleNames.size(), 0.0);
  std::vector<double> again;
  std::vector<bool> pictured;
  const auto freshPopup = [&] {
    // Nothing kept from earlier showings.
    hover.Hide();
    page = std::make_unique<CPreviewPage>();
    page->Create(nullptr);
    hover.Attach(list, files, page.get());
    hover.PointerMoved(overOther);
  };
  for (std::size_t i = 0; i < sampleNames.size(); ++i) {
    const bool picture = i > 0;
    text.push_back(Median(freshPopup, [&] {
      const double moved = Milliseconds([&] { hover.PointerMoved(overSample[i]); });
      busy[i] = std::max(busy[i], moved);
      ::GdiFlush();
    }));
    if (picture) WaitForPicture(*page);
    first.push_back(!picture ? text.back() : Median(freshPopup, [&] {
      hover.PointerMoved(overSample[i]);
      busy[i] = std::max(busy[i], WaitForPicture(*page));
    }));
    pictured.push_back(page->HasPicture());
    // Back to it after another file was shown.
    again.push_back(Median([&] { hover.PointerMoved(overOther); },
                           [&] {
                             hover.PointerMoved(overSample[i]);
                             ::GdiFlush();
                           }));
  }

  std::printf("preview: index of %d full paths built in %.1f ms\n", kRows, index);
  std::printf("preview: movement over the same file (10,000 rows): %.1f us\n",
              sameFile * 1000 / kMovements);
  // 1,000 scans took `scan` milliseconds: that many microseconds each.
  std::printf("preview: for scale, one scan of the table for that path: %.1f us\n", scan);
  const char* const labels[] = {"text file", "1 MP JPEG", "12 MP JPEG", "4,000 x 3,000 PNG",
                                "12 MP 24-bit BMP"};
  for (std::size_t i = 0; i < sampleNames.size(); ++i) {
    std::printf("preview: new row to popup with text, %-18s %6.1f ms; to picture %7.1f ms "
                "first, %5.1f ms again; window thread busy at most %5.1f ms%s\n",
                labels[i], text[i], first[i], again[i], busy[i],
                i > 0 && !pictured[i] ? " (NO PICTURE)" : "");
  }
  for (std::size_t i = 1; i < sampleNames.size(); ++i) {
    std::printf("preview: decode worker, %-18s %7.1f ms\n", labels[i], decode[i - 1]);
  }
  std::printf("preview: peak memory showing the 12 MP JPEG: %.1f MB above idle\n", photoMemory);
  std::printf("preview: message boxes: %d\n", boxes);
  page->Destroy();
  ::DestroyWindow(host);
  return boxes == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quillon

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: preview_bench <samples folder>\n");
    return 2;
  }
  return quillon::Run(quillon::FromWide(argv[1]));
}
