#pragma once
// A minimal stream of bytes, the form the image reader and writer work on:
// a position, reads that may come short, writes that grow the stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ruvezivevo {

class TStream {
 public:
  virtual ~TStream() = default;
  // Copies up to `count` bytes from the position on; returns how many came.
  virtual size_t Read(void *dest, size_t count) = 0;
  // Writes at the position, growing the stream as needed; returns the count written.
  virtual size_t Write(const void *src, size_t count) = 0;
  virtual uint64_t Position() const = 0;
  // A position beyond the end is allowed: reads there give nothing.
  virtual void SetPosition(uint64_t position) = 0;
  virtual uint64_t Size() const = 0;
  // Cuts or zero-extends the stream; the position stays where it was.
  virtual void SetSize(uint64_t size) = 0;
};

// A stream over an in-memory byte string.
class TByteStringStream final : public TStream {
 public:
  TByteStringStream() = default;
  explicit TByteStringStream(std::string bytes) : bytes_(std::move(bytes)) {}

  size_t Read(void *dest, size_t count) override;
  size_t Write(const void *src, size_t count) override;
  uint64_t Position() const override { return position_; }
  void SetPosition(uint64_t position) override { position_ = position; }
  uint64_t Size() const override { return bytes_.size(); }
  void SetSize(uint64_t size) override { bytes_.resize(static_cast<size_t>(size)); }

  const std::string &Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  uint64_t position_ = 0;
};

}  // namespace ruvezivevo
