// Conversions between text and whole numbers used for the values of preference files.
// Pure functions; any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glimmora {

// Leading spaces and tabs, one optional sign, then "$" and hexadecimal digits, "%" and binary
// digits, or decimal digits, up to the first character that is not a digit of that base. No
// digits give 0. 64 bits wide; digits beyond 64 bits wrap. Callers truncate to the width they
// store (see LowWord).
std::int64_t TextToNumber(std::string_view text);

// Decimal digits, "-" for negative numbers, no "+", no spaces, no leading zeros.
std::string NumberToText(std::int64_t number);

// The C-library rule (atoi): leading white space, optional sign, decimal digits up to the
// first other character; no digits give 0. Values beyond 32 bits saturate at the int range.
std::int32_t DecimalPrefix(std::string_view text);

// The low 32 bits of a number, as a signed int (what a 32-bit store of it keeps).
constexpr std::int32_t LowWord(std::int64_t number) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(number)));
}

}  // namespace glimmora
