// Time from SetDmxChannel to the value being readable from a running olad: 100 samples,
// one every 50 ms (the engine's pass period), each measured until olad announces the new
// value to a registered client. Reports the median and the worst as counters. Needs root
// (olad runs as nobody in a private network namespace with only loopback).
#include <benchmark/benchmark.h>
#include <ola/Callback.h>
#include <ola/DmxBuffer.h>
#include <ola/client/ClientWrapper.h>
#include <ola/client/OlaClient.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <string>
#include <thread>
#include <vector>

#include "devices/dmx_library.h"
#include "tests/support/ola_daemon.h"

namespace glimmora {
namespace {

using Clock = std::chrono::steady_clock;

std::string RunDir() {
  char path[PATH_MAX] = {};
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string self(path, length > 0 ? static_cast<std::size_t>(length) : 0);
  self.erase(self.rfind('/'));
  return self.substr(0, self.rfind('/') + 1) + "run/";
}

// Follows slot 0 of universe 1 as olad announces it.
struct Watcher {
  void OnDmx(const ola::client::DMXMetadata&, const ola::DmxBuffer& data) { slot0 = data.Get(0); }
  void OnRegistered(const ola::client::Result& result) { registered = result.Success(); }
  int slot0 = -1;
  bool registered = false;
};

void BM_SetDmxChannelToOlad(benchmark::State& bench) {
  if (geteuid() != 0 || !OlaDaemon::EnterPrivateNetwork()) {
    bench.SkipWithError("needs root for a private network namespace");
    return;
  }
  OlaDaemon olad;
  DmxLibrary dmx(RunDir());
  if (!olad.Start() || !dmx.Load()) {
    bench.SkipWithError("olad or the DMX library did not start");
    return;
  }
  ola::client::OlaClientWrapper wrapper(false);
  if (!wrapper.Setup()) {
    bench.SkipWithError("no OLA client connection");
    return;
  }
  Watcher watcher;
  ola::client::OlaClient* client = wrapper.GetClient();
  client->SetDMXCallback(ola::NewCallback(&watcher, &Watcher::OnDmx));
  client->RegisterUniverse(1, ola::client::REGISTER, ola::NewSingleCallback(&watcher, &Watcher::OnRegistered));
  ola::io::SelectServer* server = wrapper.GetSelectServer();
  for (int i = 0; i < 50 && !watcher.registered; ++i) server->RunOnce(ola::TimeInterval(0, 10000));

  std::vector<double> micros;
  for (auto _ : bench) {
    for (int sample = 0; sample < 100; ++sample) {
      const int value = 1 + sample % 12;  // sends 20..240, never the previous value
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const Clock::time_point start = Clock::now();
      dmx.SetDmxChannel(1, value);
      while (watcher.slot0 != value * 20 && Clock::now() - start < std::chrono::seconds(2)) {
        server->RunOnce(ola::TimeInterval(0, 1000));
      }
      micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
  }
  std::sort(micros.begin(), micros.end());
  bench.counters["median_us"] = micros[micros.size() / 2];
  bench.counters["worst_us"] = micros.back();
  bench.counters["samples"] = static_cast<double>(micros.size());
}
BENCHMARK(BM_SetDmxChannelToOlad)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glimmora
