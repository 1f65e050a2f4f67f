// One preference file held in memory: the ordered list of its entries (group headers,
// comments, key entries), how it was encoded, and the selected group. Parsing and writing
// follow the file format byte for byte; the file system is not touched here (see
// preference_store.h). Not thread-safe: each thread works on its own document.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glimmora {

struct PreferenceEntry {
  enum class Kind { Group, Comment, Key };
  Kind kind = Kind::Key;
  std::string key;    // the group name for a header, the key for a key entry
  std::string value;  // the comment text for a comment, the value for a key entry

  bool operator==(const PreferenceEntry&) const = default;
};

class PreferenceDocument {
 public:
  // Parses the bytes of a file. A leading UTF-8 mark (EF BB BF) marks the document UTF-8.
  static PreferenceDocument Parse(std::string_view bytes);

  // The whole file content in its written form: for UTF-8 the mark and an empty line, then
  // one line per entry, each ending in CR LF.
  std::string Serialize() const;

  bool Utf8() const { return utf8_; }
  const std::vector<PreferenceEntry>& Entries() const { return entries_; }

  // Keys, group names, texts passed in and returned are the system's 8-bit text; in a UTF-8
  // document they are mapped to and from U+0080..U+00FF.

  // An empty name selects the top section. A name the document lacks becomes the pending
  // group (result false): reads find nothing, the first write appends its header.
  bool SelectGroup(std::string_view name);
  // The raw value of the first matching key of the current section (not trimmed).
  std::optional<std::string> Find(std::string_view key) const;
  // Replaces the first matching key's value (the key takes the caller's letter case) or
  // inserts a new key at the end of the current section.
  void Write(std::string_view key, std::string_view value);

 private:
  struct Section {
    std::size_t begin;
    std::size_t end;
  };
  Section CurrentSection() const;
  std::string ToFile(std::string_view text) const;
  std::string FromFile(std::string_view text) const;

  std::vector<PreferenceEntry> entries_;
  bool utf8_ = false;
  std::optional<std::size_t> group_;    // index of the selected header; none: top section
  std::optional<std::string> pending_;  // a selected group the document lacks (file form)
};

// Latin-1 style mapping used by UTF-8 preference files: bytes 80..FF become U+0080..U+00FF.
std::string Utf8FromLatin1(std::string_view text);
// The way back; characters above U+00FF and broken sequences become '?'.
std::string Latin1FromUtf8(std::string_view text);

}  // namespace glimmora
