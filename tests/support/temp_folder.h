#pragma once
// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends, so tests never touch the user's own folders.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace corvane {

class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
    path_ = pattern;
  }
  ~TTempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program writes folders: ending with the separator.
  std::string folder() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

}  // namespace corvane
