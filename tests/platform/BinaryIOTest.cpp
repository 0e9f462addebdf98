#include "platform/BinaryIO.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace tranchex {
namespace {

// One record of each kind of field, as a file would hold it.
std::string SampleRecord() {
  BinaryWriter w;
  w.writeU8(0xFE);
  w.writeI16(-2);
  w.writeI32(-123456789);
  w.writeU32(0xDEADBEEF);
  w.writeDouble(2800.5);
  w.writeFixedText("Chêne", 8);
  w.writeI64(-5);
  return w.take();
}

void ReadSampleRecord(BinaryReader& r) {
  EXPECT_EQ(r.readU8(), 0xFE);
  EXPECT_EQ(r.readI16(), -2);
  EXPECT_EQ(r.readI32(), -123456789);
  EXPECT_EQ(r.readU32(), 0xDEADBEEFu);
  EXPECT_EQ(r.readDouble(), 2800.5);
  EXPECT_EQ(r.readFixedText(8), "Chêne");
  EXPECT_EQ(r.readI64(), -5);
}

TEST(BinaryIO, WritesLittleEndianBytesInTheirPlaces) {
  const std::string bytes = SampleRecord();
  ASSERT_EQ(bytes.size(), 1u + 2 + 4 + 4 + 8 + 8 + 8);
  EXPECT_EQ(bytes.substr(0, 3), std::string("\xFE\xFE\xFF", 3));
  EXPECT_EQ(bytes.substr(3, 4), std::string("\xEB\x32\xA4\xF8", 4));  // -123456789
  EXPECT_EQ(bytes.substr(7, 4), std::string("\xEF\xBE\xAD\xDE", 4));
  EXPECT_EQ(bytes.substr(11, 8), std::string("\x00\x00\x00\x00\x00\xE1\xA5\x40", 8));
  // "Chêne" in Windows-1252, then NUL padding to the field's width.
  EXPECT_EQ(bytes.substr(19, 8), std::string("Ch\xEAne\0\0\0", 8));
}

TEST(BinaryIO, ReadsBackWhatItWrote) {
  const std::string bytes = SampleRecord();
  BinaryReader r(bytes);
  ReadSampleRecord(r);
  EXPECT_TRUE(r.atEnd());
}

TEST(BinaryIO, RefusesEveryTruncation) {
  const std::string bytes = SampleRecord();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    BinaryReader r(std::string_view(bytes).substr(0, cut));
    EXPECT_THROW(
        {
          r.readU8();
          r.readI16();
          r.readI32();
          r.readU32();
          r.readDouble();
          r.readFixedText(8);
          r.readI64();
        },
        FileFormatError)
        << "cut at " << cut;
  }
}

TEST(BinaryIO, AFailedReadConsumesNothing) {
  const std::string bytes("\x01\x02\x03", 3);
  BinaryReader r(bytes);
  EXPECT_THROW(r.readI32(), FileFormatError);
  EXPECT_EQ(r.offset(), 0u);
  EXPECT_THROW(r.readBytes(4), FileFormatError);
  EXPECT_THROW(r.skip(4), FileFormatError);
  EXPECT_EQ(r.readU16(), 0x0201);
  EXPECT_EQ(r.remaining(), 1u);
}

TEST(BinaryIO, FixedTextFieldsStopAtTheirFirstNulOrTheirCapacity) {
  struct Case {
    std::string field;
    std::string expected;
  };
  const Case cases[] = {
      {std::string("abc\0xyz\0", 8), "abc"},          // bytes after the NUL are ignored
      {std::string("\0abcdefg", 8), ""},
      {std::string("abcdefgh", 8), "abcdefg"},        // no NUL: the field's capacity, 7
      {std::string("\xE9t\xE9\0\0\0\0\0", 8), "été"},
  };
  for (const auto& c : cases) {
    BinaryReader r(c.field);
    EXPECT_EQ(r.readFixedText(8), c.expected);
    EXPECT_TRUE(r.atEnd());
  }
}

TEST(BinaryIO, RefusesToWriteATextThatWouldNotReadBack) {
  BinaryWriter w;
  EXPECT_NO_THROW(w.writeFixedText("1234567", 8));
  EXPECT_THROW(w.writeFixedText("12345678", 8), TextEncodingError);
  EXPECT_THROW(w.writeFixedText("bois \u4E2D", 32), TextEncodingError);
  EXPECT_THROW(w.writeFixedText("", 0), TextEncodingError);
  EXPECT_EQ(w.size(), 8u);  // refused texts write nothing
}

TEST(BinaryIO, DoublesKeepEveryBit) {
  const double values[] = {0.0, -0.0, 1e-300, 123456789.123456789,
                           std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::denorm_min()};
  for (double v : values) {
    BinaryWriter w;
    w.writeDouble(v);
    BinaryReader r(w.bytes());
    const double back = r.readDouble();
    EXPECT_EQ(std::signbit(back), std::signbit(v));
    EXPECT_EQ(back, v);
  }
  BinaryWriter w;
  w.writeDouble(std::numeric_limits<double>::quiet_NaN());
  BinaryReader r(w.bytes());
  EXPECT_TRUE(std::isnan(r.readDouble()));
}

}  // namespace
}  // namespace tranchex
