#include "dialog_driver.h"

#include <filesystem>
#include <fstream>

#include "framework/wide.h"
#include "resources/resource.h"

namespace quillon::testing {

std::u16string DialogTest::MakeFile(const std::u16string& name) const {
  const auto path = folder_.Path() / std::filesystem::path(name);
  std::ofstream(path) << "content";
  return path.u16string();
}

std::u16string DialogTest::MakeFolder(const std::u16string& name) const {
  const auto path = folder_.Path() / std::filesystem::path(name);
  std::filesystem::create_directory(path);
  return path.u16string();
}

std::vector<std::u16string> DialogTest::BoxTexts() const {
  std::vector<std::u16string> texts;
  for (const MessageBoxRequest& box : boxes.Boxes()) texts.push_back(box.text);
  return texts;
}

void Open(CDialog& dialog) {
  InitCommonControlsForTests();
  if (!dialog.Create(nullptr)) throw std::runtime_error("the dialog template did not load");
  ::SetForegroundWindow(dialog.Handle());
  PumpPending();
}

void Type(const CDialog& dialog, int id, const std::u16string& text) {
  dialog.SetItemText(id, text);
}

void Click(const CDialog& dialog, int id) {
  ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Item(id)));
  PumpPending();
}

void PressKey(const CDialog& dialog, int id, WPARAM key) {
  HWND control = dialog.Item(id);
  ::SetFocus(control);
  ::PostMessageW(control, WM_KEYDOWN, key, 1);
  ::PostMessageW(control, WM_KEYUP, key, 0xC0000001);
  PumpPending();
}

void Escape(const CDialog& dialog) { PressKey(dialog, IDC_ADD_TAGS, VK_ESCAPE); }

std::vector<std::u16string> ListItems(const CDialog& dialog) {
  HWND list = dialog.Item(IDC_TAG_LIST);
  std::vector<std::u16string> items;
  const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::vector<wchar_t> text(::SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1);
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    items.push_back(FromWide(text.data()));
  }
  return items;
}

void SelectItems(const CDialog& dialog, const std::vector<int>& items) {
  HWND list = dialog.Item(IDC_TAG_LIST);
  ::SendMessageW(list, LB_SETSEL, FALSE, -1);
  for (int item : items) ::SendMessageW(list, LB_SETSEL, TRUE, item);
}

}  // namespace quillon::testing
