// Every resource number of the program: dialog templates, controls, menus and their commands,
// bitmaps, icons and the string table. Included by quillon.rc and by the C++ code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_QUILLON_DIALOG 102
#define IDD_EDIT_FILE 143
#define IDD_QUICK_BAR 164
#define IDD_EDIT_FOLDER 166
#define IDD_QUICK_RESULT 171
#define IDD_PREVIEW 196
#define IDD_BATCH_PROGRESS 200

// Icons.
#define IDR_MAINFRAME 128
#define IDI_FOLDER 161
#define IDI_FOLDER_ROOT 162
#define IDI_FOLDER_SELECTED 163

// Bitmaps: the main window's skin and buttons.
#define IDB_SKIN_TOP_LEFT 130
#define IDB_SKIN_TOP_RIGHT 131
#define IDB_SKIN_TOP 132
#define IDB_SKIN_LEFT 133
#define IDB_SKIN_RIGHT 134
#define IDB_SKIN_BOTTOM_RIGHT 135
#define IDB_SKIN_BOTTOM_LEFT 136
#define IDB_SKIN_BOTTOM 137
#define IDB_BTN_MAXIMIZE 138
#define IDB_BTN_CLOSE 139
#define IDB_BTN_MINIMIZE 140
#define IDB_SKIN_TOOLBAR_LEFT 145
#define IDB_SKIN_TOOLBAR_RIGHT 146
#define IDB_SKIN_TOOLBAR 147
#define IDB_BTN_MENU 148
#define IDB_SKIN_SEARCH_BAND 149
#define IDB_TOOL_ADD_FILE 151
#define IDB_TOOL_ADD_FOLDER 152
#define IDB_TOOL_EDIT_TAGS 153
#define IDB_TOOL_OPEN 154
#define IDB_TOOL_HELP 157
#define IDB_BTN_SEARCH 159
// Bitmaps: the quick bar, its result list and the about box.
#define IDB_QUICK_BAR 165
#define IDB_QUICK_SEARCH 172
#define IDB_QUICK_HIDE 173
#define IDB_QUICK_RESULTS_HIDDEN 174
#define IDB_RESULT_SIDE 176
#define IDB_RESULT_BOTTOM 177
#define IDB_RESULT_TOP 178
#define IDB_ABOUT_BANNER 187
#define IDB_QUICK_RESULTS_SHOWN 194

// Menus; each holds one popup.
#define IDR_MENU_FILE 167
#define IDR_MENU_FOLDER 169
#define IDR_MENU_FILES 170
#define IDR_MENU_EDIT 175
#define IDR_MENU_QUICK_BAR 183
#define IDR_MENU_HELP 184
#define IDR_MENU_TRAY 188
#define IDR_MENU_TREE 189
#define IDR_MENU_LIST 190
#define IDR_MENU_RESULT_EMPTY 192
#define IDR_MENU_RESULT 193

// Controls of the main window (102).
#define IDC_BTN_MINIMIZE 1002
#define IDC_BTN_MAXIMIZE 1003
#define IDC_FILE_LIST 1008
#define IDC_TOOL_ADD_FILE 1009
#define IDC_BTN_FILE 1015
#define IDC_TOOL_ADD_FOLDER 1016
#define IDC_TOOL_EDIT_TAGS 1017
#define IDC_TOOL_OPEN 1018
#define IDC_TOOL_HELP 1019
#define IDC_FOLDER_TREE 1020
#define IDC_BTN_CLOSE 1021
#define IDC_BTN_SEARCH 1025
#define IDC_STATUS 1026
#define IDC_BTN_EDIT 1032
#define IDC_BTN_QUICK_BAR 1035
#define IDC_BTN_HELP 1036
#define IDC_SEARCH_BOX 1045

// Controls of the editing dialogs (143, 166).
#define IDC_TAG_LIST 1007
#define IDC_BTN_BROWSE 1011
#define IDC_ADD_TAGS 1012
#define IDC_PATH_BOX 1013    // the File Path box of 143
#define IDC_FOLDER_NAME 1013 // the Folder Name box of 166
#define IDC_BTN_ADD 1014
#define IDC_COMMENT 1027
#define IDC_BTN_DELETE 1046

// Controls of the quick bar (164; its search button is IDC_BTN_SEARCH) and result list (171,
// whose list is IDC_FILE_LIST).
#define IDC_QUICK_SEARCH 1029
#define IDC_BTN_HIDE 1030
#define IDC_BTN_RESULTS 1031

// Controls of the preview popup (196).
#define IDC_PREVIEW_NAME 1047
#define IDC_PREVIEW_TAGS 1048
#define IDC_PREVIEW_ICON 1049
#define IDC_PREVIEW_COMMENT 1050

// Controls of the about box.
#define IDC_ABOUT_BANNER 1060
#define IDC_ABOUT_ICON 1061

// Controls of the progress window (200).
#define IDC_PROGRESS_TEXT 1070
#define IDC_PROGRESS_BAR 1071

// The system-menu item that opens the about box (16 to 31: the low four bits are ignored).
#define IDM_ABOUTBOX 0x0010

// Commands: File menu (167).
#define ID_FILE_ADD_FILE 32777
#define ID_FILE_ADD_FOLDER 32778
#define ID_FILE_OPEN_SELECTED 32801
#define ID_FILE_EXIT 32783
// Edit menu (175).
#define ID_EDIT_FILE_TAGS 32797
#define ID_EDIT_FOLDER_TAGS 32798
#define ID_EDIT_DELETE_FILES 32799
#define ID_EDIT_DELETE_FOLDER 32800
#define ID_EDIT_START_ITEM 32810
// Quick Bar menu (183).
#define ID_QUICK_BAR_SHOW_HIDE 32802
#define ID_QUICK_BAR_AUTOSHOW 32803
// Help menu (184).
#define ID_HELP_CONTENTS 32804
#define ID_HELP_UPDATES 32805
#define ID_HELP_ABOUT 32809
#define ID_HELP_ONLINE 32821
#define ID_HELP_BUG_REPORT 32822
#define ID_HELP_WEBSITE 32836
// Folder tree menus (169, 189).
#define ID_FOLDER_EDIT_TAGS 32773
#define ID_FOLDER_REMOVE 32774
#define ID_TREE_ADD_FOLDER 32816
// File list menus (170, 190).
#define ID_LIST_EDIT_TAGS 32775
#define ID_LIST_REMOVE 32776
#define ID_LIST_ADD_FILE 32833
#define ID_LIST_SAME_TAGS 32834
#define ID_LIST_OPEN_WITH 32838
#define ID_LIST_COPY_PATHS 32841
#define ID_LIST_OPEN 57601
// Notification-area menu (188).
#define ID_TRAY_OPEN 32812
#define ID_TRAY_EXIT 32811
#define ID_TRAY_ADD_FILE 32813
#define ID_TRAY_BUG_REPORT 32815
#define ID_TRAY_SHOW_HIDE_QUICK_BAR 32818
#define ID_TRAY_UPDATES 32823
// A second "Add a File" command routed like the others.
#define ID_ADD_FILE 32817
// Quick result list menus (193, 192).
#define ID_RESULT_OPEN 32827
#define ID_RESULT_EDIT_TAGS 32828
#define ID_RESULT_REMOVE 32829
#define ID_RESULT_ADD_FILE 32831
#define ID_RESULT_SAME_TAGS 32835
#define ID_RESULT_OPEN_WITH 32840
#define ID_RESULT_COPY_PATHS 32843

// The notification-area icon's callback message.
#define WM_TRAY_NOTIFY 2025
// The main window adds the files a second start handed over (posted to itself).
#define WM_HANDED_FILES 2026
// The search for moved files has results for the main window.
#define WM_MOVED_FILES 2027

// String table.
#define IDS_ABOUTBOX 101
#define IDS_QUIT_CONFIRM 102
#define IDS_QUIT_CAPTION 103
#define IDS_LOADING 104
#define IDS_READY 105
#define IDS_LOAD_FAILED 106
#define IDS_SELECT_TAG 107
#define IDS_FILE_MISSING 108
#define IDS_NEED_TAG 111
#define IDS_SELECT_FILE 112
#define IDS_SELECT_FOLDER 115
#define IDS_ROOT_FOLDER 116
#define IDS_FOLDER_EXISTS 117
#define IDS_TRAY_TIP 121
#define IDS_URL_WEBSITE 122
#define IDS_URL_UPDATES 123
#define IDS_URL_BUG_REPORT 124
#define IDS_FILE_EXISTED 125
#define IDS_URL_ONLINE_HELP 191
// Texts the program shows without a number of their own, kept in the string table too.
#define IDS_REMOVE_FILES_CONFIRM 200
#define IDS_REMOVE_CAPTION 201
#define IDS_PATHS_COPIED 202
#define IDS_REMOVE_FOLDER_CONFIRM 203
#define IDS_HIDE_QUICK_BAR_CONFIRM 204
#define IDS_HIDE_CAPTION 205
#define IDS_TITLE_NEW_FILE 206
#define IDS_TITLE_NEW_FOLDER 207
#define IDS_NO_COMMENT 208
#define IDS_COLUMN_FILE_NAME 209
#define IDS_COLUMN_TAGS 210
#define IDS_COLUMN_PATH 211
#define IDS_TIP_ADD_FILE 212
#define IDS_TIP_ADD_FOLDER 213
#define IDS_TIP_OPEN 214
#define IDS_TIP_EDIT_TAGS 215
#define IDS_TIP_HELP 216
#define IDS_LABEL_COMMENT 217
#define IDS_LABEL_IMAGE_PREVIEW 218
// Refusals of the editing dialogs that have no text of their own.
#define IDS_FOLDER_NAME_BLANK 240
#define IDS_PATH_NOT_FULL 241
#define IDS_FOLDER_TABLE_FULL 242
// The clipboard could not take the copied paths (another program holds it).
#define IDS_PATHS_NOT_COPIED 243
// The root folder is the tree's anchor: it is never edited.
#define IDS_ROOT_FOLDER_EDIT 244
// Another program holds data.dat: the box, and the status line that stays until F5.
#define IDS_CATALOGUE_IN_USE 250
#define IDS_STATUS_IN_USE 251
// What the search for moved files found: the status line's additions and the preview's note.
#define IDS_STATUS_FOUND_AGAIN_ONE 260
#define IDS_STATUS_FOUND_AGAIN 261
#define IDS_STATUS_MISSING_ONE 262
#define IDS_STATUS_MISSING 263
#define IDS_PREVIEW_MISSING 264
// Many files at once: the question, the notes on what was left out, the progress and the result.
#define IDS_MANY_FILES_QUESTION 270
#define IDS_MANY_FILES_FOLDER 271
#define IDS_MANY_FILES_CAPTION 272
#define IDS_TOO_MANY_FILES 273
#define IDS_PATHS_TOO_LONG 274
#define IDS_FOLDERS_UNREADABLE 275
#define IDS_FILES_COUNT 276
#define IDS_TITLE_NEW_FILES 277
#define IDS_FILES_ADDED 278
#define IDS_FILES_VANISHED 279
#define IDS_PROGRESS_ADDING 280
#define IDS_PROGRESS_REMOVING 281
