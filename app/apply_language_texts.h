// Applies a language to everything that shows its texts: the main window's controls (through
// the store), the texts held for later use, the tray menu's items and the titles of the
// information windows opened from then on. Used at the end of start-up and by the Language
// command, so both put a language in force the same way.
//
// Thread: main thread only.
#pragma once

#include <string>

namespace glimmora {

struct AppContext;

// fileName is the language file's name with its ".lng" (Windows-1251).
void ApplyLanguageTexts(AppContext& context, const std::string& fileName);

}  // namespace glimmora
