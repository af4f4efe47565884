#include "data/resource_store.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace corvane {

void TResourceStream::Seek(std::int64_t position) {
  position_ = std::clamp<std::int64_t>(position, 0, Size());
}

bool TResourceStream::Read(void* out, std::size_t count) {
  if (static_cast<std::int64_t>(count) > Remaining()) return false;
  if (count > 0) std::memcpy(out, bytes_.data() + position_, count);
  position_ += static_cast<std::int64_t>(count);
  return true;
}

std::string TResourceStream::ReadAllText() const {
  return std::string(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
}

std::string TResourceStore::Key(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

void TResourceStore::Add(const std::string& name, std::vector<std::uint8_t> bytes) {
  auto owned = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
  std::span<const std::uint8_t> view(owned->data(), owned->size());
  entries_[Key(name)] = Entry{std::move(owned), view};
}

void TResourceStore::Add(const std::string& name, const std::string& text) {
  Add(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void TResourceStore::AddStatic(const std::string& name, const std::uint8_t* bytes,
                               std::size_t size) {
  entries_[Key(name)] = Entry{nullptr, std::span<const std::uint8_t>(bytes, size)};
}

bool TResourceStore::FindResource(const std::string& name) const {
  return entries_.contains(Key(name));
}

std::optional<TResourceStream> TResourceStore::Open(const std::string& name) const {
  auto it = entries_.find(Key(name));
  if (it == entries_.end()) return std::nullopt;
  return TResourceStream(it->second.bytes);
}

std::vector<std::string> TResourceStore::Names() const {
  std::vector<std::string> names;
  for (const auto& [key, entry] : entries_) names.push_back(key);
  return names;
}

}  // namespace corvane
