#include "dialogs/tag_list_dialog.h"

#include "catalogue/tag_text.h"
#include "dialogs/tag_list_editing.h"
#include "framework/message_box.h"
#include "framework/resource_text.h"
#include "framework/wide.h"
#include "resources/resource.h"

namespace quillon {

CTagListDialog::CTagListDialog(int templateId, CatalogueContext& context, HWND owner)
    : CDialog(templateId), context_(context), owner_(owner) {}

INT_PTR CTagListDialog::Run() { return DoModal(owner_ ? owner_ : context_.MainWindow()); }

void CTagListDialog::FillTagList(const std::u16string& tagText) const {
  for (const std::u16string& tag : SplitTagUnits(tagText)) {
    ::SendDlgItemMessageW(Handle(), IDC_TAG_LIST, LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(Wide(tag)));
  }
}

std::vector<std::u16string> CTagListDialog::ListedTags() const {
  HWND list = Item(IDC_TAG_LIST);
  const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  std::vector<std::u16string> tags;
  for (LRESULT i = 0; i < count; ++i) {
    // LB_GETTEXT writes a terminator after the text: the buffer has room for it.
    std::u16string tag(::SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, u'\0');
    const auto copied = ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(tag.data()));
    tag.resize(copied > 0 ? copied : 0);
    tags.push_back(std::move(tag));
  }
  return tags;
}

void CTagListDialog::AddTypedTags() const {
  for (const std::u16string& tag : TagsToAdd(ListedTags(), ItemText(IDC_ADD_TAGS))) {
    ::SendDlgItemMessageW(Handle(), IDC_TAG_LIST, LB_INSERTSTRING, 0,
                          reinterpret_cast<LPARAM>(Wide(tag)));
  }
  SetItemText(IDC_ADD_TAGS, u"");
}

std::u16string CTagListDialog::JoinedTags() const { return JoinTags(ListedTags()); }

void CTagListDialog::DeleteSelectedTags() const {
  HWND list = Item(IDC_TAG_LIST);
  const auto selected = ::SendMessageW(list, LB_GETSELCOUNT, 0, 0);
  if (selected <= 0) {
    ShowInformation(Handle(), IDS_SELECT_TAG);
    return;
  }
  std::vector<int> items(selected);
  ::SendMessageW(list, LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()));
  // From the bottom up, so the positions still to delete stay where they are.
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    ::SendMessageW(list, LB_DELETESTRING, *item, 0);
  }
}

bool CTagListDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == IDC_BTN_ADD) {
    AddTypedTags();
    return true;
  }
  if (id == IDC_BTN_DELETE) {
    DeleteSelectedTags();
    return true;
  }
  return false;
}

bool CTagListDialog::PreTranslateMessage(MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_F1) {
    context_.OpenHelpFile();
    return true;
  }
  if (message.wParam == VK_RETURN && message.hwnd == Item(IDC_ADD_TAGS)) {
    if (ItemText(IDC_ADD_TAGS).empty()) {
      OnOK();
    } else {
      AddTypedTags();
    }
    return true;
  }
  return false;
}

}  // namespace quillon
