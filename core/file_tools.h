#pragma once
// The program's access to the file system: its data folder, file lists and
// whole-file text reads and writes.
//
// Every operation that returns a boolean reports failure by false and never
// raises; GetFileNames swallows errors. Paths are UTF-8 texts; folders handed
// to GetPath end with the separator "/".

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "core/types.h"

namespace corvane {

// Name of the program's folder inside the user's documents folder.
inline constexpr const char* kDataFolderName = "CorvaneAnalyzer";
inline constexpr char kPathSeparator = '/';

class TFileTools {
 public:
  // Uses the user's documents folder (see GetUserDocumentsFolder).
  TFileTools() = default;
  // Uses documentsBase in place of the user's documents folder, so that tests
  // and batch runs never write into the real home folder.
  explicit TFileTools(std::filesystem::path documentsBase);

  // Replace the documents folder; an empty path returns to the user's one.
  void SetDocumentsBase(std::filesystem::path documentsBase);

  // Uses programFolder itself as the program's folder (no "CorvaneAnalyzer"
  // below it): a batch run can keep its settings, polars and GRIB files in a
  // folder of its own.
  static TFileTools ForProgramFolder(std::filesystem::path programFolder);

  // The user's documents folder after the XDG rules: $XDG_DOCUMENTS_DIR when
  // set and non-empty; else the XDG_DOCUMENTS_DIR entry of
  // $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config/user-dirs.dirs, its
  // "$HOME" expanded; relative entries are ignored); else $HOME/Documents.
  // $HOME unset falls back to the account's home folder of the password
  // database, then to the current folder.
  static std::filesystem::path GetUserDocumentsFolder();

  // The program's folder: documents folder, "/", "CorvaneAnalyzer", "/".
  // The folder and any missing parent are created; when that fails the text
  // is returned all the same and the later file operations report the error.
  std::string GetDocumentsPath() const;
  // The same path without creating anything, for looking files up and
  // listing them: a folder that does not exist holds none, and a run that
  // writes nothing leaves no folder behind.
  std::string GetDocumentsPathForReading() const;

  // folder + fileName as they are (folder must end with the separator).
  std::string GetPath(const std::string& folder, const std::string& fileName) const;
  // The folder alone.
  std::string GetPath(const std::string& folder) const;

  // The process's current folder and the separator; empty when unknown.
  std::string GetCurrentPath() const;

  // True when file names an existing file (not a folder).
  bool GetFileExists(const std::string& file) const;

  // True when the file-name part of fullPath (after its last "/") and
  // fileName itself contain only characters allowed in file names, the part
  // is not "." or "..", and fileName is not empty after trimming blanks.
  // The characters refused are those of the strictest common platform
  // (control characters and < > : " / \ | ? *), so that a data folder can be
  // copied between computers.
  bool GetFileNameValid(const std::string& fullPath, const std::string& fileName) const;

  // Names without folder and (last) extension of the files in folder whose
  // names match the glob pattern ("*.pol"; letter case ignored), sorted.
  // nullopt when the folder cannot be listed.
  std::optional<TStringList> GetFileNameWithoutExtension(const std::string& folder,
                                                         const std::string& pattern) const;
  // The same names appended to list; false (list untouched) when the folder
  // cannot be listed.
  bool GetFileNameWithoutExtension(const std::string& folder, const std::string& pattern,
                                   TStringList& list) const;

  // Appends the full names of the matching files, sorted; errors are ignored.
  void GetFileNames(const std::string& folder, const std::string& pattern, TStringList& list) const;

  // Appends the full names of the sub-folders, sorted; false (list untouched)
  // when the folder cannot be listed.
  bool GetSubDirectories(const std::string& folder, TStringList& list) const;

  // Replaces lines by the lines of the file (line breaks "\n" or "\r\n", a
  // UTF-8 byte-order mark dropped, no empty entry after a final line break).
  // False, lines untouched, when the file is missing or unreadable; the
  // second form also tells why.
  bool ReadTextFile(const std::string& file, TStringList& lines) const;
  bool ReadTextFile(const std::string& file, TStringList& lines, std::error_code& error) const;

  // Writes the lines as UTF-8 without byte-order mark, each followed by "\n",
  // replacing the file. The text goes to a temporary file in the same folder
  // that is then renamed over the target, so a crash leaves either the old or
  // the new file, never a truncated one; an existing file keeps its
  // permissions. False on error (the folder must exist).
  bool SaveTextFile(const std::string& file, const TStringList& lines) const;
  bool SaveTextFile(const std::string& file, const TStringList& lines, std::error_code& error) const;

  // Deletes the file; false when it does not exist, is a folder or cannot be
  // deleted.
  bool DeleteFile(const std::string& file) const;

 private:
  std::filesystem::path documentsBase_;
  bool baseIsProgramFolder_ = false;
};

}  // namespace corvane
