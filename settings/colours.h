// Channel lamp colours and indicator colours from LedColor.dat.
// Thread: main thread (start-up and the colour dialog's result).
#pragma once

namespace glimmora {

struct ProcessState;

// With LedColor.dat: ChannelColours[0..18] = keys "0".."18" (default 255) and the four named
// colours with their built-in defaults. Without it: channel lamps red, off lamps grey.
void LoadColours(ProcessState& state);
// colour -1 (dialog cancelled), a channel outside 1..18, or a missing LedColor.dat change
// nothing, neither the file nor the colour in memory; the file is never created.
void SaveChannelColour(ProcessState& state, int channel, int colour);

}  // namespace glimmora
