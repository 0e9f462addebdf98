#include "platform/Cp1252.h"

#include <array>
#include <cstdint>

namespace tranchex {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControls[b - 0x80];
  return b;
}

std::optional<unsigned char> CodePointToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::optional<char32_t> DecodeUtf8(std::string_view s, std::size_t& pos) {
  if (pos >= s.size()) return std::nullopt;
  const auto b0 = static_cast<unsigned char>(s[pos]);
  std::size_t len = 0;
  char32_t cp = 0;
  if (b0 < 0x80) {
    ++pos;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + len > s.size()) return std::nullopt;
  for (std::size_t i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  // Overlong forms, surrogates and values past Unicode are malformed.
  static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += len;
  return cp;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8, std::size_t* badOffset) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const auto cp = DecodeUtf8(utf8, pos);
    const auto byte = cp ? CodePointToByte(*cp) : std::nullopt;
    if (!byte) {
      if (badOffset) *badOffset = start;
      return std::nullopt;
    }
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

bool IsCp1252Encodable(std::string_view utf8) { return Utf8ToCp1252(utf8).has_value(); }

namespace {

// The sort value of the character at pos (moved past it): its byte, or 0x100 + its code point
// when the code page lacks it, or past every code point for a malformed byte.
std::uint32_t SortValueAt(std::string_view utf8, std::size_t& pos) {
  const std::optional<char32_t> cp = DecodeUtf8(utf8, pos);
  if (!cp) return 0x100u + 0x110000u + static_cast<unsigned char>(utf8[pos++]);
  if (const auto byte = CodePointToByte(*cp)) return *byte;
  return 0x100u + static_cast<std::uint32_t>(*cp);
}

}  // namespace

bool Cp1252Less(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::uint32_t x = SortValueAt(a, i);
    const std::uint32_t y = SortValueAt(b, j);
    if (x != y) return x < y;
  }
  return i == a.size() && j < b.size();
}

}  // namespace tranchex
