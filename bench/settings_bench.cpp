// setting.dat: opening, reading all 45 keys and closing; and a write-back of the 45 keys
// (temporary file, flush, rename). Run in a temporary working directory.
#include <benchmark/benchmark.h>

#include <string>

#include "settings/number_text.h"
#include "settings/preference_store.h"
#include "settings/setting_keys.h"
#include "tests/support/temp_directory.h"

namespace glimmora {
namespace {

std::string SettingsFile() {
  std::string text =
      "X_form = 120\r\nY_form = 80\r\nPID = $5DF\r\nVID = $16C0\r\nPreset = party\r\nLanguage = English\r\n";
  for (int k = 1; k <= 18; ++k) text += NumberedKey("fr", k) + " = " + NumberToText(k) + "\r\n";
  text += "KEY_LED = 1\r\nLPT_LED = 0\r\n";
  for (int k = 1; k <= 18; ++k) text += NumberedKey("OUT", k) + " = " + NumberToText(k) + "\r\n";
  text += "Invert = 0\r\n";
  return text;
}

void ReadAllKeys(benchmark::State& state) {
  TempWorkingDirectory dir;
  WriteFileBytes(std::string(kSettingsFile), SettingsFile());
  for (auto _ : state) {
    OpenPreferences(kSettingsFile);
    std::int64_t sum = ReadNumber("X_form") + ReadNumber("Y_form") + ReadNumber("PID") + ReadNumber("VID");
    sum += static_cast<std::int64_t>(ReadText("Preset", "").size() + ReadText("Language", "").size());
    for (int k = 1; k <= 18; ++k) sum += ReadNumber(NumberedKey("fr", k));
    sum += ReadNumber("KEY_LED") + ReadNumber("LPT_LED");
    for (int k = 1; k <= 18; ++k) sum += ReadNumber(NumberedKey("OUT", k));
    sum += ReadNumber("Invert");
    ClosePreferences();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(ReadAllKeys)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void WriteBack(benchmark::State& state) {
  TempWorkingDirectory dir;
  WriteFileBytes(std::string(kSettingsFile), SettingsFile());
  int value = 0;
  for (auto _ : state) {
    OpenPreferences(kSettingsFile);
    WriteNumber("Invert", ++value & 1);
    ClosePreferences();
  }
}
BENCHMARK(WriteBack)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glimmora
