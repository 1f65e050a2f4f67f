// End to end: the program runs under an Xvfb of the test's own with a tray host and a private
// PulseAudio daemon; its window is shown from the tray icon, a 1200 Hz tone (band 11, channel
// 12) plays in mode 1 with channel 12's threshold at 0 and every other threshold at 39, and a
// screenshot shows channel 12's lamp lit and its bar risen while the other 17 stay dark.
// The screenshot is kept as tests/tone_indicators.png in the build folder.
//
// With GLIMMORA_MEASURE_CPU_SECONDS=n set, the test goes on with the tone and the window shown
// for n more seconds and prints the program's CPU time over them (user + system time from
// /proc/<pid>/stat) as a share of one core; nothing is asserted about it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program_launch.h"
#include "tests/support/pulse_daemon.h"
#include "tests/support/temp_directory.h"
#include "tests/support/x_windows.h"
#include "tests/support/xvfb_session.h"

namespace glimmora {
namespace {

using namespace std::chrono_literals;
using testing::XDisplay;
using testing::XWindow;

constexpr int kToneChannel = 12;
constexpr double kToneHz = 1200.0;  // bin 223 of band 11

// A screenshot as 24-bit pixels, read from the binary PPM that ImageMagick writes.
struct Screen {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  std::uint32_t At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return static_cast<std::uint32_t>(rgb[i]) << 16 | rgb[i + 1] << 8 | rgb[i + 2];
  }
};

// User + system time of a process in clock ticks, -1 when it cannot be read.
long CpuTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(in, text);
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  long utime = -1;
  long stime = -1;
  // After the command name: state is field 3, utime field 14, stime field 15.
  for (int n = 3; n <= 15 && fields >> field; ++n) {
    if (n == 14) utime = std::stol(field);
    if (n == 15) stime = std::stol(field);
  }
  return utime < 0 || stime < 0 ? -1 : utime + stime;
}

bool ReadPpm(const std::string& path, Screen& screen) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int max = 0;
  in >> magic >> screen.width >> screen.height >> max;
  in.get();
  if (magic != "P6" || max != 255 || screen.width <= 0 || screen.height <= 0) return false;
  screen.rgb.resize(static_cast<std::size_t>(screen.width) * screen.height * 3);
  in.read(reinterpret_cast<char*>(screen.rgb.data()), static_cast<std::streamsize>(screen.rgb.size()));
  return static_cast<bool>(in);
}

class ToneIndicatorsTest : public ::testing::Test {
 protected:
  void TearDown() override { testing::StopProcess(program_); }

  void StartDisplay() {
    xvfb_ = std::make_unique<testing::XvfbSession>(testing::XvfbSession::Options{640, 480, true});
    ASSERT_TRUE(xvfb_->Running()) << "Xvfb or trayer did not start";
    display_ = xvfb_->Display();
  }

  // Program, libraries and shipped data in a folder of the test's own, which is both the
  // program's directory and its working directory, with a mode-1 preset and the thresholds.
  void PrepareProgramFolder(const std::string& folder) {
    ASSERT_EQ(std::system(("cp -r " GLIMMORA_RUN_DIR "/. " + folder).c_str()), 0);
    WriteFileBytes(folder + "Tone.patt", "Level = 10\r\nARU = 1\r\nEFFECT CMU = 1\r\n");
    std::string settings = "X_form = 20\r\nY_form = 20\r\nPreset = Tone\r\n";
    for (int k = 1; k <= 18; ++k) {
      settings += "fr" + std::to_string(k) + " = " + (k == kToneChannel ? "0" : "39") + "\r\n";
    }
    WriteFileBytes(folder + "setting.dat", settings);
  }

  // Any window embedded in the tray host.
  std::vector<XWindow> TrayIcons(const XDisplay& x) const {
    const std::vector<XWindow> windows = x.Windows();
    std::vector<XWindow> found;
    for (const XWindow& w : windows) {
      if (w.width <= 1 || w.height <= 1) continue;
      for (int p = w.parent; p >= 0; p = windows[p].parent) {
        if (windows[p].name == "panel") {
          found.push_back(w);
          break;
        }
      }
    }
    return found;
  }

  std::unique_ptr<testing::XvfbSession> xvfb_;
  pid_t program_ = -1;
  std::string display_;
};

TEST_F(ToneIndicatorsTest, ToneInOneBandLightsItsLampAndRaisesItsBar) {
  PulseDaemon daemon;
  ASSERT_TRUE(daemon.Start()) << daemon.Log();
  daemon.PointClientsHere();
  ASSERT_NO_FATAL_FAILURE(StartDisplay());
  TempWorkingDirectory folder;
  ASSERT_NO_FATAL_FAILURE(PrepareProgramFolder(folder.Path()));
  const XDisplay x(display_);

  program_ = testing::LaunchProgram(folder.Path(), display_, folder.Path());
  ASSERT_GT(program_, 0);
  std::vector<XWindow> icons;
  for (int i = 0; i < 150 && icons.empty(); ++i) {
    if (waitpid(program_, nullptr, WNOHANG) == program_) {
      program_ = -1;
      FAIL() << "the program ended at start-up";
    }
    std::this_thread::sleep_for(100ms);
    icons = TrayIcons(x);
  }
  ASSERT_FALSE(icons.empty()) << "no tray icon appeared";
  x.Press(icons[0].x + icons[0].width / 2, icons[0].y + icons[0].height / 2, 1);
  std::vector<XWindow> windows;
  for (int i = 0; i < 100 && windows.empty(); ++i) {
    std::this_thread::sleep_for(100ms);
    windows = x.ViewableTopLevel("Glimmora");
  }
  ASSERT_FALSE(windows.empty()) << "the main window did not show";
  const XWindow window = windows[0];

  const char* measure = std::getenv("GLIMMORA_MEASURE_CPU_SECONDS");
  const int measureSeconds = measure != nullptr ? std::atoi(measure) : 0;
  ASSERT_TRUE(daemon.PlayTone(kToneHz, 3000, 40 + measureSeconds));
  const std::string png = GLIMMORA_BINARY_DIR "/tests/tone_indicators.png";
  const std::string ppm = folder.Path() + "screen.ppm";
  // Indicator k stands at x = 10 + 9 (k - 1), y = 35 in the window; row 10 is in the lamp,
  // row 78 is the bar's second row from the bottom (row 77 is a grid line).
  auto lamp = [&](const Screen& s, int k) { return s.At(window.x + 10 + 9 * (k - 1) + 4, window.y + 35 + 10); };
  auto bar = [&](const Screen& s, int k) { return s.At(window.x + 10 + 9 * (k - 1) + 4, window.y + 35 + 78); };
  auto steady = [&](const Screen& s) {
    for (int k = 1; k <= 18; ++k) {
      const bool lit = k == kToneChannel;
      if (lamp(s, k) != (lit ? 0xFF0000u : 0xBBBBBBu) || bar(s, k) != (lit ? 0x00FF00u : 0x6B6B6Bu)) return false;
    }
    return true;
  };
  // The onset of the tone spreads over every band while it lies in the 4096-sample window
  // (about 190 ms), so the picture is checked once it has settled.
  Screen screen;
  for (int i = 0; i < 60; ++i) {
    std::this_thread::sleep_for(250ms);
    x.Run("import -window root " + png);
    ASSERT_EQ(std::system(("convert " + png + " " + ppm).c_str()), 0);
    ASSERT_TRUE(ReadPpm(ppm, screen));
    if (steady(screen)) break;
  }
  for (int k = 1; k <= 18; ++k) {
    const bool lit = k == kToneChannel;
    EXPECT_EQ(lamp(screen, k), lit ? 0xFF0000u : 0xBBBBBBu) << "lamp of channel " << k << ", see " << png;
    EXPECT_EQ(bar(screen, k), lit ? 0x00FF00u : 0x6B6B6Bu) << "bar of channel " << k << ", see " << png;
  }
  if (measureSeconds > 0) {
    const long before = CpuTicks(program_);
    std::this_thread::sleep_for(std::chrono::seconds(measureSeconds));
    const long after = CpuTicks(program_);
    ASSERT_GE(before, 0);
    ASSERT_GE(after, before);
    const double seconds = static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::printf("CPU time of the program over %d s of tone in mode 1, window shown: %.2f s (%.2f %% of one core)\n",
                measureSeconds, seconds, 100.0 * seconds / measureSeconds);
  }
  daemon.StopTone();
}

}  // namespace
}  // namespace glimmora
