#pragma once
// What the fuzz programs share: one input cut into the several data sets a
// loader reads together, and a scratch file for the readers that take a
// file name.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace corvane {

// Marks the border between two data sets of one input. It is text, so that
// a seed stays readable, and short, so that the fuzzer's mutations find it.
inline constexpr std::string_view kFuzzPartSeparator = "#part#";

// The input cut at the first count - 1 separators into count parts; parts
// the input lacks are empty, and the last part keeps the rest, separators
// and all.
inline std::vector<std::span<const std::uint8_t>> SplitFuzzInput(const std::uint8_t* data,
                                                                 std::size_t size,
                                                                 std::size_t count) {
  std::vector<std::span<const std::uint8_t>> parts;
  const std::span<const std::uint8_t> all(data, size);
  const auto separator = std::span<const std::uint8_t>(
      reinterpret_cast<const std::uint8_t*>(kFuzzPartSeparator.data()), kFuzzPartSeparator.size());
  auto begin = all.begin();
  while (parts.size() + 1 < count) {
    const auto end = std::search(begin, all.end(), separator.begin(), separator.end());
    if (end == all.end()) break;
    parts.emplace_back(begin, end);
    begin = end + static_cast<std::ptrdiff_t>(separator.size());
  }
  parts.emplace_back(begin, all.end());
  parts.resize(count);
  return parts;
}

inline std::vector<std::uint8_t> FuzzBytes(std::span<const std::uint8_t> part) {
  return {part.begin(), part.end()};
}

// A fresh temporary folder of this process, removed when the fuzz program
// ends: the readers under test take file names, so an input has to become
// a file first. scripts/run-fuzz points TMPDIR at shared memory, since the
// settings and polar writers sync every file they save and on a disk that
// would take most of the fuzzing time.
class TFuzzScratch {
 public:
  const std::filesystem::path& Folder() const { return folder_.path(); }

  // Writes the bytes to the file name inside the folder; returns its path.
  std::string Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
    const std::filesystem::path file = Folder() / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }

 private:
  TTempFolder folder_;
};

// The scratch folder of the running fuzz program, made at its first input.
inline const TFuzzScratch& FuzzScratch() {
  static const TFuzzScratch scratch;
  return scratch;
}

}  // namespace corvane
