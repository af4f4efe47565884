#pragma once
// The byte streams a GRIB reading runs over: a file on disk or bytes held in
// memory (tests, fuzzing). Both read sequentially, seek, and never read past
// their end: a read returns how many octets it delivered.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace corvane {

class TGRIBByteStream {
 public:
  virtual ~TGRIBByteStream() = default;
  // Total size in octets.
  virtual std::uint64_t Size() const = 0;
  // Octets before the read position, 0 ... Size().
  virtual std::uint64_t Position() const = 0;
  // Moves the read position; a position past the end is clamped to Size().
  virtual void Seek(std::uint64_t position) = 0;
  // Reads up to count octets into `into` and advances by as many; returns
  // how many were read (fewer only at the end or on a read error).
  virtual std::size_t Read(std::uint8_t* into, std::size_t count) = 0;

  // Octets from the read position to the end.
  std::uint64_t Remaining() const { return Size() - Position(); }
};

// Bytes held by the caller, who keeps them alive while the stream is used.
class TGRIBMemoryStream final : public TGRIBByteStream {
 public:
  explicit TGRIBMemoryStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::uint64_t Position() const override { return position_; }
  void Seek(std::uint64_t position) override;
  std::size_t Read(std::uint8_t* into, std::size_t count) override;

 private:
  std::span<const std::uint8_t> bytes_;
  std::uint64_t position_ = 0;
};

// A file opened for reading. The size is taken once at opening. Reads go
// through a buffer, so the record search, which moves back and forth by a
// few octets, costs no system call per octet.
class TGRIBFileStream final : public TGRIBByteStream {
 public:
  // False when the file cannot be opened or its size cannot be read.
  bool Open(const std::string& path);
  std::uint64_t Size() const override { return size_; }
  std::uint64_t Position() const override { return position_; }
  void Seek(std::uint64_t position) override;
  std::size_t Read(std::uint8_t* into, std::size_t count) override;

 private:
  // Fills the buffer from the file at the read position; false at the end
  // or on a read error.
  bool Fill();

  static constexpr std::size_t kBufferSize = 1 << 16;
  std::ifstream file_;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
  std::size_t bufferLength_ = 0;   // octets of buffer_ that hold file data
};

}  // namespace corvane
