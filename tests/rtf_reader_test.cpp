// The RTF reader against a table of small inputs: the text that comes out, paragraph by
// paragraph, and the formatting of chosen runs.
#include "ui/rtf_reader.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <string>

namespace glimmora {
namespace {

struct TextCase {
  const char* name;
  std::string rtf;
  QString text;  // paragraphs joined with '\n'
};

const TextCase kTextCases[] = {
    {"plain paragraphs", R"({\rtf1\ansi Hello\par World})", "Hello\nWorld"},
    {"control word delimiter space is eaten", R"({\rtf1 \b bold\b0  normal})", "bold normal"},
    {"Cyrillic bytes in Windows-1251", R"({\rtf1\ansi\ansicpg1251 \'e0\'c1\'ff})", QString::fromUtf8("аБя")},
    {"unicode with default skip of one", R"({\rtf1 \u1078?x})", QString::fromUtf8("жx")},
    {"unicode with skip count two", R"({\rtf1\uc2 \u1078\'e6\'e6y})", QString::fromUtf8("жy")},
    {"unicode with skip count zero", R"({\rtf1\uc0 \u1078 z})", QString::fromUtf8("жz")},
    {"negative unicode value", R"({\rtf1 \u-3913?})", QString(QChar(0xf0b7))},
    {"skip count is scoped to its group", R"({\rtf1 {\uc3 a}\u1078?b})", QString::fromUtf8("aжb")},
    {"font and colour tables are not shown",
     R"({\rtf1{\fonttbl{\f0\fswiss\fcharset204 Arial;}{\f1 Courier New;}}{\colortbl;\red255\green0\blue0;}Text})",
     "Text"},
    {"ignorable destinations are skipped", R"({\rtf1 A{\*\generator Writer 1.0;}{\*\unknownthing {nested} x}B})", "AB"},
    {"metadata groups are skipped", R"({\rtf1{\info{\title T}{\author Me}}{\stylesheet{\s0 Normal;}}Body})", "Body"},
    {"nested groups keep their text", R"({\rtf1 a{b{c}d}e})", "abcde"},
    {"unknown control words are ignored", R"({\rtf1 \frobnicate42 x\zzz y})", "xy"},
    {"escaped characters", R"({\rtf1 \{a\}\\b})", "{a}\\b"},
    {"tab, line break and non-breaking space", R"({\rtf1 a\tab b\line c\~d})",
     QString("a\tb") + QChar(0x2028) + "c" + QChar(0xa0) + "d"},
    {"newlines in the source are not text", "{\\rtf1 ab\r\ncd\\\r\nef}", "abcd\nef"},
    {"unbalanced closing brace is ignored", R"({\rtf1 a}}b})", "ab"},
    {"missing closing braces keep the text", R"({\rtf1 a{\b b)", "ab"},
    {"truncated inside a control word", R"({\rtf1 text\pa)", "text"},
    {"truncated inside a hex byte", R"({\rtf1 text\'e)", "text"},
    {"truncated after a backslash", "{\\rtf1 text\\", "text"},
    {"binary data is skipped", "{\\rtf1 a\\bin3 {}\\b}", "ab"},
    {"not RTF is shown as plain Windows-1251 text", "line \xe0\r\nnext", QString::fromUtf8("line а\nnext")},
    {"empty input", "", ""},
    {"huge numbers do not overflow", R"({\rtf1 \fs99999999999999999999 a\u99999999999 ?b})",
     "a" + QString(QChar(0xffff)) + "b"},
};

class RtfText : public testing::TestWithParam<TextCase> {};

TEST_P(RtfText, GivesTheText) { EXPECT_EQ(ReadRtf(GetParam().rtf).PlainText(), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Inputs, RtfText, testing::ValuesIn(kTextCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

TEST(RtfFormat, BoldItalicUnderlineAndSize) {
  const RtfDocument doc = ReadRtf(R"({\rtf1 \b B\b0 \i I\i0 \ul U\ulnone \fs36 S\plain P})");
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  const auto& runs = doc.paragraphs[0].runs;
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[0].text, "B");
  EXPECT_TRUE(runs[0].format.bold);
  EXPECT_TRUE(runs[1].format.italic && !runs[1].format.bold);
  EXPECT_TRUE(runs[2].format.underline && !runs[2].format.italic);
  EXPECT_EQ(runs[3].format.halfPoints, 36);
  EXPECT_FALSE(runs[3].format.underline);
  EXPECT_EQ(runs[4].format, RtfCharFormat{});
}

TEST(RtfFormat, ColoursFontsAndGroupScope) {
  const RtfDocument doc = ReadRtf(
      R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fmodern Courier New;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue128;})"
      R"(\f1\cf1 red{\cf2\b blue}red\cf0 auto\cf9 bad})");
  const auto& runs = doc.paragraphs.at(0).runs;
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].format.colour, 0xff0000u);
  EXPECT_EQ(runs[0].format.font, "Courier New");
  EXPECT_EQ(runs[1].text, "blue");
  EXPECT_EQ(runs[1].format.colour, 0x000080u);
  EXPECT_TRUE(runs[1].format.bold);
  EXPECT_EQ(runs[2].text, "red");  // the group's formatting ended with it
  EXPECT_FALSE(runs[2].format.bold);
  EXPECT_EQ(runs[3].text, "autobad");  // \cf0 and an index outside the table: default colour
  EXPECT_FALSE(runs[3].format.colour);
}

TEST(RtfFormat, ParagraphAlignmentAndPard) {
  const RtfDocument doc = ReadRtf(R"({\rtf1\qc Title\par\pard Left\par\qr Right\par\qj Just})");
  ASSERT_EQ(doc.paragraphs.size(), 4u);
  EXPECT_EQ(doc.paragraphs[0].alignment, RtfAlignment::Centre);
  EXPECT_EQ(doc.paragraphs[1].alignment, RtfAlignment::Left);
  EXPECT_EQ(doc.paragraphs[2].alignment, RtfAlignment::Right);
  EXPECT_EQ(doc.paragraphs[3].alignment, RtfAlignment::Justify);
}

TEST(RtfFormat, FillsATextDocument) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "rtf_reader_test";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  QTextDocument document;
  FillTextDocument(ReadRtf(R"({\rtf1{\colortbl;\red0\green128\blue0;}\qc\b\cf1 Head\par\pard\b0 body})"), document);
  EXPECT_EQ(document.toPlainText(), "Head\nbody");
  QTextCursor cursor(&document);
  cursor.movePosition(QTextCursor::NextCharacter);
  EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
  EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0, 128, 0));
  EXPECT_EQ(cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  cursor.movePosition(QTextCursor::NextBlock);
  cursor.movePosition(QTextCursor::NextCharacter);
  EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Normal);
}

}  // namespace
}  // namespace glimmora
