// A list-view control in report view that shows catalogued files: one row per FileRecord with
// the file name and its icon, the tags, and the full path, by which every command finds the
// row's record again. The main window's file list uses it; so can any other list of files.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/tables.h"

namespace quillon {

class FileListView {
 public:
  void Attach(HWND list) { list_ = list; }
  HWND Handle() const { return list_; }

  // Inserts "File Name", "Tags" and "Path", left aligned, with these widths in pixels.
  void AddColumns(const std::array<int, 3>& widths) const;
  void SetColumnWidth(int column, int width) const;

  // Replaces the rows by the table's records that are not deleted, in table order, each row
  // with the icon `iconOf` gives its record.
  void Fill(const FileTable& files, const std::function<int(const FileRecord&)>& iconOf) const;
  // Orders the rows by the texts of `column`: `order` turns the platform's locale-aware,
  // case-sensitive comparison of two texts into their order.
  void Sort(int column, const std::function<int(int)>& order) const;

  // The row showing the table's record `index` shows `record` instead: its name, icon and path.
  void ShowMoved(std::int32_t index, const FileRecord& record, int icon) const;

  int RowCount() const;
  std::u16string Text(int row, int column) const;
  int SelectedCount() const;
  // The full paths of the selected rows, top to bottom.
  std::vector<std::u16string> SelectedFullPaths() const;

 private:
  HWND list_ = nullptr;
};

// Stops a control from painting until the end of the scope, then paints it once: filling a
// visible list row by row costs about 20 ms a row under Wine.
class RedrawPause {
 public:
  explicit RedrawPause(HWND control);
  ~RedrawPause();
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  HWND control_;
};

}  // namespace quillon
