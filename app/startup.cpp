#include "app/startup.h"

#include <unistd.h>

#include <QString>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "app/app_context.h"
#include "app/apply_language_texts.h"
#include "app/missing_library_message.h"
#include "app/real_operations.h"
#include "app/single_instance.h"
#include "engine/effects.h"
#include "engine/zero_thresholds.h"
#include "settings/colours.h"
#include "settings/presets.h"
#include "settings/settings_file.h"
#include "ui/store/control_ids.h"

namespace glimmora {
namespace {

constexpr int kModeItemCount = 6;
constexpr int kPinItemCount = 19;  // item 0 "none", items 1..18 the channel numbers

// The directory of the program's own file, with its trailing separator.
std::string ProgramDirectoryOfExecutable() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "./";
  return program.parent_path().string() + "/";
}

// Without a display Qt cannot start and ends the process through qFatal; the program still
// ends with exit code 0, after saying why on stderr.
void EndOnFatalMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  if (type == QtFatalMsg) {
    std::fflush(nullptr);
    _exit(0);
  }
}

// Every event of the windows, the tray icon and timer 2 goes to the event loop. Until step
// 28 has made it there is none; the toolkit delivers no user input and no timer tick before
// its loop runs, so nothing is lost.
void Deliver(AppContext& context, const Event& event) {
  if (context.eventLoop) context.eventLoop->Handle(event);
}

MainWindow::EventSink SinkOf(AppContext& context) {
  return [&context](const Event& event) { Deliver(context, event); };
}

// Step 1: the toolkit and the HID transport.
void InitialiseToolkit(AppContext& context) {
  static char name[] = "glimmora";
  context.argv[0] = name;
  const QtMessageHandler previous = qInstallMessageHandler(EndOnFatalMessage);
  context.application = std::make_unique<QApplication>(context.argc, context.argv);
  qInstallMessageHandler(previous);
  // Only closing the main window (or the tray menu's Exit) ends the program; hiding the
  // last visible window does not.
  QApplication::setQuitOnLastWindowClosed(false);
  context.hid = std::make_unique<HidapiTransport>();
}

// Steps 8 and 9: the hidden main window at the saved position, the tray icon and its menu.
void CreateWindowAndTray(AppContext& context) {
  context.window = std::make_unique<MainWindow>(context.store, SinkOf(context));
  context.window->move(context.state.XForm, context.state.YForm);
  context.state.QuitRequested = 0;
  context.tray = std::make_unique<TrayIcon>(SinkOf(context));
  context.tray->Show();
  context.infoWindows = std::make_unique<InfoWindows>(SinkOf(context));
}

// Step 10: the lists' fixed items (ModeCombo's six items get their texts from the language at
// the end of start-up), with the colours loaded right after ModeCombo exists.
void FillControls(AppContext& context) {
  for (int i = 0; i < kModeItemCount; ++i) context.store.AddItem(ModeCombo, "");
  LoadColours(context.state);
  for (int pin = 1; pin <= kChannelCount; ++pin) {
    context.store.AddItem(PinComboId(pin), "");
    for (int n = 1; n < kPinItemCount; ++n) context.store.AddItem(PinComboId(pin), std::to_string(n));
  }
}

// Step 15: the effect list of EffectFileName, item EffectIndex selected, that effect loaded.
void ListAndLoadEffects(AppContext& context) {
  ListEffects(context.state, context.store);
  context.store.SetState(EffectCombo, context.state.EffectIndex.load());
  LoadEffect(context.state, context.store.ItemText(EffectCombo, context.store.State(EffectCombo)));
}

// Step 18: the band levels cleared, all channels off, and in modes 0, 2 and 3 the thresholds
// zeroed; mode 1 loads its thresholds in the engine's first silent pass.
void ResetChannels(AppContext& context) {
  context.indicators->ClearBandLevels();
  context.channels->SetChannel(0, 0);
  const int mode = context.state.LightMode.load();
  if (mode == 0 || mode == 2 || mode == 3) ZeroThresholds(context.store);
  context.state.ThresholdsLoaded = 0;
}

// Step 24: the engine thread runs the engine loop for ever; the process ends under it.
void StartEngineThread(AppContext& context) {
  context.engine =
      std::make_unique<Engine>(context.state, context.store, *context.capture, *context.clock, *context.outputs,
                               *context.channels, *context.indicators, std::random_device{}());
  context.engineThread = std::thread([&engine = *context.engine] { engine.Run(); });
}

}  // namespace

bool StartUp(AppContext& context) {
  // 1. Process-wide state is at its defaults (AppContext); the toolkit and the HID transport.
  InitialiseToolkit(context);
  // 2. Single instance: a second start ends at once and shows nothing.
  if (!AcquireSingleInstance()) return false;
  // 3. Qt decodes the built-in PNG and JPEG pictures itself.
  // 4. The DMX library; without it every DMX call does nothing.
  const std::string programDirectory = ProgramDirectoryOfExecutable();
  context.dmx = std::make_unique<DmxLibrary>(programDirectory);
  context.dmx->Load();
  // 5. Defaults of the state and the texts are set (AppContext); the indicator picture.
  context.indicators = std::make_unique<Indicators>(context.state, context.store);
  context.channels = std::make_unique<ChannelState>(context.state, context.store, *context.indicators);
  // 6. X_form, Y_form, PID, VID, Preset, Language.
  ReadStartupSettings(context.state);
  // 7. The port library; without it the message, and the end.
  context.port = std::make_unique<PortLibrary>(programDirectory);
  if (!context.port->Load()) {
    ShowMissingLibraryMessage(context.texts, context.port->FileName());
    return false;
  }
  // 8., 9. Main window (hidden) and tray icon with its menu.
  CreateWindowAndTray(context);
  // 10. Controls, with the colours loaded right after ModeCombo.
  FillControls(context);
  // 11. to 13. The program's directory, and the preset and language lists taken from it.
  {
    std::lock_guard lock(context.state.namesMutex);
    context.state.ProgramDirectory = programDirectory;
  }
  FillPresetCombo(context.state, context.store);
  FillLanguageCombo(context.state, context.store);
  // 14. The selected preset.
  LoadPreset(context.state, context.store);
  // 15. Effects.
  ListAndLoadEffects(context);
  // 16. Pin labels, pin lists and band images exist with the window.
  // 17. Thresholds, switches, pins and Invert from setting.dat.
  ReadSwitchesAndPins(context.store);
  // 18. Channels off, band levels cleared.
  ResetChannels(context);
  // 19. Lock-key states.
  context.keyboard = std::make_unique<X11Keyboard>();
  context.keyboard->SampleLockKeys(context.state);
  // 20. The engine's first pass sends brightness and step.
  context.state.BrightnessDirty = 1;
  // 21. Sound capture; it never waits for the sound server.
  context.capture = std::make_unique<PulseCapture>();
  context.capture->Start();
  // 22. First USB check, so an attached controller is open before the engine's first pass.
  context.usb = std::make_unique<UsbLink>(context.state, context.store, *context.hid);
  context.usb->UsbCheck();
  // 23. Timer 2: a USB check every 500 ms through the event loop.
  context.usbCheckTimer = std::make_unique<QTimer>();
  context.usbCheckTimer->setInterval(kUsbCheckPeriodMs);
  QObject::connect(context.usbCheckTimer.get(), &QTimer::timeout, [&context] {
    Deliver(context, Event{EventKind::TimerTick, 0, kUsbCheckTimerId, 0});
  });
  context.usbCheckTimer->start();
  // 24. Engine thread, with the device outputs it drives.
  context.outputs =
      std::make_unique<DeviceOutputs>(context.state, *context.usb, *context.port, *context.keyboard, *context.dmx);
  context.clock = std::make_unique<SleepClock>();
  StartEngineThread(context);
  // 25. The window stays hidden: the program starts in the tray.
  context.window->Hide();
  // 26.
  context.indicators->ClearBandLevels();
  // 27. The language's texts.
  ApplyLanguageTexts(context, context.store.Text(LanguageCombo) + ".lng");
  return true;
}

void RunEventLoop(AppContext& context) {
  // 28. The event loop; its commands reach the program's objects through RealOperations.
  context.operations = std::make_unique<RealOperations>(context);
  context.commands = std::make_unique<Commands>(context.state, context.store, *context.operations);
  context.eventLoop = std::make_unique<EventLoop>(context.state, *context.commands, *context.operations);
  context.eventLoop->Run();
}

}  // namespace glimmora
