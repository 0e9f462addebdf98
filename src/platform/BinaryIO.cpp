#include "platform/BinaryIO.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/Cp1252.h"

namespace tranchex {

void BinaryReader::require(std::size_t count, const char* what) const {
  if (count > remaining()) throw FileFormatError(what, pos_);
}

std::uint64_t BinaryReader::readLittle(std::size_t size) {
  require(size);
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < size; ++i) {
    v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
  }
  pos_ += size;
  return v;
}

std::uint8_t BinaryReader::readU8() { return static_cast<std::uint8_t>(readLittle(1)); }
std::int16_t BinaryReader::readI16() { return static_cast<std::int16_t>(readLittle(2)); }
std::uint16_t BinaryReader::readU16() { return static_cast<std::uint16_t>(readLittle(2)); }
std::int32_t BinaryReader::readI32() { return static_cast<std::int32_t>(readLittle(4)); }
std::uint32_t BinaryReader::readU32() { return static_cast<std::uint32_t>(readLittle(4)); }
std::int64_t BinaryReader::readI64() { return static_cast<std::int64_t>(readLittle(8)); }
double BinaryReader::readDouble() { return std::bit_cast<double>(readLittle(8)); }

std::string BinaryReader::readBytes(std::size_t count) {
  require(count);
  std::string out(bytes_.substr(pos_, count));
  pos_ += count;
  return out;
}

std::string FixedFieldText(std::string_view field, std::size_t width) {
  if (width == 0) return {};
  return Cp1252ToUtf8(field.substr(0, std::min(field.find('\0'), width - 1)));
}

std::string BinaryReader::readFixedText(std::size_t width) {
  require(width);
  std::string_view field = bytes_.substr(pos_, width);
  pos_ += width;
  return FixedFieldText(field, width);
}

void BinaryReader::skip(std::size_t count) {
  require(count);
  pos_ += count;
}

void BinaryWriter::writeLittle(std::uint64_t v, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void BinaryWriter::writeU8(std::uint8_t v) { writeLittle(v, 1); }
void BinaryWriter::writeI16(std::int16_t v) { writeLittle(static_cast<std::uint16_t>(v), 2); }
void BinaryWriter::writeU16(std::uint16_t v) { writeLittle(v, 2); }
void BinaryWriter::writeI32(std::int32_t v) { writeLittle(static_cast<std::uint32_t>(v), 4); }
void BinaryWriter::writeU32(std::uint32_t v) { writeLittle(v, 4); }
void BinaryWriter::writeI64(std::int64_t v) { writeLittle(static_cast<std::uint64_t>(v), 8); }
void BinaryWriter::writeDouble(double v) { writeLittle(std::bit_cast<std::uint64_t>(v), 8); }
void BinaryWriter::writeBytes(std::string_view bytes) { bytes_.append(bytes); }
void BinaryWriter::writeZeros(std::size_t count) { bytes_.append(count, '\0'); }

void BinaryWriter::writeFixedText(std::string_view utf8, std::size_t width) {
  std::size_t bad = 0;
  const auto encoded = Utf8ToCp1252(utf8, &bad);
  if (!encoded) {
    throw TextEncodingError("Le texte \"" + std::string(utf8) +
                            "\" contient un caractère qui ne peut pas être enregistré");
  }
  if (width == 0 || encoded->size() > width - 1) {
    throw TextEncodingError("Le texte \"" + std::string(utf8) + "\" dépasse " +
                            std::to_string(width == 0 ? 0 : width - 1) + " caractères");
  }
  bytes_.append(*encoded);
  bytes_.append(width - encoded->size(), '\0');
}

}  // namespace tranchex
