// One table per window that maps command ids to member handlers:
//
//   // a static member, so the table may name private handlers
//   const CommandRoute<CQuillonDlg> CQuillonDlg::kCommands[] = {
//       {IDC_BTN_ADDFILE, &CQuillonDlg::AddFileWithPicker},
//       {ID_FILE_EXIT, &CQuillonDlg::QuitApplication},
//   };
//   bool CQuillonDlg::OnCommand(int id, int, HWND) { return RunCommand(*this, kCommands, id); }
#pragma once

#include <cstddef>

namespace quillon {

template <class Owner>
struct CommandRoute {
  int id;
  void (Owner::*handler)();
};

// Runs the handler of `id`; false when the table has none.
template <class Owner, std::size_t N>
bool RunCommand(Owner& owner, const CommandRoute<Owner> (&table)[N], int id) {
  for (const CommandRoute<Owner>& route : table) {
    if (route.id == id) {
      (owner.*route.handler)();
      return true;
    }
  }
  return false;
}

}  // namespace quillon
