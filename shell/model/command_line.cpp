#include "shell/model/command_line.h"

namespace quillon {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  std::vector<std::u16string> arguments;
  std::size_t i = 0;
  if (line.empty()) return arguments;
  // The program's name knows no escapes: a quoted name ends at the next quote.
  std::u16string name;
  if (line[0] == u'"') {
    const std::size_t close = line.find(u'"', 1);
    name = line.substr(1, close == std::u16string_view::npos ? close : close - 1);
    i = close == std::u16string_view::npos ? line.size() : close + 1;
  }
  for (; i < line.size() && !IsBlank(line[i]); ++i) name += line[i];
  arguments.push_back(std::move(name));

  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    std::u16string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      std::size_t backslashes = 0;
      while (i < line.size() && line[i] == u'\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == u'"') {
        argument.append(backslashes / 2, u'\\');
        if (backslashes % 2 == 1) {
          argument += u'"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          argument += u'"';  // "" inside quotes
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        argument.append(backslashes, u'\\');
        if (i < line.size() && (quoted || !IsBlank(line[i]))) argument += line[i++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

bool EndsWithHiddenSwitch(const std::vector<std::u16string>& arguments) {
  return arguments.size() > 1 && arguments.back() == u"-m";
}

std::vector<std::u16string> PathArguments(const std::vector<std::u16string>& arguments) {
  if (arguments.size() <= 1) return {};
  const auto end = arguments.end() - (EndsWithHiddenSwitch(arguments) ? 1 : 0);
  return std::vector<std::u16string>(arguments.begin() + 1, end);
}

bool IsFullPath(std::u16string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == u':' && path[2] == u'\\') return true;
  return path.size() >= 3 && path[0] == u'\\' && path[1] == u'\\' && path[2] != u'\\';
}

std::vector<std::u16string> EncodeHandOver(const std::vector<std::u16string>& paths) {
  std::vector<std::u16string> payloads;
  std::u16string payload;
  std::size_t count = 0;
  for (const std::u16string& path : paths) {
    if (path.empty() || path.size() > kMaxHandedPathLength) continue;
    // Each path takes its NUL; the list's own NUL ends the payload.
    if (count == kMaxHandedPaths || payload.size() + path.size() + 2 > kMaxHandOverChars) {
      payloads.push_back(payload + u'\0');
      payload.clear();
      count = 0;
    }
    payload += path;
    payload += u'\0';
    ++count;
  }
  if (count > 0) payloads.push_back(payload + u'\0');
  return payloads;
}

std::optional<std::vector<std::u16string>> DecodeHandOver(const char16_t* data, std::size_t chars) {
  if (!data || chars < 3 || chars > kMaxHandOverChars) return std::nullopt;
  if (data[chars - 1] != u'\0' || data[chars - 2] != u'\0') return std::nullopt;
  std::vector<std::u16string> paths;
  std::size_t start = 0;
  while (start < chars - 1) {
    std::size_t end = start;
    while (data[end] != u'\0') ++end;  // ends at the latest at chars - 2
    const std::u16string_view path(data + start, end - start);
    if (path.size() > kMaxHandedPathLength || !IsFullPath(path) ||
        paths.size() == kMaxHandedPaths) {
      return std::nullopt;
    }
    paths.emplace_back(path);
    start = end + 1;
  }
  return paths;
}

std::u16string InstanceMutexName(std::u16string_view user) {
  std::u16string name = u"Local\\Veldmark.Quillon.";
  // Backslashes make namespaces: a domain\name would name another one.
  for (const char16_t c : user) name += c == u'\\' ? u'_' : c;
  return name;
}

}  // namespace quillon
