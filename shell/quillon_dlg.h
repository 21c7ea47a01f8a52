// The main window (template 102), run modally for the life of the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/command_table.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

namespace quillon {

class CQuillonApp;

class CQuillonDlg : public CDialog {
 public:
  explicit CQuillonDlg(CQuillonApp& app);
  ~CQuillonDlg() override;

  CQuillonApp& App() { return app_; }

  // Stores `text` and shows it in the status line; `repaint` also redraws the window's
  // background under it.
  void SetStatusText(const std::u16string& text, bool repaint);
  const std::u16string& StatusText() const { return statusText_; }

  // Position of the root folder in the application's folder table; -1 before the load.
  std::int32_t RootFolderIndex() const { return rootFolderIndex_; }
  void SetRootFolderIndex(std::int32_t index) { rootFolderIndex_ = index; }

  // Set at the end of the window's initialisation; drops and tray clicks wait for it.
  bool IsInitialised() const { return initialised_; }

  bool PreTranslateMessage(MSG& message) override;

 protected:
  bool OnInitDialog() override;
  bool OnPaint() override;
  bool OnSize(UINT type, int width, int height) override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnClose() override;
  bool OnDestroy() override;
  // Neither Enter nor Escape ends the run.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void CloseWindow();
  void PlaceControls(int width, int height);

  static const CommandRoute<CQuillonDlg> kCommands[];

  CQuillonApp& app_;
  std::int32_t rootFolderIndex_ = -1;
  int splitter_ = 210;  // x of the boundary between folder tree and file list
  std::u16string statusText_;
  bool initialised_ = false;
  bool firstPaint_ = false;
  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;
};

}  // namespace quillon
