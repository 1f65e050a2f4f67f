#include "settings/preference_document.h"

namespace glimmora {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool Blank(char c) { return c == ' ' || c == '\t'; }

char FoldAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Keys and group names compare ignoring the case of A..Z only.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAsciiLetter(a[i]) != FoldAsciiLetter(b[i])) return false;
  }
  return true;
}

std::string_view TrimTrailingBlanks(std::string_view s) {
  while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view TrimLeadingBlanks(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  return s;
}

std::optional<PreferenceEntry> ParseLine(std::string_view line) {
  line = TrimLeadingBlanks(line);
  if (line.empty()) return std::nullopt;
  PreferenceEntry entry;
  if (line.front() == ';') {
    entry.kind = PreferenceEntry::Kind::Comment;
    line.remove_prefix(1);
    if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    entry.value = line;
  } else if (line.front() == '[') {
    entry.kind = PreferenceEntry::Kind::Group;
    line.remove_prefix(1);
    entry.key = line.substr(0, line.find(']'));
  } else {
    const std::size_t equals = line.find('=');
    entry.key = TrimTrailingBlanks(line.substr(0, equals));
    if (equals != std::string_view::npos) entry.value = TrimLeadingBlanks(line.substr(equals + 1));
  }
  return entry;
}

}  // namespace

std::string Utf8FromLatin1(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | byte >> 6);
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

std::string Latin1FromUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += text[i++];
      continue;
    }
    std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t have = 1;
    while (have < length && i + have < text.size() && (static_cast<unsigned char>(text[i + have]) & 0xC0) == 0x80) {
      ++have;
    }
    if (length == 2 && have == 2 && lead <= 0xC3) {
      out += static_cast<char>((lead & 0x1F) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3F));
    } else {
      out += '?';
    }
    i += have;
  }
  return out;
}

PreferenceDocument PreferenceDocument::Parse(std::string_view bytes) {
  PreferenceDocument doc;
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    doc.utf8_ = true;
    bytes.remove_prefix(kUtf8Mark.size());
  }
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    if (auto entry = ParseLine(bytes.substr(start, end - start))) doc.entries_.push_back(std::move(*entry));
    start = bytes.find_first_not_of("\r\n", end);
    if (start == std::string_view::npos) break;
  }
  return doc;
}

std::string PreferenceDocument::Serialize() const {
  std::string out;
  if (utf8_) {
    out = kUtf8Mark;
    out += "\r\n";
  } else if (!entries_.empty() && entries_.front().kind == PreferenceEntry::Kind::Key &&
             entries_.front().key.starts_with(kUtf8Mark)) {
    // A first key beginning with the UTF-8 mark bytes would turn the file into a UTF-8 one
    // when read again; an empty first line keeps it 8-bit text (empty lines are no entries).
    out = "\r\n";
  }
  for (const PreferenceEntry& e : entries_) {
    switch (e.kind) {
      case PreferenceEntry::Kind::Group:
        out += '[';
        out += e.key;
        out += ']';
        break;
      case PreferenceEntry::Kind::Comment:
        out += "; ";
        out += e.value;
        break;
      case PreferenceEntry::Kind::Key:
        out += e.key;
        out += " = ";
        out += e.value;
        break;
    }
    out += "\r\n";
  }
  return out;
}

std::string PreferenceDocument::ToFile(std::string_view text) const {
  return utf8_ ? Utf8FromLatin1(text) : std::string(text);
}

std::string PreferenceDocument::FromFile(std::string_view text) const {
  return utf8_ ? Latin1FromUtf8(text) : std::string(text);
}

bool PreferenceDocument::SelectGroup(std::string_view name) {
  group_.reset();
  pending_.reset();
  if (name.empty()) return true;
  const std::string wanted = ToFile(name);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].kind == PreferenceEntry::Kind::Group && SameName(entries_[i].key, wanted)) {
      group_ = i;
      return true;
    }
  }
  pending_ = wanted;
  return false;
}

PreferenceDocument::Section PreferenceDocument::CurrentSection() const {
  const std::size_t begin = group_ ? *group_ + 1 : 0;
  std::size_t end = begin;
  while (end < entries_.size() && entries_[end].kind != PreferenceEntry::Kind::Group) ++end;
  return {begin, end};
}

std::optional<std::string> PreferenceDocument::Find(std::string_view key) const {
  if (pending_) return std::nullopt;
  const std::string wanted = ToFile(key);
  const Section section = CurrentSection();
  for (std::size_t i = section.begin; i < section.end; ++i) {
    const PreferenceEntry& e = entries_[i];
    if (e.kind == PreferenceEntry::Kind::Key && SameName(e.key, wanted)) return FromFile(e.value);
  }
  return std::nullopt;
}

void PreferenceDocument::Write(std::string_view key, std::string_view value) {
  if (pending_) {
    entries_.push_back({PreferenceEntry::Kind::Group, *pending_, {}});
    group_ = entries_.size() - 1;
    pending_.reset();
  }
  std::string fileKey = ToFile(key);
  std::string fileValue = ToFile(value);
  const Section section = CurrentSection();
  for (std::size_t i = section.begin; i < section.end; ++i) {
    PreferenceEntry& e = entries_[i];
    if (e.kind == PreferenceEntry::Kind::Key && SameName(e.key, fileKey)) {
      e.key = std::move(fileKey);
      e.value = std::move(fileValue);
      return;
    }
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(section.end),
                  {PreferenceEntry::Kind::Key, std::move(fileKey), std::move(fileValue)});
}

}  // namespace glimmora
