#pragma once
// A store of named binary data sets, opened as byte streams. Names compare
// without regard to letter case.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// A read-only byte stream over one data set: a size, a current position, and
// reads that never go past the end.
class TResourceStream {
 public:
  explicit TResourceStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }
  std::int64_t Position() const { return position_; }
  // Moves to an absolute position, clamped to [0, Size()].
  void Seek(std::int64_t position);
  std::int64_t Remaining() const { return Size() - position_; }

  // Copies count bytes to out and advances; false, without moving, when
  // fewer than count bytes remain.
  bool Read(void* out, std::size_t count);

  // The whole data set as text (lines are split by the caller).
  std::string ReadAllText() const;

 private:
  std::span<const std::uint8_t> bytes_;
  std::int64_t position_ = 0;
};

class TResourceStore {
 public:
  // Adds a data set that the store owns (tests build fixtures this way).
  // A later data set of the same name replaces an earlier one.
  void Add(const std::string& name, std::vector<std::uint8_t> bytes);
  void Add(const std::string& name, const std::string& text);
  // Adds a data set whose bytes live for the whole program (embedded data).
  void AddStatic(const std::string& name, const std::uint8_t* bytes, std::size_t size);

  bool FindResource(const std::string& name) const;
  // A stream over the data set, or nothing when there is no such name.
  std::optional<TResourceStream> Open(const std::string& name) const;
  // Names of every data set, in upper case, sorted.
  std::vector<std::string> Names() const;

 private:
  struct Entry {
    std::shared_ptr<const std::vector<std::uint8_t>> owned;  // null for static data
    std::span<const std::uint8_t> bytes;
  };
  static std::string Key(const std::string& name);
  std::map<std::string, Entry> entries_;
};

}  // namespace corvane
