#include "core/file_tools.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace corvane {

namespace fs = std::filesystem;

namespace {

#ifdef FNM_CASEFOLD
constexpr int kMatchFlags = FNM_CASEFOLD;
#else
constexpr int kMatchFlags = 0;
#endif

std::string GetEnv(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

fs::path HomeFolder() {
  const std::string home = GetEnv("HOME");
  if (!home.empty()) return fs::path(home);
  // The reentrant form, because the data folder is also built on the
  // background loading task.
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return fs::path(found->pw_dir);
  }
  std::error_code ec;
  return fs::current_path(ec);
}

std::string Trim(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

// The XDG_DOCUMENTS_DIR entry of a user-dirs.dirs file: lines of the form
// XDG_DOCUMENTS_DIR="$HOME/Documents", the value either "$HOME/..." or an
// absolute path (the xdg-user-dirs format).
std::optional<fs::path> DocumentsFromUserDirs(const fs::path& file, const fs::path& home) {
  std::ifstream in(file);
  if (!in) return std::nullopt;
  std::string line;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || Trim(line.substr(0, equals)) != "XDG_DOCUMENTS_DIR") continue;
    std::string value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    for (const std::string prefix : {"${HOME}", "$HOME"}) {
      if (value.rfind(prefix, 0) == 0) {
        std::string rest = value.substr(prefix.size());
        while (!rest.empty() && rest.front() == '/') rest.erase(0, 1);
        return rest.empty() ? home : home / rest;
      }
    }
    if (!value.empty() && value.front() == '/') return fs::path(value);
    return std::nullopt;
  }
  return std::nullopt;
}

// Lists folder; entries for which keep() holds are passed to add(). Returns
// false when the folder cannot be listed.
template <typename Keep, typename Add>
bool ListFolder(const std::string& folder, Keep keep, Add add) {
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), ec);
  if (ec) return false;
  std::vector<fs::directory_entry> entries;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) return false;
    if (keep(*it)) entries.push_back(*it);
  }
  if (ec) return false;
  // Directory order is arbitrary; sorting keeps lists stable between runs.
  std::sort(entries.begin(), entries.end(),
            [](const fs::directory_entry& a, const fs::directory_entry& b) {
              return a.path().filename().string() < b.path().filename().string();
            });
  for (const fs::directory_entry& entry : entries) add(entry);
  return true;
}

bool IsMatchingFile(const fs::directory_entry& entry, const std::string& pattern) {
  std::error_code ec;
  if (!entry.is_regular_file(ec) || ec) return false;
  const std::string name = entry.path().filename().string();
  return fnmatch(pattern.c_str(), name.c_str(), kMatchFlags) == 0;
}

bool IsForbiddenFileNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u < 0x20 || u == 0x7F) return true;
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '/':
    case '\\':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

bool HasForbiddenChar(const std::string& text) {
  return std::any_of(text.begin(), text.end(), IsForbiddenFileNameChar);
}

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

}  // namespace

TFileTools::TFileTools(fs::path documentsBase) : documentsBase_(std::move(documentsBase)) {}

void TFileTools::SetDocumentsBase(fs::path documentsBase) {
  documentsBase_ = std::move(documentsBase);
  baseIsProgramFolder_ = false;
}

fs::path TFileTools::GetUserDocumentsFolder() {
  const std::string explicitFolder = GetEnv("XDG_DOCUMENTS_DIR");
  if (!explicitFolder.empty()) return fs::path(explicitFolder);
  const fs::path home = HomeFolder();
  fs::path configHome(GetEnv("XDG_CONFIG_HOME"));
  // The XDG rules ignore a relative XDG_CONFIG_HOME.
  if (configHome.empty() || configHome.is_relative()) configHome = home / ".config";
  if (auto folder = DocumentsFromUserDirs(configHome / "user-dirs.dirs", home)) return *folder;
  return home / "Documents";
}

TFileTools TFileTools::ForProgramFolder(std::filesystem::path programFolder) {
  TFileTools tools(std::move(programFolder));
  tools.baseIsProgramFolder_ = !tools.documentsBase_.empty();
  return tools;
}

std::string TFileTools::GetDocumentsPath() const {
  const std::string path = GetDocumentsPathForReading();
  std::error_code ec;
  fs::create_directories(fs::path(path), ec);
  return path;
}

std::string TFileTools::GetDocumentsPathForReading() const {
  const fs::path base = documentsBase_.empty() ? GetUserDocumentsFolder() : documentsBase_;
  const fs::path folder = baseIsProgramFolder_ ? base : base / kDataFolderName;
  std::string text = folder.string();
  if (text.empty() || text.back() != kPathSeparator) text += kPathSeparator;
  return text;
}

std::string TFileTools::GetPath(const std::string& folder, const std::string& fileName) const {
  return folder + fileName;
}

std::string TFileTools::GetPath(const std::string& folder) const { return folder; }

std::string TFileTools::GetCurrentPath() const {
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  if (ec) return std::string();
  std::string text = current.string();
  if (text.empty() || text.back() != kPathSeparator) text += kPathSeparator;
  return text;
}

bool TFileTools::GetFileExists(const std::string& file) const {
  if (file.empty()) return false;
  std::error_code ec;
  const fs::file_status status = fs::status(fs::path(file), ec);
  return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool TFileTools::GetFileNameValid(const std::string& fullPath, const std::string& fileName) const {
  if (Trim(fileName).empty()) return false;
  const std::size_t slash = fullPath.find_last_of(kPathSeparator);
  const std::string namePart = slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
  if (namePart.empty() || namePart == "." || namePart == "..") return false;
  return !HasForbiddenChar(namePart) && !HasForbiddenChar(fileName);
}

std::optional<TStringList> TFileTools::GetFileNameWithoutExtension(const std::string& folder,
                                                                   const std::string& pattern) const {
  TStringList names;
  if (!GetFileNameWithoutExtension(folder, pattern, names)) return std::nullopt;
  return names;
}

bool TFileTools::GetFileNameWithoutExtension(const std::string& folder, const std::string& pattern,
                                             TStringList& list) const {
  try {
    TStringList names;
    const bool listed = ListFolder(
        folder, [&](const fs::directory_entry& e) { return IsMatchingFile(e, pattern); },
        [&](const fs::directory_entry& e) { names.push_back(e.path().stem().string()); });
    if (!listed) return false;
    list.insert(list.end(), names.begin(), names.end());
    return true;
  } catch (...) {
    return false;
  }
}

void TFileTools::GetFileNames(const std::string& folder, const std::string& pattern,
                              TStringList& list) const {
  try {
    TStringList names;
    ListFolder(
        folder, [&](const fs::directory_entry& e) { return IsMatchingFile(e, pattern); },
        [&](const fs::directory_entry& e) { names.push_back(e.path().string()); });
    list.insert(list.end(), names.begin(), names.end());
  } catch (...) {
    // A listing error leaves the list as it was.
  }
}

bool TFileTools::GetSubDirectories(const std::string& folder, TStringList& list) const {
  try {
    TStringList names;
    const bool listed = ListFolder(
        folder,
        [](const fs::directory_entry& e) {
          std::error_code ec;
          return e.is_directory(ec) && !ec;
        },
        [&](const fs::directory_entry& e) { names.push_back(e.path().string()); });
    if (!listed) return false;
    list.insert(list.end(), names.begin(), names.end());
    return true;
  } catch (...) {
    return false;
  }
}

bool TFileTools::ReadTextFile(const std::string& file, TStringList& lines) const {
  std::error_code error;
  return ReadTextFile(file, lines, error);
}

bool TFileTools::ReadTextFile(const std::string& file, TStringList& lines,
                              std::error_code& error) const {
  error.clear();
  try {
    const fs::path path(file);
    const fs::file_status status = fs::status(path, error);
    if (error) return false;
    if (!fs::exists(status)) {
      error = std::make_error_code(std::errc::no_such_file_or_directory);
      return false;
    }
    if (fs::is_directory(status)) {
      error = std::make_error_code(std::errc::is_a_directory);
      return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      error = LastError();
      if (!error) error = std::make_error_code(std::errc::permission_denied);
      return false;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
      error = std::make_error_code(std::errc::io_error);
      return false;
    }
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    TStringList result;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      const bool last = end == std::string::npos;
      if (last) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      result.push_back(std::move(line));
      start = end + 1;
    }
    lines = std::move(result);
    return true;
  } catch (...) {
    if (!error) error = std::make_error_code(std::errc::io_error);
    return false;
  }
}

bool TFileTools::SaveTextFile(const std::string& file, const TStringList& lines) const {
  std::error_code error;
  return SaveTextFile(file, lines, error);
}

bool TFileTools::SaveTextFile(const std::string& file, const TStringList& lines,
                              std::error_code& error) const {
  error.clear();
  std::string tempName;
  int fd = -1;
  try {
    std::string data;
    for (const std::string& line : lines) {
      data += line;
      data += '\n';
    }
    const fs::path target(file);
    if (target.filename().empty()) {
      error = std::make_error_code(std::errc::invalid_argument);
      return false;
    }
    // The temporary file sits in the target's folder so that the rename
    // stays on one file system and is atomic.
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
      const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) +
                               "-" + std::to_string(counter.fetch_add(1)) + ".tmp";
      tempName = (folder / name).string();
      fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
      error = LastError();
      tempName.clear();
      return false;
    }
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
      ::fchmod(fd, existing.st_mode & 07777);
    }
    bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
    if (!ok) error = LastError();
    if (::close(fd) != 0 && ok) {
      ok = false;
      error = LastError();
    }
    fd = -1;
    if (ok && ::rename(tempName.c_str(), file.c_str()) != 0) {
      ok = false;
      error = LastError();
    }
    if (!ok) {
      ::unlink(tempName.c_str());
      if (!error) error = std::make_error_code(std::errc::io_error);
      return false;
    }
    return true;
  } catch (...) {
    if (fd >= 0) ::close(fd);
    if (!tempName.empty()) ::unlink(tempName.c_str());
    if (!error) error = std::make_error_code(std::errc::io_error);
    return false;
  }
}

bool TFileTools::DeleteFile(const std::string& file) const {
  if (file.empty()) return false;
  std::error_code ec;
  const fs::path path(file);
  const fs::file_status status = fs::symlink_status(path, ec);
  if (ec || !fs::exists(status) || fs::is_directory(status)) return false;
  return fs::remove(path, ec) && !ec;
}

}  // namespace corvane
