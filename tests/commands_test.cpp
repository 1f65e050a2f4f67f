// Event-to-command dispatch: each event runs through the event loop against a recording
// Operations double, and the operations it calls are compared in order.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/event_loop.h"
#include "engine/process_state.h"
#include "tests/doubles/recording_operations.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {
namespace {

using Calls = std::vector<std::string>;

struct Fixture {
  ProcessState state;
  ControlStore store;
  RecordingOperations ops;
  Commands commands{state, store, ops};
  EventLoop loop{state, commands, ops};

  Fixture() {
    for (const char* mode : {"none", "manual", "auto", "random", "level 1", "level 2"}) store.AddItem(ModeCombo, mode);
    for (const char* preset : {"Disco", "Calm"}) store.AddItem(PresetCombo, preset);
    for (const char* language : {"English", "De"}) store.AddItem(LanguageCombo, language);
    for (const char* effect : {"Run", "Wave", "Off"}) store.AddItem(EffectCombo, effect);
    ops.position = {12, 34};
    // LoadThresholds sets ThresholdsLoaded when setting.dat exists.
    ops.onLoadThresholds = [this] { state.ThresholdsLoaded = 1; };
  }
};

Event Tray(int type) { return {EventKind::TrayIcon, 0, 0, type}; }
Event Menu(int id) { return {EventKind::MenuItem, 0, id, 0}; }
Event Control(int id, int type = 0) { return {EventKind::Control, 0, id, type}; }

struct Case {
  const char* name;
  std::function<void(Fixture&)> setup;
  Event event;
  Calls expected;
};

const Calls kRestoreLocks = {"WaitForEnginePassEnd", "SetKeyboardLed n 1", "SetKeyboardLed c 0", "SetKeyboardLed s 1"};

Calls Join(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Case kCases[] = {
    {"tray left press shows", {}, Tray(TrayLeftPress), {"ShowMainWindow"}},
    {"tray right press opens the menu only", {}, Tray(TrayRightPress), {"ShowTrayMenu"}},
    {"tray double clicks do nothing more", {}, Tray(TrayLeftDoubleClick), {}},
    {"tray right double click", {}, Tray(TrayRightDoubleClick), {}},
    {"menu restore", {}, Menu(MenuRestore), {"ShowMainWindow"}},
    {"menu hide", {}, Menu(MenuHide), {"HideMainWindow"}},
    {"menu help", {}, Menu(MenuHelp), {"OpenInfoWindow 2"}},
    {"menu lpt scheme", {}, Menu(MenuLptScheme), {"OpenInfoWindow 4"}},
    {"menu history", {}, Menu(MenuHistory), {"OpenInfoWindow 3"}},
    {"menu about", {}, Menu(MenuAbout), {"OpenInfoWindow 1"}},
    {"unknown menu item", {}, Menu(7), {}},
    {"timer 2 checks the USB controller", {}, {EventKind::TimerTick, 0, 2, 0}, {"UsbCheck"}},
    {"other timers do nothing", {}, {EventKind::TimerTick, 0, 1, 0}, {}},
    {"minimise hides", {}, {EventKind::WindowMinimised}, {"HideMainWindow"}},
    {"move saves the position", {}, {EventKind::WindowMoved}, {"SaveWindowPosition 12 34"}},
    {"move while minimised writes nothing",
     [](Fixture& f) {
       f.ops.position = {kMinimisedX, kMinimisedX};
     },
     {EventKind::WindowMoved},
     {}},
    {"exit saves without position, switches off and leaves", [](Fixture& f) { f.state.LightMode = 2; }, Menu(MenuExit),
     Join(Join({"SaveSettings -", "SavePreset"}, kRestoreLocks),
          {"WaitForEnginePassEnd", "SwitchOutputsOff", "LeaveEventLoop"})},
    {"exit in mode 1 saves the thresholds first", [](Fixture& f) { f.state.LightMode = 1; }, Menu(MenuExit),
     Join(Join({"SaveThresholds", "SaveSettings -", "SavePreset"}, kRestoreLocks),
          {"WaitForEnginePassEnd", "SwitchOutputsOff", "LeaveEventLoop"})},
    {"close saves with the position",
     [](Fixture& f) { f.state.LightMode = 1; },
     {EventKind::CloseRequested, 3},
     Join(Join({"SaveThresholds", "SaveSettings 12 34", "SavePreset"}, kRestoreLocks),
          {"WaitForEnginePassEnd", "SwitchOutputsOff", "LeaveEventLoop"})},
    {"close while minimised keeps the position the last move saved",
     [](Fixture& f) {
       f.ops.position = {kMinimisedX, kMinimisedX};
     },
     {EventKind::CloseRequested},
     Join(Join({"SaveSettings -", "SavePreset"}, kRestoreLocks),
          {"WaitForEnginePassEnd", "SwitchOutputsOff", "LeaveEventLoop"})},
    {"mode 1 not loaded: load, save, clear",
     [](Fixture& f) { f.store.SetState(ModeCombo, 1); },
     Control(ModeCombo, ListSelectionChanged),
     {"SetChannel 0 0", "LoadThresholds", "SaveThresholds", "ClearBandLevels"}},
    {"opening the list in mode 1 with thresholds loaded saves them",
     [](Fixture& f) {
       f.store.SetState(ModeCombo, 1);
       f.state.ThresholdsLoaded = 1;
     },
     Control(ModeCombo, ListOpened),
     {"SetChannel 0 0", "SaveThresholds", "ClearBandLevels"}},
    {"another mode zeroes without writing",
     [](Fixture& f) { f.store.SetState(ModeCombo, 3); },
     Control(ModeCombo, ListSelectionChanged),
     {"SetChannel 0 0", "ZeroThresholds", "ClearBandLevels"}},
    {"another mode with thresholds loaded still writes them",
     [](Fixture& f) {
       f.store.SetState(ModeCombo, 0);
       f.state.ThresholdsLoaded = 1;
     },
     Control(ModeCombo, ListFocusLost),
     {"SetChannel 0 0", "ZeroThresholds", "SaveThresholds", "ClearBandLevels"}},
    {"language selection",
     [](Fixture& f) {
       f.store.SetState(LanguageCombo, 0);
       f.state.EffectIndex = 2;
     },
     Control(LanguageCombo, ListSelectionChanged),
     {"SaveSettings 12 34", "ListEffects", "ApplyLanguage English.lng"}},
    {"language selection while minimised keeps the saved position",
     [](Fixture& f) {
       f.store.SetState(LanguageCombo, 1);
       f.ops.position = {kMinimisedX, kMinimisedX};
     },
     Control(LanguageCombo, ListSelectionChanged),
     {"SaveSettings -", "ListEffects", "ApplyLanguage De.lng"}},
    {"language list opened does nothing",
     [](Fixture& f) { f.store.SetState(LanguageCombo, 0); },
     Control(LanguageCombo, ListOpened),
     {}},
    {"effect item",
     [](Fixture& f) { f.store.SetState(EffectCombo, 1); },
     Control(EffectCombo, ListSelectionChanged),
     {"SetChannel 0 0", "LoadEffect Wave"}},
    {"last effect item loads None",
     [](Fixture& f) { f.store.SetState(EffectCombo, 2); },
     Control(EffectCombo, ListOpened),
     {"SetChannel 0 0", "LoadEffect None"}},
    {"the current preset does nothing",
     [](Fixture& f) {
       f.store.SetState(PresetCombo, 0);
       f.state.PresetName = "Disco";
     },
     Control(PresetCombo, ListSelectionChanged),
     {}},
    {"another preset saves the old one first, then loads",
     [](Fixture& f) {
       f.store.SetState(PresetCombo, 1);
       f.state.PresetName = "Disco";
       f.state.LightMode = 3;
     },
     Control(PresetCombo, ListSelectionChanged),
     {"SavePreset", "LoadPreset", "ZeroThresholds", "SetChannel 0 0", "ClearBandLevels"}},
    {"a preset in mode 1 loads the thresholds",
     [](Fixture& f) {
       f.store.SetState(PresetCombo, 1);
       f.state.LightMode = 1;
     },
     Control(PresetCombo, ListSelectionChanged),
     {"SavePreset", "LoadPreset", "LoadThresholds", "SetChannel 0 0", "ClearBandLevels"}},
    {"colour on right release of a band image",
     [](Fixture& f) { f.ops.colour = 255; },
     Control(BandImageId(5), 1),
     {"ChooseColour", "SaveChannelColour 5 255"}},
    {"cancelled colour dialog is passed on as -1",
     {},
     Control(BandImageId(18), 1),
     {"ChooseColour", "SaveChannelColour 18 -1"}},
    {"left click on a band image", {}, Control(BandImageId(1), 0), {}},
    {"keyboard toggle on samples the lock keys",
     [](Fixture& f) { f.store.SetState(KeyboardToggle, 1); },
     Control(KeyboardToggle),
     {"SampleLockKeys"}},
    {"keyboard toggle off restores them", [](Fixture& f) { f.store.SetState(KeyboardToggle, 0); },
     Control(KeyboardToggle), kRestoreLocks},
    {"expand from 180", {}, Control(ExpandButton), {"SetMainWindowClientSize 340 285"}},
    {"collapse from 340",
     [](Fixture& f) { f.ops.clientWidth = 340; },
     Control(ExpandButton),
     {"SetMainWindowClientSize 180 285"}},
    {"OK buttons close their windows", {}, Control(AuthorsOkButton), {"CloseInfoWindow 1"}},
    {"help OK", {}, Control(HelpOkButton), {"CloseInfoWindow 2"}},
    {"history OK", {}, Control(HistoryOkButton), {"CloseInfoWindow 3"}},
    {"scheme OK", {}, Control(LptSchemeOkButton), {"CloseInfoWindow 4"}},
    {"autostart add", {}, Control(AutostartAddButton), {"SetAutostart 1 Glimmora"}},
    {"autostart remove", {}, Control(AutostartRemoveButton), {"SetAutostart 0 Glimmora"}},
    {"effect file cancelled", {}, Control(LoadEffectsButton), {"OpenEffectFileDialog"}},
    {"controls read by the engine have no command", {}, Control(InvertToggle), {}},
    {"threshold bar", {}, Control(ThresholdBarId(4)), {}},
};

class CommandTable : public testing::TestWithParam<Case> {};

TEST_P(CommandTable, CallsTheOperationsInOrder) {
  Fixture f;
  f.state.SavedNumLock = 1;
  f.state.SavedCapsLock = 0;
  f.state.SavedScrollLock = 1;
  if (GetParam().setup) GetParam().setup(f);
  f.loop.Handle(GetParam().event);
  EXPECT_EQ(f.ops.calls, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Events, CommandTable, testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (!isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

TEST(Commands, ExitSetsBothFlagsCloseOnlyPausesOutputs) {
  Fixture exitRun;
  exitRun.loop.Handle(Menu(MenuExit));
  EXPECT_EQ(exitRun.state.OutputsPaused, 1);
  EXPECT_EQ(exitRun.state.QuitRequested, 1);
  EXPECT_TRUE(exitRun.loop.Ended());

  Fixture closeRun;
  closeRun.loop.Handle({EventKind::CloseRequested});
  EXPECT_EQ(closeRun.state.OutputsPaused, 1);
  EXPECT_EQ(closeRun.state.QuitRequested, 0);
  EXPECT_TRUE(closeRun.loop.Ended());
}

TEST(Commands, LockKeysAreRestoredOnlyOnceTheEngineNoLongerDrivesThem) {
  // Exit and Close pause the outputs before the lock keys get their saved states back.
  for (const Event& event : {Menu(MenuExit), Event{EventKind::CloseRequested}}) {
    Fixture f;
    std::vector<int> pausedAtRestore;
    f.ops.onSetKeyboardLed = [&f, &pausedAtRestore] { pausedAtRestore.push_back(f.state.OutputsPaused); };
    f.loop.Handle(event);
    EXPECT_EQ(pausedAtRestore, std::vector<int>({1, 1, 1}));
  }
}

TEST(Commands, EventsAfterTheEndAreIgnored) {
  Fixture f;
  f.loop.Handle(Menu(MenuExit));
  f.ops.calls.clear();
  f.loop.Handle({EventKind::CloseRequested});
  f.loop.Handle({EventKind::TimerTick, 0, kUsbCheckTimerId, 0});
  EXPECT_TRUE(f.ops.calls.empty());
}

TEST(Commands, ModeListInModeOneWritesOnlyOnceAfterALoad) {
  // Thresholds loaded by a preset: opening the list writes them, choosing mode 2 then
  // zeroes the bars without writing again.
  Fixture f;
  f.store.SetState(ModeCombo, 1);
  f.state.LightMode = 1;
  f.state.ThresholdsLoaded = 1;
  f.loop.Handle(Control(ModeCombo, ListOpened));
  EXPECT_EQ(f.state.ThresholdsLoaded, 0);
  f.store.SetState(ModeCombo, 2);
  f.loop.Handle(Control(ModeCombo, ListSelectionChanged));
  EXPECT_EQ(f.state.LightMode, 2);
  EXPECT_EQ(f.ops.calls, (Calls{"SetChannel 0 0", "SaveThresholds", "ClearBandLevels", "SetChannel 0 0",
                                "ZeroThresholds", "ClearBandLevels"}));
}

TEST(Commands, PresetChangeWithEmptyNameSavesIntoTheNamelessPreset) {
  Fixture f;
  f.store.SetState(PresetCombo, 0);
  f.loop.Handle(Control(PresetCombo, ListSelectionChanged));
  EXPECT_EQ(f.state.PresetName, "Disco");
  EXPECT_EQ(f.ops.calls.front(), "SavePreset");
}

TEST(Commands, LanguageSetsNameAndReselectsTheEffect) {
  Fixture f;
  f.store.SetState(LanguageCombo, 1);
  f.state.EffectIndex = 2;
  f.ops.onListEffects = [&f] {
    f.store.ClearItems(EffectCombo);
    for (const char* effect : {"A", "B", "C", "D"}) f.store.AddItem(EffectCombo, effect);
  };
  f.loop.Handle(Control(LanguageCombo, ListSelectionChanged));
  EXPECT_EQ(f.state.LanguageName, "De");
  EXPECT_EQ(f.store.State(EffectCombo), 2);
  EXPECT_EQ(f.ops.calls.back(), "ApplyLanguage De.lng");
}

TEST(Commands, EffectFileKeepsOnlyTheNameAndLoadsTheSecondItem) {
  Fixture f;
  f.state.EffectIndex = 0;
  f.ops.dialogPath = "/home/user/lights/party.sdu";
  f.ops.onListEffects = [&f] {
    for (const char* effect : {"First", "Second", "None"}) f.store.AddItem(EffectCombo, effect);
  };
  f.loop.Handle(Control(LoadEffectsButton));
  EXPECT_EQ(f.state.EffectFileName, "party.sdu");
  EXPECT_EQ(f.store.ItemCount(EffectCombo), 3);  // the old items were removed first
  EXPECT_EQ(f.store.State(EffectCombo), 1);
  EXPECT_EQ(f.state.EffectIndex, 0);
  EXPECT_EQ(f.ops.calls, (Calls{"OpenEffectFileDialog", "ListEffects", "LoadEffect Second"}));
}

TEST(Commands, MidpointAndBrightness) {
  Fixture f;
  f.store.SetState(ThresholdBarId(1), 3);
  f.loop.Handle(Control(MidpointButton));
  for (int channel = 1; channel <= kChannelCount; ++channel) EXPECT_EQ(f.store.State(ThresholdBarId(channel)), 20);
  f.loop.Handle(Control(StepBar));
  EXPECT_EQ(f.state.BrightnessDirty, 1);
  f.state.BrightnessDirty = 0;
  f.loop.Handle(Control(BrightBar));
  EXPECT_EQ(f.state.BrightnessDirty, 1);
  EXPECT_TRUE(f.ops.calls.empty());
}

}  // namespace
}  // namespace glimmora
