// What the quick bar and the editing dialogs opened from it need from the main window, which
// implements it. The application hands it on while the window runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillon {

class MainWindowPort {
 public:
  virtual ~MainWindowPort() = default;

  virtual HWND WindowHandle() const = 0;
  virtual std::u16string CurrentFilter() const = 0;
  // The caller lists it afterwards.
  virtual void SetCurrentFilter(const std::u16string& tagText) = 0;
  // Lists the files of a tag text and makes it the current filter.
  virtual void ListFiles(const std::u16string& tagText) = 0;
  virtual void SetSearchBoxText(const std::u16string& text) = 0;
  // Catalogues each of `paths` that is a file through the Edit Tags dialog, with
  // `proposedTags` proposed; other paths are skipped without a word.
  virtual void AddFiles(const std::vector<std::u16string>& paths,
                        const std::u16string& proposedTags) = 0;
  // help.chm of the data folder.
  virtual void OpenHelpFile() = 0;
};

}  // namespace quillon
