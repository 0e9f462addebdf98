#pragma once
// Byte-by-byte fixtures for the file tests: values are put at the offsets the layouts give, in
// little-endian order, into a buffer of known size. Nothing here uses the code under test.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace tranchex::test {

inline void PutU8(std::string& buf, std::size_t off, std::uint8_t v) {
  buf.at(off) = static_cast<char>(v);
}

inline void PutLittle(std::string& buf, std::size_t off, std::uint64_t v, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) buf.at(off + i) = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void PutI32(std::string& buf, std::size_t off, std::int32_t v) {
  PutLittle(buf, off, static_cast<std::uint32_t>(v), 4);
}

inline void PutU16(std::string& buf, std::size_t off, std::uint16_t v) { PutLittle(buf, off, v, 2); }

inline void PutF64(std::string& buf, std::size_t off, double v) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  PutLittle(buf, off, bits, 8);
}

// The bytes (already Windows-1252) followed by a NUL; the rest of the field keeps what the
// buffer held there.
inline void PutText(std::string& buf, std::size_t off, std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) buf.at(off + i) = bytes[i];
  buf.at(off + bytes.size()) = '\0';
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tranchex::test
