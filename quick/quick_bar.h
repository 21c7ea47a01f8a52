// The quick bar (template 164): a small, always-on-top search bar without a task-bar button that
// searches the catalogue at every change of its box and keeps its result list glued above (or
// below) itself. Created hidden and without owner at start-up; the main window shows and hides
// it and has it store its place at a confirmed quit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/command_table.h"
#include "framework/dialog.h"
#include "quick/main_window_wait.h"
#include "quick/quick_host.h"
#include "quick/quick_result.h"
#include "ui/button_ex.h"

namespace quillon {

class CQuickBar : public CDialog {
 public:
  explicit CQuickBar(QuickBarHost& host);

  // Creates the hidden bar, without owner, at its stored place, and its hidden result list.
  bool Create();
  // Stores where the bar is in update.dat, where the next start puts it.
  void SavePlace() const;

  // Places the result list against the bar, shows it, and shows the results button open.
  void PlaceResults();
  // Shows the results button closed (the list is hidden).
  void MarkResultsHidden();

  std::u16string SearchText() const;
  // Writes into the search box; this counts as typing.
  void SetSearchText(const std::u16string& text);
  CQuickResult& Results() { return results_; }
  UINT ResultsButtonBitmap() const { return resultsButton_.SkinBitmap(); }

  // "Show/Hide Quick Bar": hides a shown bar, with its list, and shows a hidden one, without
  // its list. A bar that lies wholly off every screen (a stored place from another display) is
  // brought back to its default place and shown instead.
  void ToggleVisible();

  bool PreTranslateMessage(MSG& message) override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnPaint() override;
  bool OnLButtonDown(UINT keys, POINT point) override;
  bool OnMove(int x, int y) override;
  bool OnSetCursor(HWND window, int hitTest, UINT mouseMessage) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnHelp(const HELPINFO& help) override;
  bool OnDropFiles(const std::vector<std::u16string>& paths, POINT point) override;
  void OnOK() override {}
  // Escape hides the result list; the bar stays.
  void OnCancel() override;

 private:
  void SkinAndPlaceControls();
  void RunTypingSearch();
  void HideResults();
  // The buttons: results, search (hands the search to the main window), hide.
  void ToggleResults();
  void SearchInMainWindow();
  void ListInMainWindow();
  void ConfirmHide();
  // The list follows every move of the bar, shown or hidden.
  void FollowBar();
  // The search box takes the focus, only while the bar is visible: focus would activate it.
  void FocusSearchBox();

  static const CommandRoute<CQuickBar> kCommands[];

  QuickBarHost& host_;
  CQuickResult results_;
  ButtonEx searchButton_;
  ButtonEx hideButton_;
  ButtonEx resultsButton_;
  MainWindowWait mainWindowWait_;
};

}  // namespace quillon
