// Every text of the string table, the one place the resource script (quillon.rc), the
// program, the command-line companion and the tests read them from. Plain C string literals,
// so that the resource compiler's preprocessor reads them too; in C++ they become UTF-16:
//
//   ShowInformation(owner, IDS_FILE_EXISTED);                 // through the string table
//   EXPECT_EQ(window.StatusText(), UserText(TEXT_READY));     // the same text, in a test
//
// Texts are kept as the program shows them, misspellings included.
#pragma once

#define TEXT_ABOUTBOX               "&About Quillon..."
#define TEXT_QUIT_CONFIRM           "Quit Veldmark Quillon now?"
#define TEXT_QUIT_CAPTION           "Quit"
#define TEXT_LOADING                "Loading..."
#define TEXT_READY                  "Ready"
#define TEXT_LOAD_FAILED            "Load data faild, please restart the software."
#define TEXT_SELECT_TAG             "Please select a tag from the left list."
#define TEXT_FILE_MISSING \
  "Cannot open the file. Maybe the file is not exist now. \nFile Path: "
#define TEXT_NEED_TAG               "You need to add at least 1 tag."
#define TEXT_SELECT_FILE            "Please select a file from the list."
#define TEXT_SELECT_FOLDER          "Please select a folder first."
#define TEXT_ROOT_FOLDER            "Cannot delete the root folder."
#define TEXT_FOLDER_EXISTS          "This folder name is exsited."
#define TEXT_TRAY_TIP               "Veldmark Quillon 1.0"
#define TEXT_URL_WEBSITE            "http://www.veldmark.com/index.php?client=1"
#define TEXT_URL_UPDATES            "http://www.veldmark.com/update.php?product=quillon&ver=1.0.0"
#define TEXT_URL_BUG_REPORT         "http://www.veldmark.com/bug.php?product=quillon"
#define TEXT_FILE_EXISTED           "The file has been existed."
#define TEXT_URL_ONLINE_HELP        "http://www.veldmark.com/quillon/help.php?client=1"
#define TEXT_REMOVE_FILES_CONFIRM   "Remove seleted file(s) from Quillon?"
#define TEXT_REMOVE_CAPTION         "Remove"
#define TEXT_PATHS_COPIED           "The file path(s) has been copied to clipboard."
#define TEXT_REMOVE_FOLDER_CONFIRM  "Remove selected virtual folder?"
#define TEXT_HIDE_QUICK_BAR_CONFIRM "Hide the QuickBar of Quillon?"
#define TEXT_HIDE_CAPTION           "Hide"
#define TEXT_TITLE_NEW_FILE         "New File"
#define TEXT_TITLE_NEW_FOLDER       "New Virtual Folder"
#define TEXT_NO_COMMENT             "No Comment"
#define TEXT_COLUMN_FILE_NAME       "File Name"
#define TEXT_COLUMN_TAGS            "Tags"
#define TEXT_COLUMN_PATH            "Path"
#define TEXT_TIP_ADD_FILE           "Add a file"
#define TEXT_TIP_ADD_FOLDER         "Add a virtual folder"
#define TEXT_TIP_OPEN               "Open selected file(s)"
#define TEXT_TIP_EDIT_TAGS          "Edit the tags of selected file(s)"
#define TEXT_TIP_HELP               "Help"
#define TEXT_LABEL_COMMENT          "Comment:"
#define TEXT_LABEL_IMAGE_PREVIEW    "Image Preview:"
#define TEXT_FOLDER_NAME_BLANK      "Please type a name for the folder."
#define TEXT_PATH_NOT_FULL \
  "Please type the full path of the file, for example C:\\Documents\\letter.txt."
#define TEXT_FOLDER_TABLE_FULL \
  "No more virtual folders can be added: the catalogue holds as many as it can show."
#define TEXT_PATHS_NOT_COPIED \
  "The file path(s) could not be copied to the clipboard. Please try again."
#define TEXT_ROOT_FOLDER_EDIT       "Cannot edit the root folder."
#define TEXT_CATALOGUE_IN_USE \
  "The catalogue is in use by another program; try again."
#define TEXT_STATUS_IN_USE          "Catalogue in use; press F5 to retry"
// After "Ready" once the search for moved files has run; {count} is replaced by the number.
#define TEXT_STATUS_FOUND_AGAIN_ONE " - 1 moved file found again"
#define TEXT_STATUS_FOUND_AGAIN     " - {count} moved files found again"
#define TEXT_STATUS_MISSING_ONE     " - 1 catalogued file is missing"
#define TEXT_STATUS_MISSING         " - {count} catalogued files are missing"
#define TEXT_PREVIEW_MISSING        "This file is missing: it was moved, renamed or deleted."
// Many files at once. {count}, {folder}, {limit}, {added}, {already}, {done} and {total} are
// replaced by the numbers and the folder's name.
#define TEXT_MANY_FILES_QUESTION \
  "Add these {count} files to Quillon together, with the same tags and comment?\n\n" \
  "Yes: one Edit Tags dialog for all of them.\nNo: one dialog for each file.\n" \
  "Cancel: add none of them."
#define TEXT_MANY_FILES_FOLDER \
  "The folder \"{folder}\" and its sub-folders hold {count} files " \
  "(hidden and system files left out).\n\n"
#define TEXT_MANY_FILES_CAPTION     "Add Files"
#define TEXT_TOO_MANY_FILES \
  "These are more than {limit} files, more than Quillon adds at once. No file was added."
#define TEXT_PATHS_TOO_LONG \
  "{count} file(s) or folder(s) were left out: their path is longer than 260 characters."
#define TEXT_FOLDERS_UNREADABLE \
  "{count} folder(s) could not be read and were left out."
#define TEXT_FILES_COUNT            "{count} files"
#define TEXT_TITLE_NEW_FILES        "New Files"
#define TEXT_FILES_ADDED \
  "Added {added} files; {already} were already in Quillon and were left as they were."
#define TEXT_FILES_VANISHED \
  "\n{count} file(s) no longer exist and were not added."
#define TEXT_PROGRESS_ADDING        "Adding {done} of {total} files..."
#define TEXT_PROGRESS_REMOVING      "Removing {done} of {total} files..."

// Texts the program shows without a string of the table.
#define TEXT_APPLICATION_TITLE      "Veldmark Quillon"
#define TEXT_OPERATION_FAILED       "The operation could not be completed."
// A second start whose request the running Quillon did not take in time.
#define TEXT_RUNNING_NOT_ANSWERING \
  "Quillon is already running but does not answer. Please try again in a moment."
// After "Ready" when a search found more files than the list holds; {shown} and {found} are
// replaced by the numbers.
#define TEXT_SHOWING_COUNT          " - showing {shown} of {found} files"

#ifdef __cplusplus
#include <string>
// A text of this header as the program's UTF-16 string.
#define UserText(text) std::u16string(u"" text)
#endif
