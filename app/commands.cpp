#include "app/commands.h"

#include <cstdint>
#include <mutex>

#include "app/operations.h"
#include "engine/process_state.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"
#include "ui/store/control_table.h"

namespace glimmora {

namespace {

constexpr int kManualThresholdMode = 1;
constexpr int kMidpointThreshold = 20;

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

Commands::Commands(ProcessState& state, ControlStore& store, Operations& operations)
    : state_(state), store_(store), ops_(operations) {}

void Commands::Run(const Event& event) {
  if (event.kind == EventKind::Control) {
    RunControlEvent(event);
  } else {
    RunWindowEvent(event);
  }
}

// Window, tray, menu and timer commands.
void Commands::RunWindowEvent(const Event& event) {
  switch (event.kind) {
    case EventKind::TrayIcon:
      if (event.type == TrayRightPress) ops_.ShowTrayMenu();
      if (event.type == TrayLeftPress) ops_.ShowMainWindow();
      return;
    case EventKind::MenuItem:
      switch (event.number) {
        case MenuRestore:
          ops_.ShowMainWindow();
          return;
        case MenuHide:
          ops_.HideMainWindow();
          return;
        case MenuHelp:
          ops_.OpenInfoWindow(HelpWindowId);
          return;
        case MenuLptScheme:
          ops_.OpenInfoWindow(LptSchemeWindowId);
          return;
        case MenuHistory:
          ops_.OpenInfoWindow(HistoryWindowId);
          return;
        case MenuAbout:
          ops_.OpenInfoWindow(AuthorsWindowId);
          return;
        case MenuExit:
          Exit();
          return;
        default:
          return;
      }
    case EventKind::TimerTick:
      if (event.number == kUsbCheckTimerId) ops_.UsbCheck();
      return;
    case EventKind::WindowMinimised:
      ops_.HideMainWindow();
      return;
    case EventKind::WindowMoved: {
      // A minimised window reports x = -32000; that position is never saved.
      const FramePosition position = ops_.MainWindowPosition();
      if (position.x != kMinimisedX) ops_.SaveWindowPosition(position.x, position.y);
      return;
    }
    case EventKind::CloseRequested:
      Close();
      return;
    case EventKind::Control:
      return;
  }
}

// Control commands. Controls without a row (threshold bars, LevelBar, AruBar,
// EffectSpeedBar, LptToggle, InvertToggle, the pin lists) are read by the engine directly.
void Commands::RunControlEvent(const Event& event) {
  const int id = event.number;
  if (id >= BandImage1 && id <= BandImage18) {
    if (event.type == 1) Colour(id - (BandImage1 - 1));
    return;
  }
  switch (id) {
    case ModeCombo:
      Mode();
      return;
    case LanguageCombo:
      if (event.type == ListSelectionChanged) Language();
      return;
    case KeyboardToggle:
      KeyboardToggled();
      return;
    case EffectCombo:
      Effect();
      return;
    case ExpandButton:
      Expand();
      return;
    case BrightBar:
    case StepBar:
      state_.BrightnessDirty = 1;
      return;
    case PresetCombo:
      Preset();
      return;
    case AuthorsOkButton:
      ops_.CloseInfoWindow(AuthorsWindowId);
      return;
    case HelpOkButton:
      ops_.CloseInfoWindow(HelpWindowId);
      return;
    case HistoryOkButton:
      ops_.CloseInfoWindow(HistoryWindowId);
      return;
    case LptSchemeOkButton:
      ops_.CloseInfoWindow(LptSchemeWindowId);
      return;
    case AutostartAddButton:
      ops_.SetAutostart(1, kAutostartName);
      return;
    case AutostartRemoveButton:
      ops_.SetAutostart(0, kAutostartName);
      return;
    case LoadEffectsButton:
      EffectFile();
      return;
    case MidpointButton:
      Midpoint();
      return;
    default:
      return;
  }
}

// The engine drives the lock keys while KeyboardToggle is on and outputs are not paused; a
// pass still under way could press a key between these three, so it is waited for first.
void Commands::RestoreLockKeys() {
  ops_.WaitForEnginePassEnd();
  ops_.SetKeyboardLed('n', state_.SavedNumLock);
  ops_.SetKeyboardLed('c', state_.SavedCapsLock);
  ops_.SetKeyboardLed('s', state_.SavedScrollLock);
}

// Tray menu Exit: saves without the window position (the last move already saved it) and
// asks the loop to end. The outputs pause before the lock keys get their saved states back,
// so no later engine pass can change them again.
void Commands::Exit() {
  if (state_.LightMode == kManualThresholdMode) ops_.SaveThresholds();
  ops_.SaveSettings(std::nullopt);
  ops_.SavePreset();
  state_.OutputsPaused = 1;
  RestoreLockKeys();
  state_.QuitRequested = 1;
}

// The window position to save with the settings. A minimised window reports x = -32000;
// saved, it would open off the screen at the next start, so the position the last move
// saved is kept instead.
std::optional<FramePosition> Commands::SavablePosition() {
  const FramePosition position = ops_.MainWindowPosition();
  if (position.x == kMinimisedX) return std::nullopt;
  return position;
}

// Close request: pauses the outputs first and saves with the window position. The loop
// ends because the event was a close request.
void Commands::Close() {
  state_.OutputsPaused = 1;
  if (state_.LightMode == kManualThresholdMode) ops_.SaveThresholds();
  ops_.SaveSettings(SavablePosition());
  ops_.SavePreset();
  RestoreLockKeys();
}

// Runs on every event of the list, so merely opening it in mode 1 writes the thresholds
// when they were loaded since the last write.
void Commands::Mode() {
  state_.LightMode = static_cast<std::int8_t>(store_.State(ModeCombo));
  ops_.SetChannel(0, 0);
  if (state_.LightMode == kManualThresholdMode) {
    if (state_.ThresholdsLoaded == 0) ops_.LoadThresholds();
  } else {
    ops_.ZeroThresholds();
  }
  if (state_.ThresholdsLoaded == 1) {
    ops_.SaveThresholds();
    state_.ThresholdsLoaded = 0;
  }
  ops_.ClearBandLevels();
}

void Commands::Language() {
  std::string name = store_.Text(LanguageCombo);
  {
    std::lock_guard lock(state_.namesMutex);
    state_.LanguageName = name;
  }
  ops_.SaveSettings(SavablePosition());
  ops_.ListEffects();
  store_.SetState(EffectCombo, state_.EffectIndex);
  ops_.ApplyLanguage(name + ".lng");
}

void Commands::Effect() {
  state_.EffectIndex = static_cast<std::int8_t>(store_.State(EffectCombo));
  ops_.SetChannel(0, 0);
  if (state_.EffectIndex == store_.ItemCount(EffectCombo) - 1) {
    ops_.LoadEffect("None");
  } else {
    ops_.LoadEffect(store_.Text(EffectCombo));
  }
}

void Commands::Preset() {
  std::string name = store_.Text(PresetCombo);
  {
    std::lock_guard lock(state_.namesMutex);
    if (name == state_.PresetName) return;
  }
  // The current settings go into the file of the preset being left.
  ops_.SavePreset();
  {
    std::lock_guard lock(state_.namesMutex);
    state_.PresetName = name;
  }
  ops_.LoadPreset();
  if (state_.LightMode != kManualThresholdMode) {
    ops_.ZeroThresholds();
  } else {
    ops_.LoadThresholds();
  }
  ops_.SetChannel(0, 0);
  ops_.ClearBandLevels();
}

// EffectIndex is left as it is; it follows at the next event of EffectCombo.
void Commands::EffectFile() {
  const std::optional<std::string> path = ops_.OpenEffectFileDialog();
  if (!path) return;
  {
    std::lock_guard lock(state_.namesMutex);
    state_.EffectFileName = FileNamePart(*path);
  }
  store_.ClearItems(EffectCombo);
  ops_.ListEffects();
  store_.SetState(EffectCombo, 1);
  ops_.LoadEffect(store_.Text(EffectCombo));
}

// SaveChannelColour ignores a cancelled dialog (-1) and a missing LedColor.dat.
void Commands::Colour(int channel) { ops_.SaveChannelColour(channel, ops_.ChooseColour()); }

void Commands::KeyboardToggled() {
  if (store_.State(KeyboardToggle) != 0) {
    ops_.SampleLockKeys();
  } else {
    RestoreLockKeys();
  }
}

void Commands::Expand() {
  const int width = ops_.MainWindowClientWidth() == kClientWidthExpanded ? kClientWidthCollapsed : kClientWidthExpanded;
  ops_.SetMainWindowClientSize(width, kClientHeight);
}

void Commands::Midpoint() {
  for (int channel = 1; channel <= kChannelCount; ++channel)
    store_.SetState(ThresholdBarId(channel), kMidpointThreshold);
}

}  // namespace glimmora
