// Finds the catalogued files that carry at least one tag of a tag text.
#pragma once

#include <string_view>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon {

// Refills `table`: each file once, at the place of the first tag that found it.
void SearchByTags(TagDatabase& db, FileTable& table, std::u16string_view text);

}  // namespace quillon
