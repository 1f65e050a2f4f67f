// The indicator redraws of one sounding pass in modes 1 to 3: for each channel k, SetChannel(k)
// with its lamp and the DrawBandBar(k - 1) that completes it, as one unit (36 redraws and
// hand-overs into the control store), then the port bytes.
#include <benchmark/benchmark.h>

#include "engine/channel_state.h"
#include "ui/store/control_ids.h"
#include "ui/store/indicators.h"

namespace glimmora {
namespace {

void BM_PassRedraws(benchmark::State& bench) {
  ProcessState state;
  ControlStore store;
  Indicators indicators(state, store);
  ChannelState channels(state, store, indicators);
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    for (int item = 0; item <= kChannelCount; ++item) store.AddItem(PinComboId(pin), "0");
    store.SetState(PinComboId(pin), pin);
  }
  // A GUI that takes every change: each pass notifies once, as in the running program.
  store.SetChangeNotifier([] {});
  int pass = 0;
  for (auto _ : bench) {
    channels.ResetLpt();
    for (int k = 1; k <= kChannelCount; ++k) {
      state.BandLevels[k - 1].store(static_cast<float>((pass + 3 * k) % 32), std::memory_order_relaxed);
      auto unit = indicators.LockUnit();
      channels.SetChannel(k, (pass + k) % 2);
      indicators.DrawBandBar(k - 1);
    }
    benchmark::DoNotOptimize(channels.ComposePortBytes());
    benchmark::DoNotOptimize(store.TakeChanges());
    ++pass;
  }
}
BENCHMARK(BM_PassRedraws)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace glimmora
