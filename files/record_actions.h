// The actions on the records of a list's selected rows, which the file-list pane
// (file_list_pane.h) carries out for every window that lists catalogued files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/tables.h"
#include "dialogs/catalogue_context.h"

namespace quillon {

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
