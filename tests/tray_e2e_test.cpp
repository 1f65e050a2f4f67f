// The program driven through its tray icon as a user would, under an Xvfb of the test's own
// with trayer as the tray host, run from a private copy of the run folder (its working
// directory) with a runtime directory of its own: the icon's buttons show the window and open
// the menu, the menu hides the window, opens an information window (twice: still one) and ends the program;
// moving the window saves its position at once; a mode chosen in the window is saved into the
// current preset at exit, the expand button widens the window, and a colour chosen for a
// channel indicator is written to LedColor.dat; a close request from an
// information window ends the program like one from the main window. Every end has exit code
// 0. Screenshots of the window shown from the tray, of the open menu and of the authors
// window are kept in the build folder as tests/tray_*.png.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program_launch.h"
#include "tests/support/temp_directory.h"
#include "tests/support/x_windows.h"
#include "tests/support/xvfb_session.h"

namespace glimmora {
namespace {

using namespace std::chrono_literals;
using testing::StopProcess;
using testing::XDisplay;
using testing::XvfbSession;
using testing::XWindow;

constexpr const char* kTrayIconName = "glimmora";  // tray icon and popup menu windows
constexpr const char* kWindowTitle = "Glimmora";
constexpr const char* kAuthorsTitle = "Авторы";
constexpr const char* kHelpTitle = "Настройки";
constexpr int kModeComboX = 3, kModeComboY = 238, kModeComboWidth = 80, kModeComboHeight = 20;
constexpr int kExpandButtonX = 119, kExpandButtonY = 260;
constexpr int kBandImageX = 10, kBandImageY = 35, kBandImageStep = 9;  // BandImage1, and the step to the next
constexpr const char* kColourDialogTitle = "Select Color";

class TrayEndToEnd : public ::testing::Test {
 protected:
  TrayEndToEnd() : xvfb_(XvfbSession::Options{640, 480, true}), x_(xvfb_.Display()) {
    std::filesystem::copy(GLIMMORA_RUN_DIR, run_, std::filesystem::copy_options::recursive);
    mkdir(runtime_.c_str(), 0700);
  }

  ~TrayEndToEnd() override { StopProcess(pid_); }

  void Start() { pid_ = testing::LaunchProgram(run_, xvfb_.Display(), runtime_); }

  // The exit code once the program has ended; -1 while it still runs after 20 seconds.
  int WaitExit() {
    for (int i = 0; i < 400; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(50ms);
    }
    return -1;
  }

  // Polls `ready` for up to ten seconds while the program runs.
  bool WaitFor(const std::function<bool()>& ready) {
    for (int i = 0; i < 100; ++i) {
      if (ready()) return true;
      if (waitpid(pid_, nullptr, WNOHANG) != 0) return false;
      std::this_thread::sleep_for(100ms);
    }
    return false;
  }

  std::optional<XWindow> Viewable(const std::string& name, bool popupOnly = false) const {
    for (const XWindow& w : x_.ViewableTopLevel(name)) {
      if (!popupOnly || w.width > 1) return w;
    }
    return std::nullopt;
  }
  bool MenuOpen() const { return Viewable(kTrayIconName, true).has_value(); }
  bool WindowShown() const { return Viewable(kWindowTitle).has_value(); }

  // Starts the program and waits for its tray icon; the icon's centre.
  void StartIntoTheTray() {
    ASSERT_TRUE(xvfb_.Running());
    Start();
    ASSERT_TRUE(WaitFor([&] { return x_.TrayIcons(kTrayIconName).size() == 1; })) << "no tray icon appeared";
    const XWindow icon = x_.TrayIcons(kTrayIconName)[0];
    iconX_ = icon.x + icon.width / 2;
    iconY_ = icon.y + icon.height / 2;
  }

  void PressIcon(int button) const { x_.Press(iconX_, iconY_, button); }

  // Opens the tray menu with the right button and picks an item with the keyboard.
  void ChooseFromMenu(const std::string& keys) {
    PressIcon(3);
    ASSERT_TRUE(WaitFor([&] { return MenuOpen(); })) << "the tray menu did not open";
    x_.Key(keys);
  }

  void Screenshot(const std::string& name) const {
    x_.Run("import -window root " GLIMMORA_BINARY_DIR "/tests/" + name + ".png");
  }

  std::string Setting() const { return ReadFileBytes(run_ + "/setting.dat").value_or(""); }
  // Preference files end their lines with CR LF.
  static bool Holds(const std::string& file, const std::string& line) {
    return ("\r\n" + file).find("\r\n" + line + "\r\n") != std::string::npos;
  }

  XvfbSession xvfb_;
  XDisplay x_;
  TempWorkingDirectory folder_;
  std::string run_ = folder_.Path() + "run";
  std::string runtime_ = folder_.Path() + "xdg";
  pid_t pid_ = -1;
  int iconX_ = 0, iconY_ = 0;
};

TEST_F(TrayEndToEnd, IconShowsTheWindowMenuHidesItAndExitEndsWithZeroAfterSaving) {
  WriteFileBytes(run_ + "/setting.dat", "Preset = Calm\r\nKEY_LED = 0\r\n");
  ASSERT_NO_FATAL_FAILURE(StartIntoTheTray());

  // The right button opens the menu and never shows the window.
  PressIcon(3);
  ASSERT_TRUE(WaitFor([&] { return MenuOpen(); })) << "the tray menu did not open";
  Screenshot("tray_menu");
  EXPECT_FALSE(WindowShown());
  x_.Key("Escape");
  ASSERT_TRUE(WaitFor([&] { return !MenuOpen(); }));

  // The left button shows the window where setting.dat left it (no X_form: 0, 0).
  PressIcon(1);
  ASSERT_TRUE(WaitFor([&] { return WindowShown(); })) << "a left press did not show the window";
  const XWindow window = *Viewable(kWindowTitle);
  EXPECT_EQ(window.x, 0);
  EXPECT_EQ(window.y, 0);
  EXPECT_EQ(window.width, 180);
  EXPECT_EQ(window.height, 285);
  std::this_thread::sleep_for(300ms);
  Screenshot("tray_main_window");

  // Moving the window saves its position at once.
  x_.Run("xdotool windowmove " + window.id + " 50 60");
  EXPECT_TRUE(WaitFor([&] { return Holds(Setting(), "X_form = 50") && Holds(Setting(), "Y_form = 60"); })) << Setting();

  // "Свернуть" (second item) hides it; a double click shows it once again.
  ASSERT_NO_FATAL_FAILURE(ChooseFromMenu("Down Down Return"));
  ASSERT_TRUE(WaitFor([&] { return !WindowShown(); })) << "the menu's second item did not hide the window";
  x_.Run("xdotool mousemove " + std::to_string(iconX_) + " " + std::to_string(iconY_) + " click --repeat 2 1");
  ASSERT_TRUE(WaitFor([&] { return WindowShown(); }));
  EXPECT_EQ(x_.ViewableTopLevel(kWindowTitle).size(), 1u);

  // "Выход" (the last item) saves the settings and ends the program with 0.
  ASSERT_NO_FATAL_FAILURE(ChooseFromMenu("Up Return"));
  EXPECT_EQ(WaitExit(), 0);
  const std::string setting = Setting();
  EXPECT_TRUE(Holds(setting, "Preset = Calm")) << setting;
  EXPECT_TRUE(Holds(setting, "OUT18 = 0")) << setting;
  EXPECT_TRUE(Holds(setting, "Invert = 0")) << setting;
  EXPECT_TRUE(Holds(setting, "X_form = 50")) << setting;
  EXPECT_TRUE(x_.TrayIcons(kTrayIconName).empty()) << "the tray icon is gone";
}

TEST_F(TrayEndToEnd, ControlsOfTheWindowRunTheirCommands) {
  WriteFileBytes(run_ + "/setting.dat", "Preset = Party\r\n");
  WriteFileBytes(run_ + "/LedColor.dat", "5 = 255\r\n");
  ASSERT_TRUE(Holds(ReadFileBytes(run_ + "/Party.patt").value_or(""), "EFFECT CMU = 2"));
  ASSERT_NO_FATAL_FAILURE(StartIntoTheTray());
  PressIcon(1);
  ASSERT_TRUE(WaitFor([&] { return WindowShown(); }));
  const XWindow window = *Viewable(kWindowTitle);

  // Open the mode list with the mouse and move two items down, from mode 2 to mode 4.
  x_.Press(window.x + kModeComboX + kModeComboWidth / 2, window.y + kModeComboY + kModeComboHeight / 2, 1);
  std::this_thread::sleep_for(500ms);
  x_.Key("Down Down Return");
  std::this_thread::sleep_for(500ms);

  // The expand button widens the window to 340 pixels.
  x_.Press(window.x + kExpandButtonX + 10, window.y + kExpandButtonY + 10, 1);
  EXPECT_TRUE(WaitFor([&] { return Viewable(kWindowTitle) && Viewable(kWindowTitle)->width == 340; }))
      << "the expand button did not widen the window";

  // A right click on channel 5's indicator opens the colour dialog; OK takes its black.
  x_.Press(window.x + kBandImageX + 4 * kBandImageStep + 4, window.y + kBandImageY + 40, 3);
  ASSERT_TRUE(WaitFor([&] { return Viewable(kColourDialogTitle).has_value(); })) << "no colour dialog";
  x_.Key("Return");
  EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(run_ + "/LedColor.dat") == "5 = 0\r\n"; }))
      << ReadFileBytes(run_ + "/LedColor.dat").value_or("");

  ASSERT_NO_FATAL_FAILURE(ChooseFromMenu("Up Return"));
  EXPECT_EQ(WaitExit(), 0);
  const std::string preset = ReadFileBytes(run_ + "/Party.patt").value_or("");
  EXPECT_TRUE(Holds(preset, "EFFECT CMU = 4")) << preset;
  EXPECT_TRUE(Holds(Setting(), "Preset = Party")) << Setting();
}

TEST_F(TrayEndToEnd, InformationWindowsOpenFromTheMenuAndTheirCloseRequestEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(StartIntoTheTray());

  // "О программе" (the item above the separator) opens the authors window centred; OK closes it.
  ASSERT_NO_FATAL_FAILURE(ChooseFromMenu("Up Up Return"));
  ASSERT_TRUE(WaitFor([&] { return Viewable(kAuthorsTitle).has_value(); })) << "no authors window";
  const XWindow authors = *Viewable(kAuthorsTitle);
  EXPECT_EQ(authors.width, 500);
  EXPECT_EQ(authors.height, 347);
  EXPECT_EQ(authors.x, (640 - 500) / 2);
  EXPECT_EQ(authors.y, (480 - 347) / 2);
  std::this_thread::sleep_for(300ms);
  Screenshot("tray_authors_window");
  // Choosing it again replaces the window: still exactly one.
  ASSERT_NO_FATAL_FAILURE(ChooseFromMenu("Up Up Return"));
  std::this_thread::sleep_for(500ms);
  ASSERT_EQ(x_.ViewableTopLevel(kAuthorsTitle).size(), 1u);
  ASSERT_TRUE(WaitFor([&] { return Viewable(kAuthorsTitle).has_value(); })) << "no authors window";
  x_.Press(authors.x + 46 + 40, authors.y + 317 + 12, 1);
  ASSERT_TRUE(WaitFor([&] { return !Viewable(kAuthorsTitle); })) << "OK did not close the authors window";
  EXPECT_FALSE(WindowShown());

  // "Справка" > "Настройки" opens the help window; its close request ends the program like
  // one from the main window, saving the hidden main window's position (0, 0).
  ASSERT_NO_FATAL_FAILURE(ChooseFromMenu("Down Down Down Right Return"));
  ASSERT_TRUE(WaitFor([&] { return Viewable(kHelpTitle).has_value(); })) << "no help window";
  ASSERT_EQ(Setting(), "") << "nothing was saved before the end";
  x_.RequestClose(Viewable(kHelpTitle)->id);
  EXPECT_EQ(WaitExit(), 0);
  const std::string setting = Setting();
  EXPECT_TRUE(Holds(setting, "X_form = 0")) << setting;
  EXPECT_TRUE(Holds(setting, "Y_form = 0")) << setting;
}

}  // namespace
}  // namespace glimmora
