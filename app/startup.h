// Start-up in the order of its steps: the toolkit and HID transport, the single-instance
// lock, the device libraries, the start-up settings, the hidden main window, the tray icon,
// the controls' lists, presets, languages, switches and pins, the indicators, the lock keys,
// the sound capture, the first USB check, timer 2, the engine thread and the texts of the
// language; then the event loop.
//
// Thread: main thread only.
#pragma once

namespace glimmora {

struct AppContext;

// Start-up steps 1 to 27. True when the program goes on into the event loop; false when it
// must end at once: another instance holds the lock (nothing was shown), or the port library
// is missing and its message has been closed (no window or tray icon was ever created).
bool StartUp(AppContext& context);

// Step 28: the event loop; returns when it has been left.
void RunEventLoop(AppContext& context);

}  // namespace glimmora
