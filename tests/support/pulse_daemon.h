// A private PulseAudio daemon for tests: run as a child process tracked by its process id, in
// a network namespace of its own with only loopback, with a private runtime directory, one
// null sink at 22050 Hz mono whose monitor is the default source, and a unix socket that only
// this test's clients use. Tones are played into the sink with pacat.
//
// Thread: one test thread. PointClientsHere changes the environment: call it before any
// other thread starts.
#pragma once

#include <sys/types.h>

#include <string>

namespace glimmora {

class PulseDaemon {
 public:
  enum class Sink { kNullSink, kNone };
  // Makes the private runtime directory. With Sink::kNone the daemon starts with no sink
  // and no source at all.
  explicit PulseDaemon(Sink sink = Sink::kNullSink);
  ~PulseDaemon();  // stops the tone and the daemon, removes the directory
  PulseDaemon(const PulseDaemon&) = delete;
  PulseDaemon& operator=(const PulseDaemon&) = delete;

  // Starts the daemon and waits (up to about 10 s) until its socket accepts connections.
  // May be called again after Stop or Kill; the socket path stays the same.
  bool Start();
  // SIGTERM to the daemon's process id, then waits for it (SIGKILL after 5 s).
  void Stop();
  // The daemon dies at once (SIGKILL), as a crashed server would.
  void Kill();
  // The daemon hangs (SIGSTOP) and goes on (SIGCONT): its clients stay connected.
  void Pause();
  void Resume();
  pid_t Pid() const { return pid_; }

  // "unix:<runtime directory>/native".
  std::string ServerAddress() const;
  // Sets PULSE_SERVER so that every PulseAudio client of this process connects here.
  void PointClientsHere() const;

  // Loads the null sink (and so its monitor source) into a running daemon that has none,
  // and makes them the defaults. True when pactl succeeded.
  bool AddNullSink();

  // Plays a sine of `frequency` Hz and peak `amplitude` (22050 Hz, mono, 16-bit) for
  // `seconds` into the null sink, in the background; replaces a tone already playing.
  bool PlayTone(double frequency, int amplitude, double seconds);
  void StopTone();
  // The daemon's own log (stderr), for failure messages.
  std::string Log() const;

 private:
  std::string dir_;
  pid_t pid_ = -1;
  pid_t tonePid_ = -1;
};

}  // namespace glimmora
