// Interface texts by language key: the 46 keys ("ac", "ac1".."ac21", "ac34".."ac57") with
// their built-in Russian texts, the texts held in memory for later use (tray menu, dialog
// and window titles, messages), and ApplyLanguage, which puts the texts in force into the
// controls of the main window.
//
// Language files are not read yet: ApplyLanguage gives every key its built-in text, which
// is what a missing language file gives. Reading the file's "MainWin" group goes into
// ReadLanguageText, the one place every key is read through.
//
// Thread: ApplyLanguage on the main thread only. LanguageTexts may be read from any thread.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace glimmora {

class ControlStore;

// The built-in text of a language key, Windows-1251; empty for an unknown key.
std::string BuiltInText(std::string_view key);

// Keys of the tray menu texts: items 1, 2, the sub-menu title, items 3, 4, 5, 6 and 10.
inline constexpr const char* kTrayMenuKeys[] = {"ac", "ac1", "ac2", "ac3", "ac4", "ac5", "ac6", "ac7"};

// The texts in force that are not held by a control of the main window: the tray menu's
// (ac..ac7) and the twelve stored texts (ac8..ac13, ac51..ac54, ac56, ac57). Built-in texts
// until the first ApplyLanguage.
class LanguageTexts {
 public:
  LanguageTexts();

  // Windows-1251 text of the key; empty for a key that is not held here.
  std::string Text(std::string_view key) const;
  void SetText(std::string_view key, std::string text);

 private:
  mutable std::mutex mutex_;
  std::map<std::string, std::string, std::less<>> texts_;  // guarded by mutex_
};

// The missing-library message: caption "ac11"; text "ac12", CR LF, "ac13", a space and the
// library's file name. Windows-1251.
struct MissingLibraryText {
  std::string caption;
  std::string text;
};
MissingLibraryText MissingLibraryMessage(const LanguageTexts& texts, std::string_view libraryFileName);

// Applies the language file `fileName` (".lng" with no language selected): tray menu and
// stored texts into `texts`; tooltips, button texts, ModeCombo items and item 0 of every
// PinCombo into the store; threshold bar tooltips "<band label> <ac8>". The selections of
// all lists stay as they were throughout (item texts are replaced in place).
void ApplyLanguage(ControlStore& store, LanguageTexts& texts, const std::string& fileName);

}  // namespace glimmora
