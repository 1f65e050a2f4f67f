#include "settings/setting_keys.h"

#include "settings/number_text.h"
#include "settings/preference_store.h"

namespace glimmora {

std::int32_t ReadNumber(std::string_view key) { return LowWord(TextToNumber(ReadText(key, kNoText))); }

void WriteNumber(std::string_view key, std::int64_t value) { WriteText(key, NumberToText(value)); }

std::string NumberedKey(std::string_view prefix, int number) { return std::string(prefix) + NumberToText(number); }

}  // namespace glimmora
