#pragma once
// A growing byte buffer with little-endian writers, for BIFF records and the
// compound document's tables.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vlm::xls {

class ByteBuffer {
 public:
  std::size_t size() const { return bytes_.size(); }
  const char* data() const { return reinterpret_cast<const char*>(bytes_.data()); }
  void reserve(std::size_t n) { bytes_.reserve(n); }
  void clear() { bytes_.clear(); }

  // Appends n bytes and returns where they start; the caller fills them.
  std::uint8_t* grow(std::size_t n) {
    const std::size_t old = bytes_.size();
    if (bytes_.capacity() < old + n) bytes_.reserve(std::max(old + n, bytes_.capacity() * 2));
    bytes_.resize(old + n);
    return bytes_.data() + old;
  }

  void u8(std::uint8_t v) { bytes_.push_back(v); }
  void u16(std::uint16_t v) { put16(grow(2), v); }
  void u32(std::uint32_t v) { put32(grow(4), v); }
  void f64(double v) { put64(grow(8), std::bit_cast<std::uint64_t>(v)); }
  void zeros(std::size_t n) { std::memset(grow(n), 0, n); }
  void append(const void* p, std::size_t n) {
    if (n) std::memcpy(grow(n), p, n);
  }
  void append(const ByteBuffer& other) { append(other.bytes_.data(), other.size()); }

  void set8(std::size_t pos, std::uint8_t v) { bytes_[pos] = v; }
  void set16(std::size_t pos, std::uint16_t v) { put16(bytes_.data() + pos, v); }
  void set32(std::size_t pos, std::uint32_t v) { put32(bytes_.data() + pos, v); }
  std::uint32_t get32(std::size_t pos) const {
    const std::uint8_t* p = bytes_.data() + pos;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
  }

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
  std::vector<std::uint8_t> bytes_;
};

}  // namespace vlm::xls
