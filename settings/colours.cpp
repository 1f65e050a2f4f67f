#include "settings/colours.h"

#include <cstdint>

#include "engine/process_state.h"
#include "settings/preference_store.h"
#include "settings/setting_keys.h"

namespace glimmora {
namespace {

constexpr std::uint32_t kRed = Rgb(255, 0, 0);
constexpr std::uint32_t kGrey = Rgb(187, 187, 187);

void ReadColour(std::atomic<std::uint32_t>& colour, std::string_view key, std::uint32_t defaultColour) {
  colour = static_cast<std::uint32_t>(ReadInteger(key, static_cast<std::int32_t>(defaultColour)));
}

}  // namespace

void LoadColours(ProcessState& state) {
  if (!OpenPreferences(kColoursFile)) {
    ClosePreferences();
    state.ChannelColours[0] = kGrey;
    for (int k = 1; k < kSlots; ++k) state.ChannelColours[k] = kRed;
    state.SpectrColor = Rgb(0, 255, 0);
    state.BkSpectrColor = Rgb(107, 107, 107);
    state.BrLedColor = Rgb(207, 207, 207);
    state.GdSpectrColor = Rgb(207, 207, 207);
    return;
  }
  for (int k = 0; k < kSlots; ++k) ReadColour(state.ChannelColours[k], NumberedKey("", k), kRed);
  ReadColour(state.SpectrColor, "SpectrColor", Rgb(0, 255, 0));
  ReadColour(state.BkSpectrColor, "BkSpectrColor", Rgb(107, 107, 107));
  ReadColour(state.BrLedColor, "BrLedColor", Rgb(207, 207, 207));
  ReadColour(state.GdSpectrColor, "GdSpectrColor", Rgb(207, 207, 207));
  ClosePreferences();
}

void SaveChannelColour(ProcessState& state, int channel, int colour) {
  if (colour == -1 || channel < 1 || channel >= kSlots) return;
  if (!OpenPreferences(kColoursFile)) {
    ClosePreferences();
    return;
  }
  WriteInteger(NumberedKey("", channel), colour);
  ClosePreferences();
  state.ChannelColours[channel] = static_cast<std::uint32_t>(colour);
}

}  // namespace glimmora
