#include "grib/grib_byte_stream.h"

#include <algorithm>
#include <cstring>

namespace corvane {

void TGRIBMemoryStream::Seek(std::uint64_t position) {
  position_ = std::min<std::uint64_t>(position, bytes_.size());
}

std::size_t TGRIBMemoryStream::Read(std::uint8_t* into, std::size_t count) {
  const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, Remaining()));
  if (n > 0) std::memcpy(into, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

bool TGRIBFileStream::Open(const std::string& path) {
  file_.close();
  file_.clear();
  size_ = 0;
  position_ = 0;
  bufferStart_ = 0;
  bufferLength_ = 0;
  file_.open(path, std::ios::binary);
  if (!file_) return false;
  file_.seekg(0, std::ios::end);
  const std::streamoff end = file_.tellg();
  file_.seekg(0, std::ios::beg);
  if (end < 0 || !file_) return false;
  size_ = static_cast<std::uint64_t>(end);
  return true;
}

void TGRIBFileStream::Seek(std::uint64_t position) { position_ = std::min(position, size_); }

bool TGRIBFileStream::Fill() {
  buffer_.resize(kBufferSize);
  bufferStart_ = position_;
  bufferLength_ = 0;
  file_.clear();
  file_.seekg(static_cast<std::streamoff>(position_), std::ios::beg);
  const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, Remaining()));
  file_.read(reinterpret_cast<char*>(buffer_.data()), static_cast<std::streamsize>(wanted));
  bufferLength_ = static_cast<std::size_t>(std::max<std::streamsize>(file_.gcount(), 0));
  if (bufferLength_ < wanted) {
    // A short read (file truncated meanwhile, device error): the stream ends
    // here, so no later read trusts a stale position.
    size_ = position_ + bufferLength_;
  }
  return bufferLength_ > 0;
}

std::size_t TGRIBFileStream::Read(std::uint8_t* into, std::size_t count) {
  std::size_t delivered = 0;
  while (delivered < count && Remaining() > 0) {
    if (position_ < bufferStart_ || position_ >= bufferStart_ + bufferLength_) {
      if (!Fill()) break;
    }
    const auto offset = static_cast<std::size_t>(position_ - bufferStart_);
    const std::size_t n = std::min(count - delivered, bufferLength_ - offset);
    std::memcpy(into + delivered, buffer_.data() + offset, n);
    delivered += n;
    position_ += n;
  }
  return delivered;
}

}  // namespace corvane
