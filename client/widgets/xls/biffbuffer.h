#pragma once
// A growing byte buffer with little-endian writers, for BIFF records and the
// compound document's tables.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vlm::xls {

class ByteBuffer {
 public:
  std::size_t size() const { return size_; }
  const char* data() const { return reinterpret_cast<const char*>(bytes_.get()); }
  void reserve(std::size_t n) {
    if (n <= capacity_) return;
    // Left uninitialised: every byte is written before it is read.
    std::unique_ptr<std::uint8_t[]> bigger(new std::uint8_t[n]);
    if (size_) std::memcpy(bigger.get(), bytes_.get(), size_);
    bytes_ = std::move(bigger);
    capacity_ = n;
  }
  void clear() { size_ = 0; }

  // Appends n bytes and returns where they start; the caller fills them.
  std::uint8_t* grow(std::size_t n) {
    if (size_ + n > capacity_) reserve(std::max({size_ + n, capacity_ * 2, std::size_t(4096)}));
    std::uint8_t* p = bytes_.get() + size_;
    size_ += n;
    return p;
  }

  void u8(std::uint8_t v) { *grow(1) = v; }
  void u16(std::uint16_t v) { put16(grow(2), v); }
  void u32(std::uint32_t v) { put32(grow(4), v); }
  void f64(double v) { put64(grow(8), std::bit_cast<std::uint64_t>(v)); }
  void zeros(std::size_t n) { std::memset(grow(n), 0, n); }
  void append(const void* p, std::size_t n) {
    if (n) std::memcpy(grow(n), p, n);
  }
  void append(const ByteBuffer& other) { append(other.bytes_.get(), other.size()); }

  void set8(std::size_t pos, std::uint8_t v) { bytes_[pos] = v; }
  void set16(std::size_t pos, std::uint16_t v) { put16(bytes_.get() + pos, v); }
  void set32(std::size_t pos, std::uint32_t v) { put32(bytes_.get() + pos, v); }

  // A BIFF record header: type and data length.
  void record(std::uint16_t type, std::uint16_t length) {
    std::uint8_t* p = grow(4);
    put16(p, type);
    put16(p + 2, length);
  }

  static void put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
  }
  static void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, std::uint16_t(v));
    put16(p + 2, std::uint16_t(v >> 16));
  }
  static void put64(std::uint8_t* p, std::uint64_t v) {
    put32(p, std::uint32_t(v));
    put32(p + 4, std::uint32_t(v >> 32));
  }

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace vlm::xls
