#include "ui/rtf_reader.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string>

#include "settings/codepage.h"

namespace glimmora {

namespace {

// Groups whose text is never shown (besides every group that starts with \*).
constexpr std::array kSkippedDestinations = {
    "stylesheet",        "info",      "pict",      "object",       "header",    "headerl",
    "headerr",           "headerf",   "footer",    "footerl",      "footerr",   "footerf",
    "footnote",          "listtable", "revtbl",    "rsidtbl",      "xmlnstbl",  "filetbl",
    "listoverridetable", "generator", "themedata", "latentstyles", "datastore", "colorschememapping",
    "fldinst",           "bkmkstart", "bkmkend",
};

enum class Destination { Text, FontTable, ColourTable, Skip };

struct GroupState {
  Destination destination = Destination::Text;
  RtfCharFormat format;
  int fontIndex = 0;    // \fN inside the font table: the entry being read
  int unicodeSkip = 1;  // \ucN: fallback characters after each \uN
};

struct ColourEntry {
  int red = -1, green = -1, blue = -1;
};

// The Unicode character of each Windows-1251 byte.
const std::array<char16_t, 256>& Cp1251Table() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const QString s = QString::fromUtf8(Utf8FromCp1251(std::string_view(&byte, 1)));
      t[b] = s.isEmpty() ? u'?' : s.at(0).unicode();
    }
    return t;
  }();
  return table;
}

bool IsSkipped(std::string_view word) {
  return std::any_of(kSkippedDestinations.begin(), kSkippedDestinations.end(),
                     [word](const char* d) { return word == d; });
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}

  RtfDocument Read() {
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      switch (c) {
        case '{':
          stack_.push_back(state_);
          pendingDestination_ = true;
          break;
        case '}':
          CloseGroup();
          break;
        case '\\':
          ControlSequence();
          break;
        case '\r':
        case '\n':
          break;
        default:
          Byte(static_cast<unsigned char>(c));
          break;
      }
    }
    EndParagraph(true);
    return std::move(document_);
  }

 private:
  void CloseGroup() {
    if (stack_.empty()) return;  // an unbalanced '}' is ignored
    if (state_.destination == Destination::FontTable && !fontName_.isEmpty()) StoreFont();
    state_ = stack_.back();
    stack_.pop_back();
    skipCount_ = 0;
    pendingDestination_ = false;
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;  // truncated after the backslash
    const char c = in_[pos_];
    if (std::isalpha(static_cast<unsigned char>(c))) {
      ControlWord();
      return;
    }
    ++pos_;
    const bool first = pendingDestination_;
    pendingDestination_ = false;
    switch (c) {
      case '\'': {
        if (pos_ + 2 > in_.size()) {
          pos_ = in_.size();
          return;
        }
        const int high = HexDigit(in_[pos_]);
        const int low = HexDigit(in_[pos_ + 1]);
        pos_ += 2;
        if (high >= 0 && low >= 0) Byte(static_cast<unsigned char>(high * 16 + low));
        return;
      }
      case '*':
        if (first) state_.destination = Destination::Skip;
        return;
      case '\\':
      case '{':
      case '}':
        Byte(static_cast<unsigned char>(c));
        return;
      case '~':
        Unicode(0x00a0);
        return;
      case '_':
        Unicode(0x2011);
        return;
      case '\r':
      case '\n':
        Paragraph();
        return;
      case '\t':
        Unicode('\t');
        return;
      default:  // \- optional hyphen, \| and others: nothing to show
        return;
    }
  }

  void ControlWord() {
    const size_t start = pos_;
    while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
    const std::string_view word = in_.substr(start, pos_ - start);
    bool hasValue = false;
    long long value = 0;
    bool negative = false;
    if (pos_ < in_.size() && in_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
      hasValue = true;
      value = std::min<long long>(value * 10 + (in_[pos_] - '0'), INT_MAX);
      ++pos_;
    }
    if (negative) value = -value;
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
    const bool first = pendingDestination_;
    pendingDestination_ = false;
    Word(word, hasValue, static_cast<int>(value), first);
  }

  void Word(std::string_view w, bool hasValue, int value, bool firstInGroup) {
    if (w == "bin") {  // binary data: skipped whole
      pos_ = std::min(in_.size(), pos_ + static_cast<size_t>(std::max(0, value)));
      return;
    }
    if (state_.destination == Destination::Skip) return;
    if (firstInGroup && w == "fonttbl") {
      state_.destination = Destination::FontTable;
      return;
    }
    if (firstInGroup && w == "colortbl") {
      state_.destination = Destination::ColourTable;
      colourEntry_ = {};
      return;
    }
    if (IsSkipped(w)) {
      state_.destination = Destination::Skip;
      return;
    }
    if (state_.destination == Destination::FontTable) {
      if (w == "f") state_.fontIndex = value;
      return;
    }
    if (state_.destination == Destination::ColourTable) {
      if (w == "red") colourEntry_.red = value;
      if (w == "green") colourEntry_.green = value;
      if (w == "blue") colourEntry_.blue = value;
      return;
    }
    RtfCharFormat& f = state_.format;
    const bool on = !hasValue || value != 0;
    if (w == "par") {
      Paragraph();
    } else if (w == "line") {
      Unicode(0x2028);  // line break inside the paragraph
    } else if (w == "tab") {
      Unicode('\t');
    } else if (w == "u") {
      Unicode(static_cast<char16_t>(value < 0 ? value + 65536 : value));
      skipCount_ = state_.unicodeSkip;
    } else if (w == "uc") {
      state_.unicodeSkip = std::max(0, value);
    } else if (w == "b") {
      f.bold = on;
    } else if (w == "i") {
      f.italic = on;
    } else if (w == "ul") {
      f.underline = on;
    } else if (w == "ulnone") {
      f.underline = false;
    } else if (w == "fs") {
      f.halfPoints = hasValue && value > 0 ? value : 24;
    } else if (w == "cf") {
      f.colour = value > 0 && value < static_cast<int>(colours_.size()) ? colours_[value] : std::nullopt;
    } else if (w == "f") {
      const auto it = std::find_if(fonts_.begin(), fonts_.end(), [value](const auto& e) { return e.first == value; });
      f.font = it == fonts_.end() ? QString() : it->second;
    } else if (w == "plain") {
      f = RtfCharFormat{};
    } else if (w == "pard") {
      alignment_ = RtfAlignment::Left;
    } else if (w == "ql") {
      alignment_ = RtfAlignment::Left;
    } else if (w == "qc") {
      alignment_ = RtfAlignment::Centre;
    } else if (w == "qr") {
      alignment_ = RtfAlignment::Right;
    } else if (w == "qj") {
      alignment_ = RtfAlignment::Justify;
    } else if (w == "emdash") {
      Unicode(0x2014);
    } else if (w == "endash") {
      Unicode(0x2013);
    } else if (w == "bullet") {
      Unicode(0x2022);
    } else if (w == "lquote") {
      Unicode(0x2018);
    } else if (w == "rquote") {
      Unicode(0x2019);
    } else if (w == "ldblquote") {
      Unicode(0x201c);
    } else if (w == "rdblquote") {
      Unicode(0x201d);
    }
  }

  // A byte of text (plain or \'hh): a fallback character being skipped, a table entry's
  // text, or a Windows-1251 character of the document.
  void Byte(unsigned char b) {
    if (skipCount_ > 0) {
      --skipCount_;
      return;
    }
    Character(b);
  }

  void Character(unsigned char b) {
    switch (state_.destination) {
      case Destination::Skip:
        return;
      case Destination::FontTable:
        if (b == ';') {
          StoreFont();
        } else {
          fontName_.append(QChar(Cp1251Table()[b]));
        }
        return;
      case Destination::ColourTable:
        if (b == ';') {
          if (colourEntry_.red < 0 && colourEntry_.green < 0 && colourEntry_.blue < 0) {
            colours_.push_back(std::nullopt);
          } else {
            const auto part = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
            colours_.push_back(part(colourEntry_.red) << 16 | part(colourEntry_.green) << 8 | part(colourEntry_.blue));
          }
          colourEntry_ = {};
        }
        return;
      case Destination::Text:
        Unicode(Cp1251Table()[b]);
        return;
    }
  }

  void StoreFont() {
    fonts_.emplace_back(state_.fontIndex, fontName_.trimmed());
    fontName_.clear();
  }

  void Unicode(char16_t c) {
    if (state_.destination != Destination::Text) return;
    std::vector<RtfRun>& runs = paragraph_.runs;
    if (runs.empty() || !(runs.back().format == state_.format)) runs.push_back({QString(), state_.format});
    runs.back().text.append(QChar(c));
  }

  void Paragraph() {
    if (state_.destination != Destination::Text) return;
    EndParagraph(false);
  }

  void EndParagraph(bool atEnd) {
    if (atEnd && paragraph_.runs.empty()) return;
    paragraph_.alignment = alignment_;
    document_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = {};
  }

  std::string_view in_;
  size_t pos_ = 0;
  GroupState state_;
  std::vector<GroupState> stack_;
  bool pendingDestination_ = false;  // directly after '{': the next word may name a destination
  int skipCount_ = 0;                // fallback characters still to skip after \uN
  RtfAlignment alignment_ = RtfAlignment::Left;
  std::vector<std::pair<int, QString>> fonts_;
  QString fontName_;
  std::vector<std::optional<std::uint32_t>> colours_;
  ColourEntry colourEntry_;
  RtfParagraph paragraph_;
  RtfDocument document_;
};

RtfDocument ReadPlainText(std::string_view bytes) {
  RtfDocument document;
  RtfParagraph paragraph;
  QString text;
  for (const char c : bytes) {
    if (c == '\r') continue;
    if (c == '\n') {
      if (!text.isEmpty()) paragraph.runs.push_back({text, {}});
      document.paragraphs.push_back(std::move(paragraph));
      paragraph = {};
      text.clear();
      continue;
    }
    text.append(QChar(Cp1251Table()[static_cast<unsigned char>(c)]));
  }
  if (!text.isEmpty()) paragraph.runs.push_back({text, {}});
  if (!paragraph.runs.empty()) document.paragraphs.push_back(std::move(paragraph));
  return document;
}

Qt::Alignment QtAlignment(RtfAlignment a) {
  switch (a) {
    case RtfAlignment::Centre:
      return Qt::AlignHCenter;
    case RtfAlignment::Right:
      return Qt::AlignRight;
    case RtfAlignment::Justify:
      return Qt::AlignJustify;
    case RtfAlignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

}  // namespace

QString RtfParagraph::Text() const {
  QString text;
  for (const RtfRun& run : runs) text += run.text;
  return text;
}

QString RtfDocument::PlainText() const {
  QStringList lines;
  for (const RtfParagraph& p : paragraphs) lines << p.Text();
  return lines.join(u'\n');
}

RtfDocument ReadRtf(std::string_view bytes) {
  constexpr std::string_view kMagic = "{\\rtf";
  if (bytes.substr(0, kMagic.size()) != kMagic) return ReadPlainText(bytes);
  return Reader(bytes).Read();
}

void FillTextDocument(const RtfDocument& rtf, QTextDocument& document) {
  document.clear();
  QTextCursor cursor(&document);
  bool first = true;
  for (const RtfParagraph& paragraph : rtf.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(QtAlignment(paragraph.alignment));
    if (first) {
      cursor.setBlockFormat(block);
      first = false;
    } else {
      cursor.insertBlock(block);
    }
    for (const RtfRun& run : paragraph.runs) {
      QTextCharFormat format;
      format.setFontWeight(run.format.bold ? QFont::Bold : QFont::Normal);
      format.setFontItalic(run.format.italic);
      format.setFontUnderline(run.format.underline);
      format.setFontPointSize(run.format.halfPoints / 2.0);
      if (run.format.colour) format.setForeground(QColor::fromRgb(*run.format.colour));
      if (!run.format.font.isEmpty()) format.setFontFamilies({run.format.font});
      cursor.insertText(run.text, format);
    }
  }
}

}  // namespace glimmora
