#include "tests/support/pulse_daemon.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <thread>
#include <vector>

// libpulse synchronises its mainloop thread partly with its own atomic operations, which
// ThreadSanitizer cannot see from the uninstrumented library: a mutex it creates on the
// owner's thread is reported as racing with its first lock on the mainloop thread. Races in
// our own code (the sample ring, the capture state) are still reported.
extern "C" const char* __tsan_default_suppressions() { return "race:libpulsecommon\n"; }

namespace glimmora {

namespace {

constexpr const char* kSinkName = "glimmora_test_sink";
constexpr int kRate = 22050;

// Starts `argv` with `environment` added to this process's environment, stdout and stderr
// appended to `log`. Everything is prepared before fork: the child only calls async-signal-
// safe functions.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment, const std::string& log) {
  std::vector<std::string> envStrings(environment);
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    const std::string name = entry.substr(0, entry.find('='));
    bool replaced = false;
    for (const std::string& ours : environment) replaced = replaced || ours.starts_with(name + "=");
    if (!replaced && name != "DISPLAY") envStrings.push_back(entry);
  }
  std::vector<char*> envp;
  for (std::string& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> args(argv);
  std::vector<char*> argp;
  for (std::string& s : args) argp.push_back(s.data());
  argp.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (out >= 0) {
      dup2(out, STDOUT_FILENO);
      dup2(out, STDERR_FILENO);
    }
    execvpe(argp[0], argp.data(), envp.data());
    _exit(127);
  }
  return pid;
}

// SIGTERM (or the given signal), then waits; SIGKILL after 5 s.
void EndChild(pid_t& pid, int signal) {
  if (pid <= 0) return;
  kill(pid, signal);
  kill(pid, SIGCONT);  // a paused daemon handles its SIGTERM only once it runs again
  int status = 0;
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (waitpid(pid, &status, WNOHANG) == pid) {
      pid = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  pid = -1;
}

// The sink at the capture's own format, so that nothing is resampled on the way.
std::string NullSinkArguments() { return std::string("sink_name=") + kSinkName + " rate=22050 channels=1"; }

// Runs a client command against the daemon and waits for it; true on exit status 0.
bool RunClient(const std::vector<std::string>& argv, const std::string& server, const std::string& log) {
  pid_t pid = Spawn(argv, {"PULSE_SERVER=" + server}, log);
  if (pid < 0) return false;
  int status = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EndChild(pid, SIGKILL);
  return false;
}

bool SocketAccepts(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  const bool open = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return open;
}

}  // namespace

PulseDaemon::PulseDaemon(Sink sink) {
  char pattern[] = "/tmp/glimmora-pulse-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return;
  dir_ = pattern;
  // The socket last, so that a socket that accepts means a daemon that is ready.
  std::ofstream script(dir_ + "/startup.pa");
  if (sink == Sink::kNullSink) {
    script << "load-module module-null-sink " << NullSinkArguments() << "\n"
           << "set-default-sink " << kSinkName << "\n"
           << "set-default-source " << kSinkName << ".monitor\n";
  }
  script << "load-module module-native-protocol-unix socket=" << dir_ << "/native auth-anonymous=1\n";
}

PulseDaemon::~PulseDaemon() {
  StopTone();
  Stop();
  if (!dir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
}

bool PulseDaemon::Start() {
  if (dir_.empty() || pid_ > 0) return false;
  // The daemon runs as root in CI: -n with an explicit script and --system=no makes it run
  // as a per-session daemon anyway (with a warning). unshare gives it a network namespace
  // with only loopback; the unix socket is reachable from any namespace.
  const std::string command =
      "ip link set lo up && exec pulseaudio -n --daemonize=no --system=no "
      "--exit-idle-time=-1 --use-pid-file=no --log-target=stderr -F " +
      dir_ + "/startup.pa";
  pid_ = Spawn({"unshare", "-n", "sh", "-c", command},
               {"HOME=" + dir_, "XDG_RUNTIME_DIR=" + dir_, "PULSE_RUNTIME_PATH=" + dir_, "PULSE_STATE_PATH=" + dir_,
                "DBUS_SESSION_BUS_ADDRESS=unix:path=" + dir_ + "/no-bus"},
               dir_ + "/pulseaudio.log");
  if (pid_ < 0) return false;
  for (int attempt = 0; attempt < 100; ++attempt) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    if (SocketAccepts(dir_ + "/native")) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  Stop();
  return false;
}

void PulseDaemon::Stop() { EndChild(pid_, SIGTERM); }

void PulseDaemon::Kill() { EndChild(pid_, SIGKILL); }

void PulseDaemon::Pause() {
  if (pid_ > 0) kill(pid_, SIGSTOP);
}

void PulseDaemon::Resume() {
  if (pid_ > 0) kill(pid_, SIGCONT);
}

std::string PulseDaemon::ServerAddress() const { return "unix:" + dir_ + "/native"; }

void PulseDaemon::PointClientsHere() const { setenv("PULSE_SERVER", ServerAddress().c_str(), 1); }

bool PulseDaemon::AddNullSink() {
  const std::string log = dir_ + "/pactl.log";
  return RunClient({"pactl", "load-module", "module-null-sink", NullSinkArguments()}, ServerAddress(), log) &&
         RunClient({"pactl", "set-default-source", std::string(kSinkName) + ".monitor"}, ServerAddress(), log);
}

bool PulseDaemon::PlayTone(double frequency, int amplitude, double seconds) {
  StopTone();
  if (dir_.empty()) return false;
  const std::string file = dir_ + "/tone.raw";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const long count = std::lround(seconds * kRate);
    for (long n = 0; n < count; ++n) {
      const auto s = static_cast<std::int16_t>(
          std::lround(amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(n) / kRate)));
      const char bytes[2] = {static_cast<char>(s & 0xff), static_cast<char>((s >> 8) & 0xff)};
      out.write(bytes, 2);
    }
    if (!out) return false;
  }
  tonePid_ = Spawn({"pacat", "--playback", "--raw", "--format=s16le", "--rate=22050", "--channels=1",
                    std::string("--device=") + kSinkName, file},
                   {"PULSE_SERVER=" + ServerAddress()}, dir_ + "/pacat.log");
  return tonePid_ > 0;
}

void PulseDaemon::StopTone() { EndChild(tonePid_, SIGTERM); }

std::string PulseDaemon::Log() const {
  std::ifstream in(dir_ + "/pulseaudio.log");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace glimmora
