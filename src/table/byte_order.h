#pragma once
// Fixed-width integers read from and written to byte strings. The table format stores its
// integers little-endian, the FoxPro memo format big-endian. Every function
// reads exactly the bytes it names; callers check that they are there.

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

inline std::uint32_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

inline std::uint16_t LittleEndian16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(Byte(bytes, at) | Byte(bytes, at + 1) << 8);
}

inline std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8 | Byte(bytes, at + 2) << 16 | Byte(bytes, at + 3) << 24;
}

inline std::uint64_t LittleEndian64(std::string_view bytes, std::size_t at) {
  return LittleEndian32(bytes, at) | std::uint64_t{LittleEndian32(bytes, at + 4)} << 32;
}

inline std::uint16_t BigEndian16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(Byte(bytes, at) << 8 | Byte(bytes, at + 1));
}

inline std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
  return Byte(bytes, at) << 24 | Byte(bytes, at + 1) << 16 | Byte(bytes, at + 2) << 8 | Byte(bytes, at + 3);
}

inline void AppendLittleEndian16(std::string& bytes, std::uint16_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>(value >> 8);
}

inline void AppendLittleEndian32(std::string& bytes, std::uint32_t value) {
  AppendLittleEndian16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
  AppendLittleEndian16(bytes, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace quorvex
