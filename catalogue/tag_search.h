// Finds the catalogued files that carry at least one tag of a tag text.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "catalogue/tables.h"
#include "catalogue/tag_database.h"

namespace quillon {

// Takes each file found, in order; returns false when it wants no more records. It runs no
// statement: the search is still reading the rows of its own.
using FoundFileSink = std::function<bool(const FileRecord&)>;

// Each file once, at the place of the first tag that found it; each tag is looked up once
// with one statement, however often the text repeats it. Once the sink wants no more, the
// files are still counted, so the result is the number of files the text finds, those not
// passed to the sink included.
std::uint32_t SearchFiles(TagDatabase& db, std::u16string_view text, const FoundFileSink& sink);

// Refills `table` with the files found; returns how many the text finds, which is more than
// table.Count() when the table could not hold them all.
std::uint32_t SearchByTags(TagDatabase& db, FileTable& table, std::u16string_view text);

}  // namespace quillon
