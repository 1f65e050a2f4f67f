// Every process-wide object of the program, owned in one place. Start-up (app/startup.h)
// creates the members in the order of its steps and hands references to the parts that need
// them; nothing here is a singleton.
//
// The context is never destroyed: the engine thread uses the state, the store, the
// indicators, the channel state, the capture and the device outputs until the process ends,
// so the program leaves with _exit after its own teardown (app/shutdown.h) instead of
// running these destructors under a running engine.
//
// Thread: created and changed on the main thread; the engine thread only uses what its
// objects were given references to.
#pragma once

#include <QApplication>
#include <QTimer>
#include <memory>
#include <thread>

#include "app/commands.h"
#include "app/event_loop.h"
#include "app/operations.h"
#include "devices/device_outputs.h"
#include "devices/dmx_library.h"
#include "devices/platform/hidapi_transport.h"
#include "devices/platform/x11_keyboard.h"
#include "devices/port_library.h"
#include "devices/usb_link.h"
#include "engine/channel_state.h"
#include "engine/engine_loop.h"
#include "engine/platform/pulse_capture.h"
#include "engine/platform/sleep_clock.h"
#include "engine/process_state.h"
#include "settings/language.h"
#include "ui/info_windows.h"
#include "ui/main_window.h"
#include "ui/store/control_store.h"
#include "ui/store/indicators.h"
#include "ui/tray_icon.h"

namespace glimmora {

struct AppContext {
  // All process-wide state, zero or at its defaults before the first step.
  ProcessState state;
  ControlStore store;
  // Texts of the language in force that no control holds (tray menu, titles, messages).
  LanguageTexts texts;

  // Toolkit and HID transport (step 1). Qt keeps references to argc and argv.
  int argc = 1;
  char* argv[2] = {nullptr, nullptr};
  std::unique_ptr<QApplication> application;
  std::unique_ptr<HidapiTransport> hid;

  // Device libraries, loaded by file name from the program's directory (steps 4 and 7).
  std::unique_ptr<DmxLibrary> dmx;
  std::unique_ptr<PortLibrary> port;

  // Indicators and channels (steps 5, 16, 18), devices (steps 19, 22), capture (step 21).
  std::unique_ptr<Indicators> indicators;
  std::unique_ptr<ChannelState> channels;
  std::unique_ptr<UsbLink> usb;
  std::unique_ptr<X11Keyboard> keyboard;
  std::unique_ptr<DeviceOutputs> outputs;
  std::unique_ptr<PulseCapture> capture;
  std::unique_ptr<SleepClock> clock;

  // The engine and its thread (step 24); never joined.
  std::unique_ptr<Engine> engine;
  std::thread engineThread;

  // Main window (step 8), tray icon and menu (step 9), timer 2 (step 23). The information
  // windows are opened from the tray menu; their holder is made with the tray icon.
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<TrayIcon> tray;
  std::unique_ptr<InfoWindows> infoWindows;
  std::unique_ptr<QTimer> usbCheckTimer;

  // The event loop (step 28): every event of the windows, the tray and timer 2 goes to
  // eventLoop, whose commands reach the objects above through operations.
  std::unique_ptr<Operations> operations;
  std::unique_ptr<Commands> commands;
  std::unique_ptr<EventLoop> eventLoop;

  // Set once shutdown steps 1-4 have run.
  bool outputsSwitchedOff = false;
};

}  // namespace glimmora
