// The end of the program. SwitchOutputsOffAtExit is shutdown steps 1-4: USB all pins off,
// LPT registers idle, port library unloaded, DMX channels 1..19 to 0, with no engine write
// after them. EndProcess is step 5, the final teardown, and ends the process with exit code
// 0 on every path (second instance, missing port library, the event loop's end).
//
// The engine thread is not joined. The process-wide objects it uses are never destroyed:
// EndProcess removes the tray icon, hides the windows (the X server destroys them when the
// connection closes), unloads the DMX library and leaves with _exit, so no destructor runs
// under the running engine.
//
// Thread: main thread only.
#pragma once

namespace glimmora {

struct AppContext;

// Runs once, after OutputsPaused has been set (it sets the flag itself when it is not set
// yet); later calls do nothing.
void SwitchOutputsOffAtExit(AppContext& context);

[[noreturn]] void EndProcess(AppContext& context);

}  // namespace glimmora
