// A small RTF reader for the information windows' texts: groups, the font and colour
// tables, bold/italic/underline, font size, colour, paragraphs with their alignment, tabs
// and line breaks, \'hh bytes in Windows-1251 and \uN characters with their \ucN fallback.
// Ignorable destinations ({\* ...}) and the document's metadata groups are skipped;
// unknown control words are ignored, never shown. Broken input (unbalanced braces, a
// truncated file) gives whatever text was read up to the fault; it never fails.
//
// Thread: any; no shared state.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

class QTextDocument;

namespace glimmora {

struct RtfCharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = 24;                  // \fsN: font size in half points (12 pt by default)
  std::optional<std::uint32_t> colour;  // 0xRRGGBB; nothing = the viewer's text colour
  QString font;                         // family from the font table; empty = the viewer's font

  bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
  QString text;
  RtfCharFormat format;
};

enum class RtfAlignment { Left, Centre, Right, Justify };

struct RtfParagraph {
  RtfAlignment alignment = RtfAlignment::Left;
  std::vector<RtfRun> runs;  // neighbouring text of one format forms one run

  QString Text() const;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;

  // The whole text, paragraphs separated by '\n'.
  QString PlainText() const;
};

// Reads RTF bytes. Bytes that do not begin with "{\rtf" are taken as plain Windows-1251 text.
RtfDocument ReadRtf(std::string_view bytes);

// Replaces the document's content with the RTF document's text and formatting.
void FillTextDocument(const RtfDocument& rtf, QTextDocument& document);

}  // namespace glimmora
