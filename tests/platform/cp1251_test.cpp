// The code-page table against Qt's own Windows-1251 converter, byte by byte, and both directions
// against each other over every UTF-16 unit.
#include "platform/cp1251.h"

#include <gtest/gtest.h>

#include <QStringDecoder>

namespace {

QByteArray allBytes() {
  QByteArray bytes(256, '\0');
  for (int b = 0; b < 256; ++b) bytes[b] = char(b);
  return bytes;
}

TEST(Cp1251, EveryByteMatchesQtConverter) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    QStringDecoder oracle("windows-1251");
    ASSERT_TRUE(oracle.isValid());
    const char byte = char(b);
    const QString expected = oracle(QByteArrayView(&byte, 1));
    ASSERT_EQ(expected.size(), 1);
    // 0x98 is unassigned; whatever a converter makes of it, ours keeps it as U+0098.
    const QChar want = b == 0x98 ? QChar(0x0098) : expected[0];
    EXPECT_EQ(cp1251::toUnicode(static_cast<unsigned char>(b)), want);
  }
}

TEST(Cp1251, CodeInvertsTheTableOverTheWholePlane) {
  int withCode = 0;
  for (int u = 0; u < 0x10000; ++u) {
    const int code = cp1251::code(QChar(char16_t(u)));
    if (code < 0) continue;
    ++withCode;
    ASSERT_LT(code, 256) << u;
    ASSERT_EQ(cp1251::toUnicode(static_cast<unsigned char>(code)).unicode(), u) << u;
  }
  EXPECT_EQ(withCode, 256);  // every byte has exactly one character and back
}

TEST(Cp1251, DecodeThenEncodeKeepsEveryByte) {
  const QByteArray bytes = allBytes();
  const QString text = cp1251::decode(bytes);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(cp1251::encode(text), bytes);
  EXPECT_TRUE(cp1251::fits(text));
}

TEST(Cp1251, EncodeReplacesOnePerMissingCharacter) {
  struct {
    QString text;
    char replacement;
    QByteArray expect;
  } cases[] = {
      {"", '?', ""},
      {"A", '?', "A"},
      {"Жёлтый №5", '?', "\xC6\xB8\xEB\xF2\xFB\xE9 \xB9\x35"},
      {"a\u65E5b", '?', "a?b"},
      {"x\U0001F600y", '?', "x?y"},  // a surrogate pair is one character
      {"\u65E5\u672C", '_', "__"},
      {"\u20AC\u0098", '?', "\x88\x98"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(cp1251::encode(c.text, c.replacement), c.expect);
    EXPECT_EQ(cp1251::fits(c.text), !c.expect.contains(c.replacement));
  }
}

}  // namespace
