// The part of the Edit Tags and Edit Folder dialogs that edits a tag list: the Add Tags box
// (1012), "Add" (1014), the Tag List (1007), "Delete" (1046), Enter in the Add Tags box, and F1.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/catalogue_context.h"
#include "framework/dialog.h"

namespace quillon {

class CTagListDialog : public CDialog {
 public:
  // Runs the dialog modally, owned by `owner` or, without one, by the main window.
  INT_PTR Run();

  // Enter in the Add Tags box ("Add", or OK when the box is empty) and F1 (help), decided
  // before the dialog manager's own keys.
  bool PreTranslateMessage(MSG& message) override;

 protected:
  CTagListDialog(int templateId, CatalogueContext& context, HWND owner);

  // The list from a stored tag text: the text up to each ";" in turn, top to bottom.
  void FillTagList(const std::u16string& tagText) const;
  // "Add": the new tags of the Add Tags box go to the top of the list; the box is emptied.
  void AddTypedTags() const;
  // The list, top to bottom, each tag followed by ";".
  std::u16string JoinedTags() const;

  bool OnCommand(int id, int code, HWND control) override;

  CatalogueContext& context_;

 private:
  std::vector<std::u16string> ListedTags() const;
  void DeleteSelectedTags() const;

  HWND owner_;
};

}  // namespace quillon
