// What the editing dialogs need from the program around them. The main window passes itself
// (or a small adapter); tests pass a temporary catalogue.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon {

class CatalogueContext {
 public:
  virtual ~CatalogueContext() = default;

  virtual TagDatabase& Database() = 0;
  virtual FolderTable& Folders() = 0;
  // ID of the folder whose FatherID is 0; new folders go under it.
  virtual std::int32_t RootFolderId() const = 0;
  // Makes `tagText` the main window's current filter; the caller lists it afterwards.
  virtual void SetCurrentFilter(const std::u16string& tagText) = 0;
  virtual void OpenHelpFile() = 0;
  // Owns a dialog that is run without an owner of its own.
  virtual HWND MainWindow() const = 0;
};

}  // namespace quillon
