#include "cli/catalogue_cli.h"

#include <atomic>
#include <exception>
#include <filesystem>
#include <optional>
#include <string_view>

#include "catalogue/file_store.h"
#include "catalogue/folder_store.h"
#include "catalogue/schema.h"
#include "catalogue/tag_database.h"
#include "catalogue/tag_search.h"
#include "catalogue/tag_text.h"
#include "relocate/identity_store.h"
#include "relocate/relocation_pass.h"
#include "base/file_gathering.h"
#include "base/text_convert.h"
#include "base/text_fill.h"
#include "cli/platform.h"
#include "resources/user_texts.h"

namespace quillon {
namespace {

constexpr char kUsage[] =
    "Usage:\n"
    "  quillon-catalogue init DIR\n"
    "      creates DIR/data.dat, an empty catalogue with its root folder\n"
    "  quillon-catalogue add DIR PATH TAGS [--comment TEXT]\n"
    "      catalogues the file PATH with TAGS (separated by blanks or \";\")\n"
    "  quillon-catalogue add DIR PATH... TAGS [--recursive] [--comment TEXT]\n"
    "      catalogues several files, and the files inside folders (--recursive: with their\n"
    "      sub-folders), all or none; prints how many were added and how many skipped\n"
    "  quillon-catalogue search DIR TAGS\n"
    "      prints the full path of each file carrying any of TAGS (\"*\" for all)\n"
    "  quillon-catalogue folders DIR\n"
    "      prints ID, FatherID, DirName and Tags of each folder, separated by tabs\n"
    "  quillon-catalogue folder DIR NAME TAGS\n"
    "      adds a virtual folder under the root folder and prints its ID\n"
    "  quillon-catalogue check DIR\n"
    "      prints each catalogued file that is missing and each one found elsewhere\n"
    "  quillon-catalogue repair DIR [ROOT...] [--dry-run]\n"
    "      re-points moved files, also those found under each ROOT by their content\n";

// The program's own texts for these refusals.
constexpr char16_t kFileMissing[] = u"" TEXT_FILE_MISSING;
constexpr char16_t kFileCatalogued[] = u"" TEXT_FILE_EXISTED;
constexpr char16_t kNoTags[] = u"" TEXT_NEED_TAG;

class Console : public CatalogueReporter {
 public:
  Console(std::string& out, std::string& err) : out_(out), err_(err) {}

  void Line(std::u16string_view text) {
    out_ += ToUtf8(text);
    out_ += '\n';
  }
  int Fail(std::u16string_view text, int code = kCliFailed) {
    err_ += ToUtf8(text);
    err_ += '\n';
    return code;
  }
  void ReportDatabaseError(const std::u16string& text) override { Report(text); }
  void ReportReadError(const std::u16string& text) override { Report(text); }
  bool Reported() const { return reported_; }

 private:
  void Report(const std::u16string& text) {
    Fail(u"quillon-catalogue: " + text);
    reported_ = true;
  }

  std::string& out_;
  std::string& err_;
  bool reported_ = false;
};

// The operands of a command and its options.
struct Operands {
  std::vector<std::u16string> values;
  std::optional<std::u16string> comment;
  bool dryRun = false;
  bool recursive = false;
};

// The file system as the folder walk sees it; links are neither files nor folders to it.
class CliFolderReader : public FolderReader {
 public:
  PathKind Kind(const std::u16string& path) override {
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::path(path), error);
    if (error) return PathKind::kMissing;
    if (std::filesystem::is_directory(status)) return PathKind::kFolder;
    return std::filesystem::exists(status) ? PathKind::kFile : PathKind::kMissing;
  }
  bool Read(const std::u16string& folder, std::vector<FolderEntry>& entries) override {
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(folder), error);
    if (error) return false;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
      if (error) return false;
      const std::filesystem::path& path = it->path();
      entries.push_back({path.filename().u16string(), it->is_directory(error),
                         IsHiddenOrSystem(path), it->is_symlink(error)});
    }
    return true;
  }
};

std::u16string CatalogueFile(const std::u16string& dir) {
  return (std::filesystem::path(dir) / "data.dat").u16string();
}

bool OpenCatalogue(TagDatabase& db, const std::u16string& dir, Console& console) {
  db.SetReporter(&console);
  const std::u16string file = CatalogueFile(dir);
  if (db.Open(file)) return true;
  if (db.LastOpenFailure() == OpenFailure::kInUse) {
    console.Fail(u"Cannot open the catalogue " + file + u". " + UserText(TEXT_CATALOGUE_IN_USE));
    return false;
  }
  console.Fail(u"Cannot open the catalogue " + file +
               u": it is missing or is not a Quillon catalogue (\"quillon-catalogue init\" "
               u"makes one).");
  return false;
}

int Init(const Operands& operands, Console& console) {
  const std::u16string& dir = operands.values[0];
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(dir), error);
  if (error) {
    return console.Fail(u"Cannot create the folder " + dir + u": " + FromUtf8(error.message()));
  }
  const std::u16string file = CatalogueFile(dir);
  std::u16string reason;
  if (!CreateCatalogue(file, &reason)) return console.Fail(reason);
  console.Line(u"Created the catalogue " + file);
  return kCliSucceeded;
}

// Several paths, or folders: all files are added in one transaction or none.
int AddSeveral(const Operands& operands, Console& console) {
  std::u16string tags = NormalizeTagText(operands.values.back());
  if (tags.empty()) return console.Fail(kNoTags, kCliBadArguments);
  const std::vector<std::u16string> paths(operands.values.begin() + 1,
                                          operands.values.end() - 1);
  for (const std::u16string& path : paths) {
    // The name first: asking whether a device name exists may already open the device.
    std::u16string problem;
    if (!CataloguePath(std::filesystem::path(path), problem)) {
      return console.Fail(u"Cannot catalogue " + path + u": " + problem + u".");
    }
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(path), error)) {
      return console.Fail(kFileMissing + path);
    }
  }
  CliFolderReader reader;
  const GatheredFiles found = GatherFiles(
      paths, reader,
      {.separator = static_cast<char16_t>(std::filesystem::path::preferred_separator),
       .recursive = operands.recursive});
  if (found.tooMany) {
    return console.Fail(
        FillIn(UserText(TEXT_TOO_MANY_FILES), {{u"{limit}", NumberText(kMaxBatchFiles)}}));
  }
  if (found.tooLong != 0) {
    console.Fail(FillIn(UserText(TEXT_PATHS_TOO_LONG), {{u"{count}", NumberText(found.tooLong)}}));
  }
  if (found.unreadableFolders != 0) {
    console.Fail(FillIn(UserText(TEXT_FOLDERS_UNREADABLE),
                        {{u"{count}", NumberText(found.unreadableFolders)}}));
  }
  std::vector<FileRecord> records;
  for (const std::u16string& file : found.files) {
    std::u16string problem;
    const auto windowsPath = CataloguePath(std::filesystem::path(file), problem);
    if (!windowsPath) return console.Fail(u"Cannot catalogue " + file + u": " + problem + u".");
    FileRecord& record = records.emplace_back();
    record.ID = -1;
    record.Tags = tags;
    record.Comment = operands.comment.value_or(u"");
    SplitFilePath(record, *windowsPath);
  }
  TagDatabase db;
  if (!OpenCatalogue(db, operands.values[0], console)) return kCliFailed;
  DatabaseBatch batch(db, DatabaseBatch::Kind::kWrite);
  if (!batch.Began()) return kCliFailed;
  std::size_t added = 0;
  const std::unique_ptr<FileProbe> probe = MakeSystemProbe();
  for (const FileRecord& record : records) {
    std::int32_t id = 0;
    switch (AddFileInBatch(db, record, &id)) {
      case AddResult::kAdded:
        ++added;
        RecordIdentity(db, *probe, id, record.FullPath());
        break;
      case AddResult::kAlreadyCatalogued:
        break;
      case AddResult::kFailed:
        return kCliFailed;
    }
  }
  if (!batch.Commit()) return kCliFailed;
  console.Line(FillIn(UserText(TEXT_FILES_ADDED),
                      {{u"{added}", NumberText(added)},
                       {u"{already}", NumberText(records.size() - added)}}));
  return kCliSucceeded;
}

int Add(const Operands& operands, Console& console) {
  if (operands.values.size() > 3 || operands.recursive) return AddSeveral(operands, console);
  std::error_code folderCheck;
  if (std::filesystem::is_directory(std::filesystem::path(operands.values[1]), folderCheck)) {
    return AddSeveral(operands, console);
  }
  const std::u16string& path = operands.values[1];
  FileRecord record;
  record.ID = -1;
  record.Tags = NormalizeTagText(operands.values[2]);
  record.Comment = operands.comment.value_or(u"");
  if (record.Tags.empty()) return console.Fail(kNoTags, kCliBadArguments);
  TagDatabase db;
  if (!OpenCatalogue(db, operands.values[0], console)) return kCliFailed;
  // The name first: asking whether a device name exists may already open the device.
  std::u16string problem;
  const auto windowsPath = CataloguePath(std::filesystem::path(path), problem);
  if (!windowsPath) return console.Fail(u"Cannot catalogue " + path + u": " + problem + u".");
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::path(path), error)) {
    return console.Fail(kFileMissing + path);
  }
  SplitFilePath(record, *windowsPath);
  switch (AddFileOnce(db, record)) {
    case AddResult::kAdded:
      RecordIdentity(db, *MakeSystemProbe(), FindFileId(db, record), record.FullPath());
      console.Line(record.FullPath());
      return kCliSucceeded;
    case AddResult::kAlreadyCatalogued:
      return console.Fail(kFileCatalogued);
    case AddResult::kFailed:
      break;
  }
  return kCliFailed;
}

int Search(const Operands& operands, Console& console) {
  TagDatabase db;
  if (!OpenCatalogue(db, operands.values[0], console)) return kCliFailed;
  // Every match: unlike the program's lists, the output has no limit.
  SearchFiles(db, NormalizeTagText(operands.values[1]), [&console](const FileRecord& file) {
    console.Line(file.FullPath());
    return true;
  });
  return kCliSucceeded;
}

int Folders(const Operands& operands, Console& console) {
  TagDatabase db;
  if (!OpenCatalogue(db, operands.values[0], console)) return kCliFailed;
  FolderTable table;
  ReadFolderRows(db, table);
  for (std::uint32_t i = 0; i < table.Count(); ++i) {
    const FolderRecord folder = table.GetFolder(static_cast<std::int32_t>(i));
    console.Line(SqlInteger(folder.ID) + u'\t' + SqlInteger(folder.FatherID) + u'\t' +
                 folder.DirName + u'\t' + folder.Tags);
  }
  return kCliSucceeded;
}

int Folder(const Operands& operands, Console& console) {
  const std::optional<std::u16string> name = TrimBlanks(operands.values[1]);
  if (!name) return console.Fail(u"The folder name is empty.", kCliBadArguments);
  std::u16string tags = NormalizeTagText(operands.values[2]);
  if (tags.empty()) return console.Fail(kNoTags, kCliBadArguments);
  TagDatabase db;
  if (!OpenCatalogue(db, operands.values[0], console)) return kCliFailed;
  FolderTable table;
  const RootFolder root = ReadFolderRows(db, table);
  if (root.index < 0) return console.Fail(u"The catalogue has no root folder.");
  const std::int32_t index = table.AppendFolder(0, *name, root.id, std::move(tags));
  if (index < 0) return console.Fail(u"The catalogue holds as many folders as it can show.");
  InsertFolderRow(db, table, index);
  const std::int32_t id = table.GetFolder(index).ID;
  if (id == 0) return kCliFailed;
  console.Line(SqlInteger(id));
  return kCliSucceeded;
}

// "checked N of M files", rewritten in place on a terminal's standard error; the command's own
// output stays free of it.
RelocationProgress ProgressLine(std::FILE* stream) {
  if (!IsTerminal(stream)) return {};
  return [stream](std::size_t done, std::size_t total) {
    const std::string line = "\rchecked " + std::to_string(done) + " of " +
                             std::to_string(total) + " files" + (done == total ? "\n" : "");
    WriteText(stream, line);
    std::fflush(stream);
  };
}

// Runs the relocation pass over the catalogue in DIR and prints what it found; the exit code
// is 1 when the catalogue could not be read or written. Each ROOT is searched whole.
int Relocate(const Operands& operands, Console& console, bool dryRun, bool& anyMissing,
             bool& anyMoved) {
  TagDatabase db;
  if (!OpenCatalogue(db, operands.values[0], console)) return kCliFailed;
  std::vector<std::u16string> roots;
  for (std::size_t i = 1; i < operands.values.size(); ++i) {
    std::u16string problem;
    const auto root = CataloguePath(std::filesystem::path(operands.values[i]), problem);
    if (!root) return console.Fail(u"Cannot search " + operands.values[i] + u": " + problem + u".");
    roots.push_back(*root);
  }
  const std::atomic<bool> stop{false};
  const auto probe = MakeSystemProbe();
  const RelocationResult result =
      RunRelocationPass(db, *probe, stop, dryRun, roots, ProgressLine(stderr));
  for (const Relocation& move : result.moved) {
    console.Line(u"moved: " + move.oldFullPath + u" -> " + move.newFullPath);
  }
  for (const AmbiguousMatch& match : result.ambiguous) {
    std::u16string line = u"ambiguous: " + match.oldFullPath + u" (" +
                          SqlInteger(static_cast<std::int64_t>(match.candidates.size())) +
                          u" files could be it:";
    for (const std::u16string& candidate : match.candidates) line += u" " + candidate + u";";
    line.back() = u')';
    console.Line(line);
  }
  for (const std::u16string& path : result.missing) console.Line(u"missing: " + path);
  if (result.writeFailed) return console.Fail(UserText(TEXT_CATALOGUE_IN_USE));
  anyMissing = !result.missing.empty();
  anyMoved = !result.moved.empty();
  return kCliSucceeded;
}

// Exit 1 when anything is missing or has moved.
int Check(const Operands& operands, Console& console) {
  bool missing = false;
  bool moved = false;
  const int code = Relocate(operands, console, true, missing, moved);
  return code == kCliSucceeded && (missing || moved) ? kCliFailed : code;
}

// Exit 1 when files stay missing.
int Repair(const Operands& operands, Console& console) {
  bool missing = false;
  bool moved = false;
  const int code = Relocate(operands, console, operands.dryRun, missing, moved);
  return code == kCliSucceeded && missing ? kCliFailed : code;
}

struct Command {
  std::u16string_view name;
  std::size_t operands;
  bool takesMore;  // `operands` is the least number: "add" takes several paths, "repair" roots
  bool takesComment;
  int (*run)(const Operands&, Console&);
  bool takesRecursive = false;
  bool takesDryRun = false;
};

constexpr Command kCommands[] = {
    {u"init", 1, false, false, Init},
    {.name = u"add", .operands = 3, .takesMore = true, .takesComment = true, .run = Add,
     .takesRecursive = true},
    {u"search", 2, false, false, Search},
    {u"folders", 1, false, false, Folders},
    {u"folder", 3, false, false, Folder},
    {u"check", 1, false, false, Check},
    {.name = u"repair", .operands = 1, .takesMore = true, .takesComment = false, .run = Repair,
     .takesDryRun = true},
};

// The operands after the command name; an error text when they do not fit the command.
std::optional<std::u16string> ParseOperands(const Command& command,
                                            const std::vector<std::u16string>& args,
                                            Operands& operands) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == u"--comment" && command.takesComment) {
      if (i + 1 == args.size()) return u"--comment needs a text.";
      operands.comment = args[++i];
    } else if (args[i] == u"--dry-run" && command.takesDryRun) {
      operands.dryRun = true;
    } else if (args[i] == u"--recursive" && command.takesRecursive) {
      operands.recursive = true;
    } else if (args[i].starts_with(u"--")) {
      return u"Unknown option " + args[i] + u".";
    } else {
      operands.values.push_back(args[i]);
    }
  }
  const std::size_t count = operands.values.size();
  if (count < command.operands || (count > command.operands && !command.takesMore)) {
    return u"Wrong number of operands for \"" + std::u16string(command.name) + u"\".";
  }
  return std::nullopt;
}

}  // namespace

int RunCatalogueCli(const std::vector<std::u16string>& args, std::string& out,
                    std::string& err) {
  Console console(out, err);
  if (!args.empty() && (args[0] == u"help" || args[0] == u"--help" || args[0] == u"-h")) {
    out += kUsage;
    return kCliSucceeded;
  }
  for (const Command& command : kCommands) {
    if (args.empty() || args[0] != command.name) continue;
    Operands operands;
    if (auto problem = ParseOperands(command, args, operands)) {
      console.Fail(*problem);
      err += kUsage;
      return kCliBadArguments;
    }
    try {
      const int code = command.run(operands, console);
      return code == kCliSucceeded && console.Reported() ? kCliFailed : code;
    } catch (const std::exception& failure) {
      return console.Fail(u"quillon-catalogue: " + FromUtf8(failure.what()));
    }
  }
  if (!args.empty()) console.Fail(u"Unknown command " + args[0] + u".");
  err += kUsage;
  return kCliBadArguments;
}

}  // namespace quillon
