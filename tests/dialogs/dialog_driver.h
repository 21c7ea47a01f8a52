// Drives the editing dialogs for real under Wine: a catalogue context over a temporary
// catalogue, real files on disk, and the input a user gives (typing, clicks, Enter, drops).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/catalogue_context.h"
#include "framework/dialog.h"
#include "temp_catalogue.h"

namespace quillon::testing {

class TestContext : public CatalogueContext {
 public:
  TagDatabase& Database() override { return catalogue.Database(); }
  FolderTable& Folders() override { return catalogue.Folders(); }
  std::int32_t RootFolderId() const override { return catalogue.Root().id; }
  void SetCurrentFilter(const std::u16string& tagText) override { filter = tagText; }
  void OpenHelpFile() override { ++helpRequests; }
  HWND MainWindow() const override { return mainWindow; }

  // A real file (or folder) in the catalogue's temporary folder; its full path.
  std::u16string MakeFile(const std::u16string& name) const;
  std::u16string MakeFolder(const std::u16string& name) const;

  TempCatalogue catalogue;
  std::u16string filter = u"unchanged;";
  int helpRequests = 0;
  HWND mainWindow = nullptr;
};

// Creates `dialog` modeless and shows it, as a modal run would.
void Open(CDialog& dialog);

void Type(const CDialog& dialog, int id, const std::u16string& text);
void Click(const CDialog& dialog, int id);
// A key pressed with the focus in control `id`, through the framework's message loop.
void PressKey(const CDialog& dialog, int id, WPARAM key);
void Escape(const CDialog& dialog);

std::vector<std::u16string> ListItems(const CDialog& dialog);
void SelectItems(const CDialog& dialog, const std::vector<int>& items);

}  // namespace quillon::testing
