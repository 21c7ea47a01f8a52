// Drives the editing dialogs for real under Wine: a catalogue context over a temporary
// catalogue, real files on disk, and the input a user gives (typing, clicks, Enter, drops).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/catalogue_context.h"
#include "folder_catalogue_test.h"
#include "framework/dialog.h"
#include "tests/support/windows_test_support.h"
#include "resources/user_texts.h"

namespace quillon::testing {

inline constexpr char16_t kNeedTag[] = u"" TEXT_NEED_TAG;
inline constexpr char16_t kSelectTag[] = u"" TEXT_SELECT_TAG;

class TestContext : public CatalogueContext {
 public:
  TestContext(TagDatabase& db, FolderTable& folders, std::int32_t rootFolderId)
      : db_(db), folders_(folders), rootFolderId_(rootFolderId) {}

  TagDatabase& Database() override { return db_; }
  FolderTable& Folders() override { return folders_; }
  std::int32_t RootFolderId() const override { return rootFolderId_; }
  void SetCurrentFilter(const std::u16string& tagText) override { filter = tagText; }
  void OpenHelpFile() override { ++helpRequests; }
  HWND MainWindow() const override { return mainWindow; }

  std::u16string filter = u"unchanged;";
  int helpRequests = 0;
  HWND mainWindow = nullptr;

 private:
  TagDatabase& db_;
  FolderTable& folders_;
  std::int32_t rootFolderId_;
};

// A temporary catalogue, the context the dialogs see, and every message box recorded.
class DialogTest : public FolderCatalogueTest {
 protected:
  // A real file (or folder) in the test's temporary folder; its full path.
  std::u16string MakeFile(const std::u16string& name) const;
  std::u16string MakeFolder(const std::u16string& name) const;
  // The texts of the message boxes shown so far.
  std::vector<std::u16string> BoxTexts() const;

  TestContext context{db_, folders_, root_.id};
  MessageBoxRecorder boxes;
};

// Creates `dialog` modeless and active. It stays hidden: under Wine without a window manager
// hiding a shown window waits two seconds, and the dialog's keys work the same.
void Open(CDialog& dialog);

void Type(const CDialog& dialog, int id, const std::u16string& text);
void Click(const CDialog& dialog, int id);
// A key pressed with the focus in control `id`, through the framework's message loop.
void PressKey(const CDialog& dialog, int id, WPARAM key);
void Escape(const CDialog& dialog);

std::vector<std::u16string> ListItems(const CDialog& dialog);
void SelectItems(const CDialog& dialog, const std::vector<int>& items);

}  // namespace quillon::testing
