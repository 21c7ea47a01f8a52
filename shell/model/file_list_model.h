// The decisions of the main window's file list that need no window: the filter a listing uses
// and the status line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

// The tag text a listing searches for: a text starting with ";" lists everything ("*;").
std::u16string ListingFilter(std::u16string_view tagText);
// The search box shows every listed filter but the one of the whole catalogue.
bool ShowsInSearchBox(std::u16string_view filter);

// The status line once the catalogue is loaded: `ready` ("Ready"), and, when a search found
// more files than the list holds, how many of them it shows.
std::u16string ReadyStatusText(std::u16string_view ready, std::uint32_t shown,
                               std::uint32_t found);

// An addition to the status line that counts files: nothing for none, `one` for one, else
// `many` with "{count}" replaced by the number.
std::u16string CountedStatusText(std::u16string_view one, std::u16string_view many,
                                 std::size_t count);

}  // namespace quillon
