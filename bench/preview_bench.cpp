// The hover preview under Wine: a list of 10,000 catalogued files with the owners' hover side
// and the real popup. Measures
//   the cost of one pointer movement that stays over the same file (hit test, lookup, the
//   popup's two comparisons), beside the cost of finding the record by a scan of the table;
//   the time from a movement onto a new row to the painted popup, for a text file and for
//   pictures (first showing, and showing again one of the last few files).
//   preview_bench.exe <folder with photo-1mp.jpg photo-12mp.jpg picture-12mp.png picture-12mp.bmp>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/text_convert.h"
#include "catalogue/tables.h"
#include "files/preview_hover.h"
#include "framework/message_box.h"
#include "framework/wide.h"
#include "preview/preview_page.h"
#include "preview/thumbnail_cache.h"

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

  // Where the time of a first showing goes: the decoding alone, and the reduction.
  std::vector<double> decode;
  std::vector<double> reduce;
  for (std::size_t i = 1; i < sampleNames.size(); ++i) {
    const FileRecord record = files.GetFile(static_cast<std::int32_t>(i));
    std::unique_ptr<FCObjImage> picture;
    decode.push_back(Median([&] { picture = std::make_unique<FCObjImage>(); },
                            [&] { picture->LoadForRecord(record); }));
    const ImageRect fitted = FitThumbnail(picture->Width(), picture->Height(), 0);
    reduce.push_back(Median([] {}, [&] { ReducePicture(*picture, fitted.right - 10, fitted.bottom); }));
  }

  // Onto a new row: from the popup showing another file to this one painted. The rows are
  // the first ones, seen without scrolling.
  ::SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
  const POINT overOther = PointOfRow(list, 10);
  std::vector<POINT> overSample;
  for (std::size_t i = 0; i < sampleNames.size(); ++i) {
    overSample.push_back(PointOfRow(list, static_cast<int>(i)));
  }
  Pump();
  std::vector<double> first;
  std::vector<double> again;
  std::vector<bool> pictured;
  for (std::size_t i = 0; i < sampleNames.size(); ++i) {
    // A fresh popup each run: nothing kept from earlier showings.
    first.push_back(Median(
        [&] {
          hover.Hide();
          page = std::make_unique<CPreviewPage>();
          page->Create(nullptr);
          hover.Attach(list, files, page.get());
          hover.PointerMoved(overOther);
        },
        [&] {
          hover.PointerMoved(overSample[i]);
          ::GdiFlush();
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
    std::printf("preview: new row to painted popup, %-18s %7.1f ms first, %5.1f ms again%s\n",
                labels[i], first[i], again[i], i > 0 && !pictured[i] ? " (NO PICTURE)" : "");
  }
  for (std::size_t i = 1; i < sampleNames.size(); ++i) {
    std::printf("preview: of which decoding the %-18s %7.1f ms, reducing %5.1f ms\n",
                labels[i], decode[i - 1], reduce[i - 1]);
  }
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
