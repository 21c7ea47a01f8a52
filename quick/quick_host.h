// What the quick bar and its result list need from the program around them: the catalogue and
// the main window. The main window passes a small adapter; tests pass their own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/catalogue_context.h"
#include "files/missing_files.h"

namespace quillon {

class CPreviewPage;

class QuickBarHost {
 public:
  virtual ~QuickBarHost() = default;

  // The catalogue, the main window's current filter and help, as the editing dialogs see them.
  virtual CatalogueContext& Catalogue() = 0;
  // The data folder, which holds update.dat.
  virtual std::u16string DataFolder() const = 0;

  // The main window's side.
  virtual std::u16string CurrentFilter() const = 0;
  virtual void ListFiles(const std::u16string& tagText) = 0;
  virtual void SetSearchBoxText(const std::u16string& text) = 0;
  // Catalogues each of `paths` that is a file through the main window's Edit Tags dialog, with
  // `proposedTags` proposed; folders and missing files are skipped.
  virtual void AddFiles(const std::vector<std::u16string>& paths,
                        const std::u16string& proposedTags) = 0;
  // The hover preview popup; null where there is none.
  virtual CPreviewPage* Preview() = 0;
  // The catalogued files known to be missing, whose rows the result list greys; null: none.
  virtual const MissingFiles* Missing() { return nullptr; }
};

}  // namespace quillon
