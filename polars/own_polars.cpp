#include "polars/own_polars.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/types.h"

namespace corvane {

bool SameClassName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

TOwnPolarFile FindOwnPolarFile(const TFileTools& Files, const std::string& ClassName) {
  const std::string folder = Files.GetDocumentsPath();
  TOwnPolarFile target{ClassName, Files.GetPath(folder, ClassName + kOwnPolarExtension), false};
  // The listing matches the extension in any case, as the class list does.
  TStringList files;
  Files.GetFileNames(folder, kOwnPolarPattern, files);
  for (const std::string& file : files) {
    const std::string name = std::filesystem::path(file).stem().string();
    if (!SameClassName(name, ClassName)) continue;
    const bool exact = name == ClassName;
    if (!target.Exists || exact) target = TOwnPolarFile{name, file, true};
    if (exact) break;
  }
  return target;
}

}  // namespace corvane
