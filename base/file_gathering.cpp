#include "base/file_gathering.h"

namespace quillon {
namespace {

class Gathering {
 public:
  Gathering(FolderReader& reader, const GatherOptions& options, GatheredFiles& found)
      : reader_(reader), options_(options), found_(found) {}

  void AddFile(const std::u16string& path) {
    if (path.size() > kMaxCataloguedPath) {
      ++found_.tooLong;
    } else if (found_.files.size() == options_.limit) {
      found_.tooMany = true;
    } else {
      found_.files.push_back(path);
    }
  }

  // Walks `folder`; descends only while `descend`. A folder path over the limit is counted and
  // not read, which also ends a walk that a link the reader did not recognise sends in circles.
  void Walk(const std::u16string& folder, bool descend) {
    if (folder.size() > kMaxCataloguedPath) {
      ++found_.tooLong;
      return;
    }
    std::vector<FolderEntry> entries;
    if (!reader_.Read(folder, entries)) {
      ++found_.unreadableFolders;
      return;
    }
    for (const FolderEntry& entry : entries) {
      if (found_.tooMany) return;
      if (entry.hiddenOrSystem || entry.link) continue;
      const std::u16string path = Join(folder, entry.name);
      if (!entry.folder) {
        AddFile(path);
      } else if (descend) {
        Walk(path, true);
      }
    }
  }

  std::u16string Join(const std::u16string& folder, const std::u16string& name) const {
    if (!folder.empty() && folder.back() == options_.separator) return folder + name;
    return folder + options_.separator + name;
  }

 private:
  FolderReader& reader_;
  const GatherOptions& options_;
  GatheredFiles& found_;
};

std::u16string LastPart(const std::u16string& path, char16_t separator) {
  std::u16string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == separator) trimmed.pop_back();
  const auto cut = trimmed.rfind(separator);
  return cut == std::u16string::npos ? trimmed : trimmed.substr(cut + 1);
}

}  // namespace

std::vector<std::u16string> SplitPickedFiles(std::u16string_view result) {
  std::vector<std::u16string_view> parts;
  while (!result.empty() && result.front() != u'\0') {
    const auto end = result.find(u'\0');
    parts.push_back(result.substr(0, end));
    result = end == std::u16string_view::npos ? std::u16string_view() : result.substr(end + 1);
  }
  if (parts.size() == 1) return {std::u16string(parts[0])};
  std::vector<std::u16string> paths;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    std::u16string path(parts[0]);
    if (!path.ends_with(u'\\')) path += u'\\';  // a drive's root already ends with one
    paths.push_back(path.append(parts[i]));
  }
  return paths;
}

GatheredFiles GatherFiles(const std::vector<std::u16string>& paths, FolderReader& reader,
                          const GatherOptions& options) {
  GatheredFiles found;
  Gathering gathering(reader, options, found);
  for (const std::u16string& path : paths) {
    if (found.tooMany) break;
    // The shell hands out no longer names; asking the file system about one would fail.
    if (path.size() > kMaxCataloguedPath) {
      ++found.tooLong;
      continue;
    }
    switch (reader.Kind(path)) {
      case PathKind::kMissing:
        ++found.missing;
        break;
      case PathKind::kFile:
        gathering.AddFile(path);
        break;
      case PathKind::kFolder:
        if (found.folders++ == 0) found.firstFolder = LastPart(path, options.separator);
        gathering.Walk(path, options.recursive);
        break;
    }
  }
  if (found.tooMany) found.files.clear();
  return found;
}

}  // namespace quillon
