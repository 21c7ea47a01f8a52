// The about box (template 100): the banner, the program's icon, name and version. The help key
// opens the help file as it does in the main window.
//
//   CAboutDlg about([this] { OpenHelpFile(); });
//   about.DoModal(Handle());
#pragma once

#include <functional>

#include "framework/dialog.h"

namespace quillon {

class CAboutDlg : public CDialog {
 public:
  explicit CAboutDlg(std::function<void()> openHelp);

 protected:
  bool OnHelp(const HELPINFO& help) override;

 private:
  std::function<void()> openHelp_;
};

}  // namespace quillon
