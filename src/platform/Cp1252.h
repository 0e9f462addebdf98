#pragma once
// Windows-1252, the encoding of every text in our files. Inside the program texts are UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tranchex {

// Decodes Windows-1252 bytes to UTF-8. Every byte decodes: the five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same value, so any
// file read and written back keeps its bytes.
std::string Cp1252ToUtf8(std::string_view bytes);

// Encodes UTF-8 to Windows-1252. Returns nothing when a character has no byte in the code page
// (or the UTF-8 is malformed); badOffset, when given, receives the byte offset of the first such
// character in the UTF-8 input.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8, std::size_t* badOffset = nullptr);

// True when every character of the UTF-8 text has a byte in Windows-1252.
bool IsCp1252Encodable(std::string_view utf8);

// Orders two texts by their Windows-1252 bytes, as unsigned values and without case folding:
// capitals before small letters, names that begin with an accented letter after every plain one
// ("Chêne" < "Hêtre" < "chêne" < "Érable"). A character the code page lacks sorts after every
// byte, by its code point; a malformed sequence after that. A strict weak order.
bool Cp1252Less(std::string_view a, std::string_view b);

// Decodes one UTF-8 character at pos; returns the code point and moves pos past it, or nothing
// (pos unchanged) when the sequence is malformed.
std::optional<char32_t> DecodeUtf8(std::string_view utf8, std::size_t& pos);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace tranchex
