// The main window on a real X server (an Xvfb of the test's own): its client area is
// 180 x 285 collapsed and 340 x 285 expanded with the top-left corner in place, as the X
// server reports it. Screenshots of both states are kept in the build folder as
// tests/main_window_collapsed.png and tests/main_window_expanded.png.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <sstream>
#include <string>

#include "engine/process_state.h"
#include "settings/codepage.h"
#include "settings/language.h"
#include "tests/support/x_windows.h"
#include "tests/support/xvfb_session.h"
#include "ui/main_window.h"
#include "ui/store/control_ids.h"
#include "ui/store/indicators.h"

namespace glimmora {
namespace {

using testing::XDisplay;
using testing::XvfbSession;

struct Geometry {
  int x = -1, y = -1, width = 0, height = 0;
};

// Absolute position and size of the window as the X server has it.
Geometry ServerGeometry(const XDisplay& x, WId window) {
  std::istringstream out(x.Run("xwininfo -id " + std::to_string(window)));
  Geometry g;
  std::string line;
  while (std::getline(out, line)) {
    std::istringstream words(line);
    std::string a, b, c;
    int value = 0;
    words >> a >> b;
    if (a == "Width:") g.width = std::stoi(b);
    if (a == "Height:") g.height = std::stoi(b);
    if (a == "Absolute" && b == "upper-left") {
      words >> c >> value;
      if (c == "X:") g.x = value;
      if (c == "Y:") g.y = value;
    }
  }
  return g;
}

void Wait(int ms) {
  QApplication::processEvents();
  std::system(("sleep " + std::to_string(ms / 1000.0)).c_str());
  QApplication::processEvents();
}

TEST(MainWindowScreen, CollapseAndExpandKeepTheTopLeftCorner) {
  XvfbSession xvfb;
  ASSERT_TRUE(xvfb.Running());
  xvfb.ExportDisplay();
  qputenv("QT_QPA_PLATFORM", "xcb");
  int argc = 1;
  char name[] = "main_window_screen_test";
  char* argv[] = {name, nullptr};
  // Kept alive until the process ends: tearing Qt down in the exit handlers crashes.
  auto* app = new QApplication(argc, argv);
  static_cast<void>(app);

  ProcessState state;
  ControlStore store;
  LanguageTexts texts;
  for (int i = 0; i < 6; ++i) store.AddItem(ModeCombo, "");
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    store.AddItem(PinComboId(pin), "");
    for (int n = 1; n <= 18; ++n) store.AddItem(PinComboId(pin), std::to_string(n));
    store.SetState(PinComboId(pin), pin);
  }
  store.AddItem(PresetCombo, "Party");
  store.SetState(PresetCombo, 0);
  store.SetState(ModeCombo, 1);
  ApplyLanguage(store, texts, ".lng");
  Indicators indicators(state, store);
  indicators.ClearBandLevels();
  indicators.DrawChannelLed(0, 0);

  MainWindow window(store, [](const Event&) {});
  window.move(30, 20);
  window.ShowAndRestore();
  Wait(500);
  const XDisplay x(xvfb.Display());
  const Geometry collapsed = ServerGeometry(x, window.winId());
  EXPECT_EQ(collapsed.width, kClientWidthCollapsed);
  EXPECT_EQ(collapsed.height, kClientHeight);
  EXPECT_EQ(collapsed.x, 30);
  EXPECT_EQ(collapsed.y, 20);
  x.Run("import -window root " GLIMMORA_BINARY_DIR "/tests/main_window_collapsed.png");

  window.SetClientSize(kClientWidthExpanded, kClientHeight);
  Wait(500);
  const Geometry expanded = ServerGeometry(x, window.winId());
  EXPECT_EQ(expanded.width, kClientWidthExpanded);
  EXPECT_EQ(expanded.height, kClientHeight);
  EXPECT_EQ(expanded.x, collapsed.x);
  EXPECT_EQ(expanded.y, collapsed.y);
  x.Run("import -window root " GLIMMORA_BINARY_DIR "/tests/main_window_expanded.png");

  window.SetClientSize(kClientWidthCollapsed, kClientHeight);
  Wait(500);
  const Geometry again = ServerGeometry(x, window.winId());
  EXPECT_EQ(again.width, kClientWidthCollapsed);
  EXPECT_EQ(again.x, collapsed.x);
  EXPECT_EQ(again.y, collapsed.y);
  window.Hide();
  QApplication::processEvents();
}

}  // namespace
}  // namespace glimmora
