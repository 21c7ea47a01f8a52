// Every command of the main window's buttons, menus and notification-area menu, routed in one
// table, and the menu buttons that drop down the office-style menus.
#include "resources/resource.h"
#include "shell/main_window/quillon_dlg.h"
#include "ui/popup_menu.h"

namespace quillon {
namespace {

// The menu opens this far below the top of its button, over the button's lower part.
constexpr int kMenuOffsetBelowButtonTop = 30;

// Menus and accelerators; buttons report clicks as code 0 too.
constexpr int kMenuCode = 0;
constexpr int kAcceleratorCode = 1;

}  // namespace

const CommandRoute<CQuillonDlg> CQuillonDlg::kCommands[] = {
    // Caption buttons.
    {IDC_BTN_MINIMIZE, &CQuillonDlg::HideToTray},
    {IDC_BTN_CLOSE, &CQuillonDlg::HideToTray},
    {IDC_BTN_MAXIMIZE, &CQuillonDlg::ToggleMaximized},
    // Menu buttons.
    {IDC_BTN_FILE, &CQuillonDlg::DropDownFileMenu},
    {IDC_BTN_EDIT, &CQuillonDlg::DropDownEditMenu},
    {IDC_BTN_QUICK_BAR, &CQuillonDlg::DropDownQuickBarMenu},
    {IDC_BTN_HELP, &CQuillonDlg::DropDownHelpMenu},
    // Files.
    {IDC_TOOL_ADD_FILE, &CQuillonDlg::AddFileWithPicker},
    {ID_FILE_ADD_FILE, &CQuillonDlg::AddFileWithPicker},
    {ID_TRAY_ADD_FILE, &CQuillonDlg::AddFileWithPicker},
    {ID_ADD_FILE, &CQuillonDlg::AddFileWithPicker},
    {ID_LIST_ADD_FILE, &CQuillonDlg::AddFileWithPicker},
    {IDC_BTN_SEARCH, &CQuillonDlg::RunSearchBox},
    // Virtual folders.
    {IDC_TOOL_ADD_FOLDER, &CQuillonDlg::AddFolder},
    {ID_FILE_ADD_FOLDER, &CQuillonDlg::AddFolder},
    {ID_TREE_ADD_FOLDER, &CQuillonDlg::AddFolder},
    {ID_FOLDER_EDIT_TAGS, &CQuillonDlg::EditFolder},
    {ID_EDIT_FOLDER_TAGS, &CQuillonDlg::EditSelectedFolder},
    {ID_FOLDER_REMOVE, &CQuillonDlg::RemoveFolder},
    {ID_EDIT_DELETE_FOLDER, &CQuillonDlg::DeleteSelectedFolder},
    // Settings, quick bar and tray.
    {ID_EDIT_START_ITEM, &CQuillonDlg::ToggleStartItem},
    {ID_QUICK_BAR_SHOW_HIDE, &CQuillonDlg::ToggleQuickBar},
    {ID_TRAY_SHOW_HIDE_QUICK_BAR, &CQuillonDlg::ToggleQuickBar},
    {ID_QUICK_BAR_AUTOSHOW, &CQuillonDlg::ToggleQuickBarAutoshow},
    {ID_TRAY_OPEN, &CQuillonDlg::ShowNormally},
    {ID_FILE_EXIT, &CQuillonDlg::QuitApplication},
    {ID_TRAY_EXIT, &CQuillonDlg::QuitApplication},
    // Help, web pages and about.
    {ID_HELP_CONTENTS, &CQuillonDlg::OpenHelpFile},
    {IDC_TOOL_HELP, &CQuillonDlg::OpenHelpFile},
    {ID_HELP_ONLINE, &CQuillonDlg::OpenOnlineHelp},
    {ID_HELP_WEBSITE, &CQuillonDlg::OpenWebsite},
    {ID_HELP_UPDATES, &CQuillonDlg::CheckForUpdates},
    {ID_TRAY_UPDATES, &CQuillonDlg::CheckForUpdates},
    {ID_HELP_BUG_REPORT, &CQuillonDlg::ReportBug},
    {ID_TRAY_BUG_REPORT, &CQuillonDlg::ReportBug},
    {ID_HELP_ABOUT, &CQuillonDlg::ShowAbout},
};

const CommandRoute<FileListPane> CQuillonDlg::kListCommands[] = {
    {IDC_TOOL_EDIT_TAGS, &FileListPane::EditSelectedTags},
    {ID_LIST_EDIT_TAGS, &FileListPane::EditSelectedTags},
    {ID_EDIT_FILE_TAGS, &FileListPane::EditSelectedTags},
    {IDC_TOOL_OPEN, &FileListPane::OpenSelected},
    {ID_LIST_OPEN, &FileListPane::OpenSelected},
    {ID_FILE_OPEN_SELECTED, &FileListPane::OpenSelected},
    {ID_LIST_OPEN_WITH, &FileListPane::OpenSelectedWith},
    {ID_LIST_COPY_PATHS, &FileListPane::CopySelectedPaths},
    {ID_LIST_REMOVE, &FileListPane::RemoveSelected},
    {ID_EDIT_DELETE_FILES, &FileListPane::RemoveSelected},
    {ID_LIST_SAME_TAGS, &FileListPane::SearchSameTags},
};

bool CQuillonDlg::OnCommand(int id, int code, HWND) {
  // Other notifications of the controls (the search box's changes, for one) are no commands.
  if (code != kMenuCode && code != kAcceleratorCode) return false;
  return RunCommand(*this, kCommands, id) || RunCommand(fileList_, kListCommands, id);
}

void CQuillonDlg::PopupMenuUnder(UINT menuId, int buttonId, UINT checkedCommand) {
  RECT button{};
  ::GetWindowRect(Item(buttonId), &button);
  const int y = button.top + kMenuOffsetBelowButtonTop;
  if (checkedCommand != 0) {
    PopupMenuAt(menuId, Handle(), button.left, y, {checkedCommand});
  } else {
    PopupMenuAt(menuId, Handle(), button.left, y);
  }
}

void CQuillonDlg::DropDownFileMenu() { PopupMenuUnder(IDR_MENU_FILE, IDC_BTN_FILE); }

// The check marks are read from the settings file each time the menu drops down.
void CQuillonDlg::DropDownEditMenu() {
  PopupMenuUnder(IDR_MENU_EDIT, IDC_BTN_EDIT, IsStartItemOn() ? ID_EDIT_START_ITEM : 0);
}

void CQuillonDlg::DropDownQuickBarMenu() {
  PopupMenuUnder(IDR_MENU_QUICK_BAR, IDC_BTN_QUICK_BAR,
                 IsQuickBarAutoshowOn() ? ID_QUICK_BAR_AUTOSHOW : 0);
}

void CQuillonDlg::DropDownHelpMenu() { PopupMenuUnder(IDR_MENU_HELP, IDC_BTN_HELP); }

}  // namespace quillon
