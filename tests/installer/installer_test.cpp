// The setup run for real under Wine, silently as administrators and these tests run it:
// what it lays out, what the installed program makes of it, upgrades over an older version
// while the program runs, and the uninstaller. The prefix is the tests' own.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <functional>
#include <string>

#include "resources/resource.h"
#include "resources/user_texts.h"
#include "settings/settings_keys.h"
#include "shell/model/start_options.h"
#include "shell/tray/autorun.h"
#include "tests/installer/installer_driver.h"
#include "tests/installer/installer_paths.h"

namespace quillon::testing {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veldmark Quillon";
constexpr const wchar_t* kProgramFiles[] = {L"quillon.exe", L"quillon-catalogue.exe", L"help.chm",
                                            L"uninstall.exe"};

fs::path DefaultInstallFolder() {
  return UserFolder(CSIDL_LOCAL_APPDATA) / L"Programs" / L"Veldmark" / L"Quillon";
}
fs::path DataFolder() { return DataFolderUnder(UserFolder(CSIDL_APPDATA).u16string()); }
fs::path Settings() { return DataFolder() / L"update.dat"; }
fs::path Shortcut() { return UserFolder(CSIDL_PROGRAMS) / L"Veldmark Quillon.lnk"; }
fs::path SendToShortcut() { return UserFolder(CSIDL_SENDTO) / L"Quillon.lnk"; }
std::optional<std::wstring> RunValue() { return RegistryText(kRunKey, kRunValueName); }
std::wstring ExpectedRunValue(const fs::path& folder) {
  const std::u16string command = AutorunCommand((folder / L"quillon.exe").u16string());
  return std::wstring(command.begin(), command.end());
}

std::optional<DWORD> SilentSetup(const wchar_t* setup, const std::wstring& options) {
  return RunToEnd(Quoted(setup) + L" /S " + options);
}
std::optional<DWORD> SilentUninstall(const fs::path& folder) {
  return RunToEnd(Quoted(folder / L"uninstall.exe") + L" /S");
}

class InstallerTest : public ::testing::Test {
 protected:
  // Each test starts from a user who never installed Quillon.
  void SetUp() override {
    std::error_code ignored;
    for (const fs::path& folder : {DefaultInstallFolder(), DataFolder(), fs::path(kOddFolder)}) {
      fs::remove_all(folder, ignored);
    }
    fs::remove(Shortcut(), ignored);
    fs::remove(SendToShortcut(), ignored);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
    HKEY run = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
      ::RegDeleteValueW(run, kRunValueName);
      ::RegCloseKey(run);
    }
  }

  // A catalogue of two files, added with the installed companion program.
  void CatalogueTwoFiles(const fs::path& folder) {
    const fs::path files = fs::temp_directory_path() / L"quillon-installer-files";
    fs::create_directories(files);
    for (const wchar_t* name : {L"letter.txt", L"notes.txt"}) {
      WriteFileBytes(files / name, "text");
      ASSERT_EQ(RunToEnd(Quoted(folder / L"quillon-catalogue.exe") + L" add " +
                         Quoted(DataFolder()) + L" " + Quoted(files / name) + L" work"),
                0u);
    }
  }

  static constexpr wchar_t kOddFolder[] = L"C:\\Prógramme für Ärzte\\Veldmark Quillon Ω";
};

TEST_F(InstallerTest, SilentInstallLaysOutProgramDataAndEntryAndTheProgramStartsReady) {
  ASSERT_EQ(SilentSetup(kSetup, L""), 0u);
  const fs::path folder = DefaultInstallFolder();
  for (const wchar_t* name : kProgramFiles) EXPECT_TRUE(fs::exists(folder / name)) << name;
  EXPECT_TRUE(FileBytes(folder / L"help.chm") == FileBytes(kBuiltHelp));
  EXPECT_EQ(ShortcutTarget(Shortcut()), folder / L"quillon.exe");

  // The list of installed programs, with the version the program itself carries.
  EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayName"), L"Veldmark Quillon");
  EXPECT_EQ(RegistryText(kUninstallKey, L"Publisher"), L"Veldmark");
  EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayVersion"), ProductVersion(folder / L"quillon.exe"));
  EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayIcon"), (folder / L"quillon.exe").wstring() + L",0");
  EXPECT_EQ(RegistryText(kUninstallKey, L"UninstallString"), Quoted(folder / L"uninstall.exe"));
  EXPECT_GE(RegistryNumber(kUninstallKey, L"EstimatedSize").value_or(0),
            fs::file_size(folder / L"quillon.exe") / 1024);

  // The data folder: an empty catalogue, the help file, and start at logon left off.
  EXPECT_TRUE(fs::exists(DataFolder() / L"data.dat"));
  EXPECT_TRUE(FileBytes(DataFolder() / L"help.chm") == FileBytes(kBuiltHelp));
  EXPECT_EQ(IniText(Settings(), L"Software", L"Autorun"), L"No");
  EXPECT_FALSE(RunValue().has_value());

  RunningProgram program(folder / L"quillon.exe");
  ASSERT_TRUE(program.WaitForStatus(L"" TEXT_READY));
  EXPECT_EQ(program.ListedFiles(), 0);
  EXPECT_TRUE(program.Quit());
  // Its first start took the setup's choice instead of making its own.
  EXPECT_FALSE(RunValue().has_value());
  EXPECT_EQ(IniText(Settings(), L"Software", L"Autorun"), L"No");
}

TEST_F(InstallerTest, CatalogueAndSettingsSurviveReinstallAndUpgradeOverTheRunningProgram) {
  ASSERT_EQ(SilentSetup(kOlderSetup, L""), 0u);
  const fs::path folder = DefaultInstallFolder();
  ASSERT_NO_FATAL_FAILURE(CatalogueTwoFiles(folder));
  ::WritePrivateProfileStringW(L"QuickBar", L"Autoshow", L"No", Settings().c_str());
  const std::string catalogue = FileBytes(DataFolder() / L"data.dat");
  // A help file newer than the setup's is kept.
  WriteFileBytes(DataFolder() / L"help.chm", "newer help");
  SetWriteYear(DataFolder() / L"help.chm", 2100);

  ASSERT_EQ(SilentSetup(kOlderSetup, L""), 0u);
  EXPECT_TRUE(FileBytes(DataFolder() / L"data.dat") == catalogue);
  EXPECT_TRUE(FileBytes(DataFolder() / L"help.chm") == "newer help");
  EXPECT_EQ(IniText(Settings(), L"QuickBar", L"Autoshow"), L"No");

  // An older help file and an older program file are replaced by the upgrade.
  WriteFileBytes(DataFolder() / L"help.chm", "older help");
  SetWriteYear(DataFolder() / L"help.chm", 2001);
  WriteFileBytes(folder / L"quillon-catalogue.exe", "older program");
  {
    RunningProgram program(folder / L"quillon.exe");
    ASSERT_TRUE(program.WaitForStatus(L"" TEXT_READY));
    EXPECT_EQ(program.ListedFiles(), 2);
    // The setup asks the program to exit; the user says yes to its question.
    bool asked = false;
    EXPECT_EQ(RunToEnd(Quoted(kSetup) + L" /S",
                       [&] { asked = program.AnswerQuitQuestion(IDYES) || asked; }),
              0u);
    EXPECT_TRUE(asked);
    // Ended through its own Exit, not stopped.
    EXPECT_EQ(program.ExitCode(), 0u);
  }
  EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayVersion"), kVersion);
  EXPECT_TRUE(FileBytes(folder / L"quillon-catalogue.exe") == FileBytes(kBuiltCatalogueTool));
  EXPECT_TRUE(FileBytes(DataFolder() / L"help.chm") == FileBytes(kBuiltHelp));
  EXPECT_TRUE(FileBytes(DataFolder() / L"data.dat") == catalogue);
  EXPECT_EQ(IniText(Settings(), L"QuickBar", L"Autoshow"), L"No");

  RunningProgram upgraded(folder / L"quillon.exe");
  ASSERT_TRUE(upgraded.WaitForStatus(L"" TEXT_READY));
  EXPECT_EQ(upgraded.ListedFiles(), 2);
  EXPECT_TRUE(upgraded.Quit());
}

TEST_F(InstallerTest, UpgradeStopsAndChangesNothingWhenTheUserKeepsTheProgramRunning) {
  ASSERT_EQ(SilentSetup(kOlderSetup, L""), 0u);
  const fs::path folder = DefaultInstallFolder();
  RunningProgram program(folder / L"quillon.exe");
  ASSERT_TRUE(program.WaitForStatus(L"" TEXT_READY));

  EXPECT_NE(RunToEnd(Quoted(kSetup) + L" /S", [&] { program.AnswerQuitQuestion(IDNO); }), 0u);
  EXPECT_FALSE(program.HasEnded());
  EXPECT_EQ(RegistryText(kUninstallKey, L"DisplayVersion"), L"0.9.0");
}

TEST_F(InstallerTest, ADataFolderThatCannotBeWrittenStopsTheSetupBeforeItInstallsAnything) {
  // A file stands where the data folder belongs.
  fs::create_directories(DataFolder().parent_path());
  WriteFileBytes(DataFolder(), "not a folder");
  EXPECT_EQ(SilentSetup(kSetup, L"/AUTORUN=yes"), 2u);
  EXPECT_FALSE(fs::exists(DefaultInstallFolder() / L"quillon.exe"));
  EXPECT_FALSE(RegistryKeyExists(kUninstallKey));
  EXPECT_FALSE(fs::exists(Shortcut()));
  EXPECT_FALSE(RunValue().has_value());
  fs::remove(DataFolder());
}

TEST_F(InstallerTest, SilentUninstallRemovesTheProgramAndKeepsTheCatalogue) {
  ASSERT_EQ(SilentSetup(kSetup, L"/AUTORUN=yes"), 0u);
  const fs::path folder = DefaultInstallFolder();
  EXPECT_EQ(RunValue(), ExpectedRunValue(folder));
  EXPECT_EQ(IniText(Settings(), L"Software", L"Autorun"), L"Yes");
  {
    // The first start keeps the value the setup wrote.
    RunningProgram program(folder / L"quillon.exe");
    ASSERT_TRUE(program.WaitForStatus(L"" TEXT_READY));
    EXPECT_TRUE(program.Quit());
    EXPECT_EQ(RunValue(), ExpectedRunValue(folder));
  }
  const std::string catalogue = FileBytes(DataFolder() / L"data.dat");
  WriteFileBytes(folder / L"my notes.txt", "the user's own file");

  ASSERT_EQ(SilentUninstall(folder), 0u);
  for (const wchar_t* name : kProgramFiles) EXPECT_FALSE(fs::exists(folder / name)) << name;
  EXPECT_EQ(FileBytes(folder / L"my notes.txt"), "the user's own file");
  EXPECT_FALSE(fs::exists(Shortcut()));
  EXPECT_FALSE(RunValue().has_value());
  EXPECT_FALSE(RegistryKeyExists(kUninstallKey));
  EXPECT_TRUE(FileBytes(DataFolder() / L"data.dat") == catalogue);
  EXPECT_TRUE(fs::exists(Settings()));
}

TEST_F(InstallerTest, FolderWithBlanksAndNonAsciiLettersInstallsStartsAndUninstalls) {
  const fs::path folder = kOddFolder;
  ASSERT_EQ(SilentSetup(kSetup, L"/AUTORUN=yes /SENDTO=no /D=" + folder.wstring()), 0u);
  EXPECT_FALSE(fs::exists(SendToShortcut()));
  for (const wchar_t* name : kProgramFiles) EXPECT_TRUE(fs::exists(folder / name)) << name;
  EXPECT_EQ(RegistryText(kUninstallKey, L"InstallLocation"), folder.wstring());
  EXPECT_EQ(ShortcutTarget(Shortcut()), folder / L"quillon.exe");
  // Quoted, because of the blanks, exactly as the program's own command writes it.
  EXPECT_EQ(RunValue(), ExpectedRunValue(folder));
  EXPECT_EQ(RunValue().value_or(L"").front(), L'"');
  {
    RunningProgram program(folder / L"quillon.exe");
    ASSERT_TRUE(program.WaitForStatus(L"" TEXT_READY));
    EXPECT_TRUE(program.Quit());
  }

  ASSERT_EQ(SilentUninstall(folder), 0u);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_FALSE(RegistryKeyExists(kUninstallKey));
  EXPECT_TRUE(fs::exists(DataFolder() / L"data.dat"));
}

bool Eventually(const std::function<bool()>& done, int steps = 500) {
  for (int step = 0; step < steps && !done(); ++step) ::Sleep(20);
  return done();
}

// Several handed files are asked about as dropped ones are: "together or one by one". Answered
// one by one, the path in the first Edit Tags dialog; all of them are cancelled.
std::wstring FirstOfSeveralHandedFiles(const RunningProgram& program) {
  HWND question = nullptr;
  const auto asked = [&] {
    return (question = program.Dialog(L"" TEXT_MANY_FILES_CAPTION)) != nullptr;
  };
  if (!Eventually(asked)) return L"(no question)";
  ::PostMessageW(question, WM_COMMAND, IDNO, 0);
  std::wstring first;
  HWND dialog = nullptr;
  const auto open = [&] { return (dialog = program.Dialog(L"" TEXT_TITLE_NEW_FILE)) != nullptr; };
  while (Eventually(open, first.empty() ? 500 : 100)) {
    wchar_t path[MAX_PATH] = {};
    ::GetDlgItemTextW(dialog, IDC_PATH_BOX, path, MAX_PATH);
    if (first.empty()) first = path;
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Eventually([&] { return !::IsWindow(dialog); });
  }
  return first;
}

TEST_F(InstallerTest, ASecondStartHandsOverToTheFirstAndSendToReachesIt) {
  // Installed where paths have blanks and non-Latin letters: its own files are handed over.
  const fs::path folder = kOddFolder;
  ASSERT_EQ(SilentSetup(kSetup, L"/D=" + folder.wstring()), 0u);
  const fs::path program = folder / L"quillon.exe";
  RunningProgram first(program, L" -m");
  ASSERT_TRUE(first.WaitForStatus(L"" TEXT_READY));
  const HWND window = first.Window();
  ASSERT_TRUE(Eventually([&] { return !::IsWindowVisible(window); }));
  EXPECT_EQ(RunToEnd(Quoted(program) + L" -m"), 0u);
  EXPECT_FALSE(Eventually([&] { return ::IsWindowVisible(window); }, 50));
  EXPECT_EQ(RunToEnd(Quoted(program)), 0u);
  EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == window; }));
  RECT place{};
  ::GetWindowRect(window, &place);  // on top: its centre shows it
  const POINT centre{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
  EXPECT_EQ(::GetAncestor(::WindowFromPoint(centre), GA_ROOT), window);
  EXPECT_EQ(RunToEnd(Quoted(program) + L" " + Quoted(folder / L"help.chm") + L" " +
                     Quoted(program) + L" " + Quoted(folder / L"uninstall.exe")),
            0u);
  EXPECT_EQ(FirstOfSeveralHandedFiles(first), (folder / L"help.chm").wstring());

  std::wstring arguments = L"?";  // "Send to": Explorer appends the files
  const fs::path target = ShortcutTarget(SendToShortcut(), &arguments);
  EXPECT_TRUE(target == program && arguments.empty()) << target << arguments;
  EXPECT_EQ(RunToEnd(Quoted(target) + arguments + L" " + Quoted(folder / L"uninstall.exe") +
                     L" " + Quoted(program)),
            0u);
  EXPECT_EQ(FirstOfSeveralHandedFiles(first), (folder / L"uninstall.exe").wstring());
  EXPECT_TRUE(first.Quit());
  ASSERT_EQ(SilentUninstall(folder), 0u);
  EXPECT_FALSE(fs::exists(SendToShortcut()));
}

}  // namespace
}  // namespace quillon::testing
