// Single instance: an exclusive flock on $XDG_RUNTIME_DIR/Glimmora (or, without it,
// /tmp/glimmora-<uid>/Glimmora). The lock lives as long as the process; a second start
// finds it taken and ends at once.
//
// Thread: main thread, once at start-up.
#pragma once

namespace glimmora {

// True when this process now holds the lock; false when another instance holds it.
// When the lock file cannot be opened at all the program runs (true).
bool AcquireSingleInstance();

}  // namespace glimmora
