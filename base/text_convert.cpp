#include "base/text_convert.h"

namespace quillon {
namespace {

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// The code point of the sequence at text[i] and its length; length 0 for a broken sequence.
// Encoded surrogates are decoded like any other three-byte sequence.
struct Decoded {
  char32_t code;
  std::size_t length;
};
Decoded DecodeAt(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                           : (lead >> 3) == 0x1E ? 4 : 0;
  char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F
                                                                              : lead & 0x07;
  bool valid = length != 0 && i + length <= text.size();
  for (std::size_t k = 1; valid && k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    valid = (next & 0xC0) == 0x80;
    code = (code << 6) | (next & 0x3F);
  }
  // Overlong forms would give one unit two spellings.
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (!valid || code > 0x10FFFF || code < kSmallest[length]) return {0xFFFD, 0};
  return {code, length};
}

}  // namespace

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  AssignFromUtf8(out, text);
  return out;
}

void AssignFromUtf8(std::u16string& out, std::string_view text) {
  // Sized for the longest result and written through a pointer: every text the catalogue
  // reads passes here, and most of it is plain ASCII.
  out.resize(text.size());
  char16_t* next = out.data();
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      *next++ = byte;
      ++i;
      continue;
    }
    auto [code, length] = DecodeAt(text, i);
    if (length == 0) {
      *next++ = u'\uFFFD';  // a broken sequence stands as one replacement character
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      *next++ = static_cast<char16_t>(0xD800 + (code >> 10));
      *next++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      *next++ = static_cast<char16_t>(code);
    }
    i += length;
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  AssignToUtf8(out, text);
  return out;
}

void AssignToUtf8(std::string& out, std::u16string_view text) {
  // Written through a pointer into room for the longest result: statements are converted on
  // every Execute, and appending byte by byte costs more than the conversion itself.
  out.resize(text.size() * 3);
  char* next = out.data();
  const auto put = [&next](char32_t byte) { *next++ = static_cast<char>(byte); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (code < 0x80) {
      put(code);
    } else if (code < 0x800) {
      put(0xC0 | (code >> 6));
      put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      put(0xE0 | (code >> 12));
      put(0x80 | ((code >> 6) & 0x3F));
      put(0x80 | (code & 0x3F));
    } else {
      put(0xF0 | (code >> 18));
      put(0x80 | ((code >> 12) & 0x3F));
      put(0x80 | ((code >> 6) & 0x3F));
      put(0x80 | (code & 0x3F));
    }
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Decoded decoded = DecodeAt(text, i);
    if (decoded.length == 0 || IsSurrogate(decoded.code)) return false;
    i += decoded.length;
  }
  return true;
}

}  // namespace quillon
