#include "core/file_tools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Sets or unsets an environment variable for the life of the guard.
class EnvGuard {
 public:
  EnvGuard(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvGuard() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(FileToolsTest, DocumentsPathIsCreatedUnderTheGivenBase) {
  TTempFolder temp;
  const fs::path base = temp.path() / "not" / "yet";
  const TFileTools tools(base);
  const std::string path = tools.GetDocumentsPath();
  EXPECT_EQ(path, (base / "CorvaneAnalyzer").string() + "/");
  EXPECT_TRUE(fs::is_directory(base / "CorvaneAnalyzer"));
  // A second call finds the folder in place.
  EXPECT_EQ(tools.GetDocumentsPath(), path);
}

TEST(FileToolsTest, AProgramFolderIsUsedAsItIs) {
  TTempFolder temp;
  const fs::path folder = temp.path() / "race-files";
  TFileTools tools = TFileTools::ForProgramFolder(folder);
  EXPECT_EQ(tools.GetDocumentsPath(), folder.string() + "/");
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_FALSE(fs::exists(folder / "CorvaneAnalyzer"));
  // Naming a documents folder again puts the program's folder below it.
  tools.SetDocumentsBase(folder);
  EXPECT_EQ(tools.GetDocumentsPath(), (folder / "CorvaneAnalyzer").string() + "/");
}

TEST(FileToolsTest, DocumentsFolderFollowsTheXdgRules) {
  TTempFolder temp;
  const fs::path home = temp.path() / "home";
  const fs::path config = temp.path() / "config";
  fs::create_directories(home);
  fs::create_directories(config);

  struct Case {
    const char* name;
    std::optional<std::string> documentsVariable;
    const char* userDirsText;  // nullptr: no user-dirs.dirs
    fs::path expected;
  };
  const Case cases[] = {
      {"no settings: $HOME/Documents", std::nullopt, nullptr, home / "Documents"},
      {"user-dirs.dirs with $HOME", std::nullopt,
       "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\n"
       "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n",
       home / "Papers"},
      {"user-dirs.dirs with an absolute path", std::nullopt,
       "XDG_DOCUMENTS_DIR=\"/srv/shared/docs\"\n", fs::path("/srv/shared/docs")},
      {"user-dirs.dirs with a relative path is ignored", std::nullopt,
       "XDG_DOCUMENTS_DIR=\"docs\"\n", home / "Documents"},
      {"empty variable counts as unset", std::string(), nullptr, home / "Documents"},
      {"variable wins over user-dirs.dirs", (temp.path() / "direct").string(),
       "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", temp.path() / "direct"},
  };
  const EnvGuard homeGuard("HOME", home.string());
  const EnvGuard configGuard("XDG_CONFIG_HOME", config.string());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const EnvGuard documentsGuard("XDG_DOCUMENTS_DIR", c.documentsVariable);
    fs::remove(config / "user-dirs.dirs");
    if (c.userDirsText != nullptr) WriteBytes(config / "user-dirs.dirs", c.userDirsText);
    EXPECT_EQ(TFileTools::GetUserDocumentsFolder(), c.expected);
  }
}

TEST(FileToolsTest, DefaultToolsCreateTheFolderInTheUsersDocuments) {
  TTempFolder temp;
  const EnvGuard homeGuard("HOME", temp.path().string());
  const EnvGuard configGuard("XDG_CONFIG_HOME", std::nullopt);
  const EnvGuard documentsGuard("XDG_DOCUMENTS_DIR", std::nullopt);
  const std::string path = TFileTools().GetDocumentsPath();
  EXPECT_EQ(path, (temp.path() / "Documents" / "CorvaneAnalyzer").string() + "/");
  EXPECT_TRUE(fs::is_directory(path));
}

TEST(FileToolsTest, FileNameValidity) {
  struct Case {
    const char* fullPath;
    const char* fileName;
    bool valid;
  };
  const Case cases[] = {
      {"/data/My-Class 30.pol", "My-Class 30", true},
      {"/data/a?.pol", "a?", false},
      {"/data/a*b.pol", "a*b", false},
      {"/data/a|b.pol", "a|b", false},
      {"/data/a:b.pol", "a:b", false},
      {"/data/a\tb.pol", "a\tb", false},
      {"/data/   .pol", "   ", false},
      {"/data/.pol", "", false},
      {"/data/b.pol", "a/b", false},
      {"/data/..", "..", false},
      {"/data/", "x", false},
  };
  const TFileTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fullPath);
    EXPECT_EQ(tools.GetFileNameValid(c.fullPath, c.fileName), c.valid);
  }
}

TEST(FileToolsTest, ListingByPattern) {
  TTempFolder temp;
  WriteBytes(temp.path() / "a.pol", "x");
  WriteBytes(temp.path() / "b.txt", "x");
  WriteBytes(temp.path() / "C.POL", "x");
  WriteBytes(temp.path() / "d.e.pol", "x");
  fs::create_directory(temp.path() / "folder.pol");
  const TFileTools tools;

  const auto names = tools.GetFileNameWithoutExtension(temp.folder(), "*.pol");
  ASSERT_TRUE(names.has_value());
  // Letter case is ignored; folders are not files; only the last extension
  // is removed.
  EXPECT_EQ(*names, (TStringList{"C", "a", "d.e"}));

  TStringList appended{"kept"};
  EXPECT_TRUE(tools.GetFileNameWithoutExtension(temp.folder(), "*.txt", appended));
  EXPECT_EQ(appended, (TStringList{"kept", "b"}));

  TStringList full;
  tools.GetFileNames(temp.folder(), "a.*", full);
  EXPECT_EQ(full, (TStringList{(temp.path() / "a.pol").string()}));

  TStringList folders;
  EXPECT_TRUE(tools.GetSubDirectories(temp.folder(), folders));
  EXPECT_EQ(folders, (TStringList{(temp.path() / "folder.pol").string()}));
}

TEST(FileToolsTest, ListingAMissingFolderFailsQuietly) {
  TTempFolder temp;
  const std::string missing = temp.folder() + "missing/";
  const TFileTools tools;
  EXPECT_FALSE(tools.GetFileNameWithoutExtension(missing, "*.pol").has_value());
  TStringList list{"kept"};
  EXPECT_FALSE(tools.GetFileNameWithoutExtension(missing, "*.pol", list));
  EXPECT_FALSE(tools.GetSubDirectories(missing, list));
  tools.GetFileNames(missing, "*", list);
  EXPECT_EQ(list, (TStringList{"kept"}));
}

TEST(FileToolsTest, SaveWritesUtf8LinesWithoutBom) {
  TTempFolder temp;
  const std::string file = temp.folder() + "polar.pol";
  const TFileTools tools;
  ASSERT_TRUE(tools.SaveTextFile(file, {"52\xC2\xB0 4.9", "", "end"}));
  EXPECT_EQ(ReadBytes(file), "52\xC2\xB0 4.9\n\nend\n");

  TStringList lines;
  ASSERT_TRUE(tools.ReadTextFile(file, lines));
  EXPECT_EQ(lines, (TStringList{"52\xC2\xB0 4.9", "", "end"}));

  ASSERT_TRUE(tools.SaveTextFile(file, {}));
  EXPECT_EQ(ReadBytes(file), "");
  ASSERT_TRUE(tools.ReadTextFile(file, lines));
  EXPECT_TRUE(lines.empty());
}

TEST(FileToolsTest, ReplacingAFileKeepsItsPermissionsAndLeavesNoTemporaryFile) {
  TTempFolder temp;
  const fs::path file = temp.path() / "settings.ini";
  WriteBytes(file, "old contents that are longer than the new ones\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  const TFileTools tools;
  ASSERT_TRUE(tools.SaveTextFile(file.string(), {"new"}));
  EXPECT_EQ(ReadBytes(file), "new\n");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(temp.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(FileToolsTest, SavingIntoAMissingFolderFails) {
  TTempFolder temp;
  const TFileTools tools;
  std::error_code error;
  EXPECT_FALSE(tools.SaveTextFile(temp.folder() + "missing/file.txt", {"x"}, error));
  EXPECT_TRUE(static_cast<bool>(error));
}

TEST(FileToolsTest, ReadAcceptsWindowsLineEndsAndABom) {
  TTempFolder temp;
  const fs::path file = temp.path() / "dos.txt";
  WriteBytes(file, "\xEF\xBB\xBF[SETTINGS]\r\nKEY=1\r\nlast");
  TStringList lines;
  ASSERT_TRUE(TFileTools().ReadTextFile(file.string(), lines));
  EXPECT_EQ(lines, (TStringList{"[SETTINGS]", "KEY=1", "last"}));
}

TEST(FileToolsTest, ReadFailsForMissingFilesAndFolders) {
  TTempFolder temp;
  const TFileTools tools;
  TStringList lines{"kept"};
  EXPECT_FALSE(tools.ReadTextFile(temp.folder() + "missing.txt", lines));
  EXPECT_FALSE(tools.ReadTextFile(temp.path().string(), lines));
  EXPECT_EQ(lines, (TStringList{"kept"}));
}

TEST(FileToolsTest, ExistsAndDelete) {
  TTempFolder temp;
  const fs::path file = temp.path() / "a.grb";
  WriteBytes(file, "GRIB");
  const TFileTools tools;
  EXPECT_TRUE(tools.GetFileExists(file.string()));
  EXPECT_FALSE(tools.GetFileExists(temp.path().string()));
  EXPECT_FALSE(tools.DeleteFile(temp.path().string()));
  EXPECT_TRUE(fs::is_directory(temp.path()));
  EXPECT_TRUE(tools.DeleteFile(file.string()));
  EXPECT_FALSE(tools.GetFileExists(file.string()));
  EXPECT_FALSE(tools.DeleteFile(file.string()));
}

TEST(FileToolsTest, PathsAreJoinedAsGiven) {
  const TFileTools tools;
  EXPECT_EQ(tools.GetPath("/data/", "a.pol"), "/data/a.pol");
  EXPECT_EQ(tools.GetPath("/data/"), "/data/");
  const std::string current = tools.GetCurrentPath();
  ASSERT_FALSE(current.empty());
  EXPECT_EQ(current.back(), '/');
}

}  // namespace
}  // namespace corvane
