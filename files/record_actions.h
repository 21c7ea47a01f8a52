// The actions on the records of a list's selected rows, shared by every window that lists
// catalogued files (the main window's list, the quick result list): each window's own file
// commands pick the records and call these.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "dialogs/catalogue_context.h"
#include "files/file_list_view.h"

namespace quillon {

// The records of the list's selected rows, top to bottom, each found in `files` by the row's
// full path.
std::vector<FileRecord> RecordsOfSelectedRows(const FileListView& list, const FileTable& files);
// The same, for a command that needs at least one: none, after "Please select a file from the
// list.", when no row is selected.
std::vector<FileRecord> SelectedRecordsOrAsk(HWND owner, const FileListView& list,
                                             const FileTable& files);

// Opens each file with its program. A file that is gone is reported and skipped; for a file
// type without a program the user is asked which program to use.
void OpenFileRecords(HWND owner, const std::vector<FileRecord>& records);
// Asks the user, for each file, which program to open it with.
void OpenFileRecordsWith(HWND owner, const std::vector<FileRecord>& records);
// Puts the full paths, joined by "; ", on the clipboard as text, and tells the user.
void CopyFullPaths(HWND owner, const std::vector<FileRecord>& records);
// One Edit Tags dialog per record, one after another.
void EditFileRecords(CatalogueContext& catalogue, const std::vector<FileRecord>& records);

}  // namespace quillon
