// Names of the settings files and the way numbers are read from setting.dat and presets.
// Any thread (the calling thread's preference file must be open).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glimmora {

// Opened by bare name, that is in the working directory.
inline constexpr std::string_view kSettingsFile = "setting.dat";
inline constexpr std::string_view kColoursFile = "LedColor.dat";

// "Нет" in Windows-1251: the default text that makes a missing key read as 0.
inline constexpr std::string_view kNoText = "\xCD\xE5\xF2";

// A number of the open file read as text (default "Нет") and converted by TextToNumber,
// truncated to 32 bits.
std::int32_t ReadNumber(std::string_view key);
// A number written as text made by NumberToText.
void WriteNumber(std::string_view key, std::int64_t value);

// "fr"k, "OUT"k and other keys made of a prefix and a channel or pin number.
std::string NumberedKey(std::string_view prefix, int number);

}  // namespace glimmora
