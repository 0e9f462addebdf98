#pragma once
// Bounded little-endian reading and writing of the binary files. Records are serialised field by
// field; every read checks that its bytes are there, so a short or corrupt file raises
// FileFormatError and never yields garbage.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tranchex {

// A file whose bytes do not hold what its format says: short, oversized or out of range.
class FileFormatError : public std::runtime_error {
 public:
  FileFormatError(const std::string& what, std::size_t offset)
      : std::runtime_error(what + " (octet " + std::to_string(offset) + ")"), offset_(offset) {}
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// A text that cannot be written into its field: a character Windows-1252 lacks, or too long.
class TextEncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The text a fixed field of `width` bytes holds, as UTF-8: its Windows-1252 bytes up to the
// first NUL, and at most the field's capacity, width - 1. A writer that filled the field to its
// end (no NUL) loses its last character: every text read fits its field again, so whatever
// opens can be saved. Bytes after the first NUL are ignored; `field` may be shorter than the
// width when a file ends inside it.
std::string FixedFieldText(std::string_view field, std::size_t width);

class BinaryReader {
 public:
  explicit BinaryReader(std::string_view bytes) : bytes_(bytes) {}

  std::uint8_t readU8();
  std::int16_t readI16();
  std::uint16_t readU16();
  std::int32_t readI32();
  std::uint32_t readU32();
  std::int64_t readI64();
  double readDouble();
  std::string readBytes(std::size_t count);
  // A field of `width` bytes holding a Windows-1252 text: FixedFieldText of its bytes.
  std::string readFixedText(std::size_t width);
  void skip(std::size_t count);

  std::size_t offset() const { return pos_; }
  std::size_t remaining() const { return bytes_.size() - pos_; }
  bool atEnd() const { return pos_ == bytes_.size(); }
  // Throws unless `count` more bytes are there.
  void require(std::size_t count, const char* what = "fin de fichier inattendue") const;

 private:
  std::uint64_t readLittle(std::size_t size);
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

class BinaryWriter {
 public:
  void writeU8(std::uint8_t v);
  void writeI16(std::int16_t v);
  void writeU16(std::uint16_t v);
  void writeI32(std::int32_t v);
  void writeU32(std::uint32_t v);
  void writeI64(std::int64_t v);
  void writeDouble(double v);
  void writeBytes(std::string_view bytes);
  void writeZeros(std::size_t count);
  // Writes the UTF-8 text as Windows-1252 into a field of `width` bytes, NUL-padded. Throws
  // TextEncodingError when a character has no Windows-1252 byte or the text needs more than
  // width-1 bytes: the file never holds a text that reads back otherwise.
  void writeFixedText(std::string_view utf8, std::size_t width);

  const std::string& bytes() const { return bytes_; }
  std::string take() { return std::move(bytes_); }
  std::size_t size() const { return bytes_.size(); }

 private:
  void writeLittle(std::uint64_t v, std::size_t size);
  std::string bytes_;
};

}  // namespace tranchex
