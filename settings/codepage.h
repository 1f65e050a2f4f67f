// Conversions between the system's 8-bit code page (Windows-1251) and UTF-8. All files and
// control texts are kept as Windows-1251 bytes; text is converted only where it meets the
// GUI or where built-in texts written in UTF-8 source enter the system.
#pragma once

#include <string>
#include <string_view>

namespace glimmora {

// Characters with no Windows-1251 form become '?'.
std::string Cp1251FromUtf8(std::string_view utf8);
std::string Utf8FromCp1251(std::string_view cp1251);

}  // namespace glimmora
