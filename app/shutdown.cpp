#include "app/shutdown.h"

#include <unistd.h>

#include <QSystemTrayIcon>
#include <cstdio>

#include "app/app_context.h"

namespace glimmora {

void SwitchOutputsOffAtExit(AppContext& context) {
  if (context.outputsSwitchedOff) return;
  context.outputsSwitchedOff = true;
  context.state.OutputsPaused = 1;
  // DeviceOutputs holds every engine write and the switch-off under one lock and drops the
  // engine's writes once OutputsPaused is set, so no engine write follows the all-off values.
  if (context.outputs) context.outputs->SwitchOutputsOff();
}

void EndProcess(AppContext& context) {
  context.store.SetChangeNotifier(nullptr);
  if (context.usbCheckTimer) context.usbCheckTimer->stop();
  if (context.tray) context.tray->Icon().hide();
  if (context.window) context.window->hide();
  if (context.dmx) context.dmx->Unload();
  std::fflush(nullptr);
  _exit(0);
}

}  // namespace glimmora
