#include "tests/support/ola_daemon.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <net/if.h>
#include <netinet/in.h>
#include <ola/Callback.h>
#include <ola/DmxBuffer.h>
#include <ola/client/ClientWrapper.h>
#include <ola/client/OlaClient.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

// OLA's client wrapper never frees the close handler it installs on its client (libola
// 0.10); LeakSanitizer builds are told so, and report every other leak as usual.
extern "C" const char* __lsan_default_suppressions() { return "leak:GenericClientWrapper\n"; }

namespace glimmora {

namespace {

// Every plugin of olad but Dummy. The network ones broadcast as soon as they start.
constexpr const char* kDisabledPlugins[] = {
    "artnet",           "e131",      "espnet",   "ftdidmx",   "gpio",    "karate",  "kinet", "milinst",    "opendmx",
    "openpixelcontrol", "osc",       "pathport", "renard",    "sandnet", "shownet", "spi",   "stageprofi", "uartdmx",
    "usbdmx",           "usbserial", "usbpro",   "dmx4linux", "nanoleaf"};

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

// Collects the answer of one FetchDMX and ends the select loop.
struct DmxReader {
  ola::io::SelectServer* server;
  int count;
  std::vector<std::uint8_t> values;

  void OnFetch(const ola::client::Result& result, const ola::client::DMXMetadata&, const ola::DmxBuffer& data) {
    if (result.Success()) {
      for (int slot = 0; slot < count; ++slot) values.push_back(data.Get(static_cast<unsigned>(slot)));
    }
    server->Terminate();
  }
};

// True when something accepts connections on olad's RPC port of the loopback interface.
bool RpcPortOpen() {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(9010);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool open = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return open;
}

// Runs a command, its output discarded; true on exit status 0.
bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

}  // namespace

bool OlaDaemon::EnterPrivateNetwork() {
  if (unshare(CLONE_NEWNET) != 0) return false;
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  ifreq request{};
  std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
  bool up = ioctl(fd, SIOCGIFFLAGS, &request) == 0;
  request.ifr_flags |= IFF_UP | IFF_RUNNING;
  up = up && ioctl(fd, SIOCSIFFLAGS, &request) == 0;
  close(fd);
  return up;
}

OlaDaemon::OlaDaemon() {
  char pattern[] = "/tmp/glimmora-olad-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return;
  configDir_ = pattern;
  for (const char* plugin : kDisabledPlugins) {
    std::ofstream(configDir_ + "/ola-" + plugin + ".conf") << "enabled = false\n";
  }
  std::ofstream(configDir_ + "/ola-dummy.conf") << "enabled = true\n";
  for (const auto& entry : std::filesystem::directory_iterator(configDir_)) {
    if (chown(entry.path().c_str(), kNobody, kNogroup) != 0) return;
  }
  if (chown(configDir_.c_str(), kNobody, kNogroup) != 0) configDir_.clear();
}

OlaDaemon::~OlaDaemon() {
  Stop();
  if (!configDir_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(configDir_, ignored);
  }
}

bool OlaDaemon::Start() {
  if (configDir_.empty() || pid_ > 0) return false;
  const std::string log = configDir_ + "/olad.log";
  pid_ = fork();
  if (pid_ < 0) return false;
  if (pid_ == 0) {
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (out >= 0) {
      dup2(out, STDOUT_FILENO);
      dup2(out, STDERR_FILENO);
    }
    execlp("setpriv", "setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "olad", "--config-dir",
           configDir_.c_str(), "--no-http", "--no-register-with-dns-sd", static_cast<char*>(nullptr));
    _exit(127);
  }
  // Wait until olad answers (up to about 10 s; ola_patch would try to start a daemon of its
  // own if asked before), then patch universe 1 to the Dummy port.
  for (int attempt = 0; attempt < 100; ++attempt) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    if (RpcPortOpen() && Run("ola_patch -d 1 -p 0 -u 1")) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  Stop();
  return false;
}

void OlaDaemon::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

std::vector<std::uint8_t> OlaDaemon::FetchDmx(unsigned universe, int count) {
  ola::client::OlaClientWrapper wrapper(false);
  if (!wrapper.Setup()) return {};
  DmxReader reader{wrapper.GetSelectServer(), count, {}};
  wrapper.GetClient()->FetchDMX(universe, ola::NewSingleCallback(&reader, &DmxReader::OnFetch));
  reader.server->RegisterSingleTimeout(2000, ola::NewSingleCallback(reader.server, &ola::io::SelectServer::Terminate));
  reader.server->Run();
  return reader.values;
}

}  // namespace glimmora
