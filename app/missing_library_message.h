// The modal message shown at start-up when the port library cannot be loaded: caption
// "ac11", text "ac12", CR LF, "ac13", a space and the file name the program looked for; a
// warning icon and a single OK button. No language has been applied at that point, so the
// built-in texts show.
//
// Thread: main thread, before any window exists.
#pragma once

#include "settings/language.h"

namespace glimmora {

// Returns once the user has closed the message.
void ShowMissingLibraryMessage(const LanguageTexts& texts, const char* libraryFileName);

}  // namespace glimmora
