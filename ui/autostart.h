// Start at logon through an XDG autostart entry: <config>/autostart/<name>.desktop, where
// <config> is $XDG_CONFIG_HOME when it is an absolute path, otherwise ~/.config. Enabling
// writes the entry (replacing the file in one rename, so a reader never sees half of it);
// its Exec names the running program's file and its Path is that file's directory, the
// folder the program keeps its data files in. Disabling removes the entry. Every failure
// is silent and changes nothing; nothing is ever read back.
//
// Thread: main thread (the event loop's autostart buttons).
#pragma once

#include <string>

namespace glimmora {

// The entry of the running program (/proc/self/exe) in the user's configuration directory.
// enable 1 writes it, 0 removes it; name (Windows-1251) names the entry and its file.
void SetAutostart(int enable, const std::string& name);

// The same for a given configuration directory and program file.
void SetAutostartEntry(const std::string& configDirectory, int enable, const std::string& name,
                       const std::string& programPath);

// The desktop entry's text for a program file: Exec quoted and escaped so that any path
// (spaces, quotes, '$', '%', backslashes) runs that very file.
std::string AutostartDesktopEntry(const std::string& name, const std::string& programPath);

}  // namespace glimmora
