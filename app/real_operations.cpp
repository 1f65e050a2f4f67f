#include "app/real_operations.h"

#include <QCoreApplication>

#include "app/app_context.h"
#include "app/apply_language_texts.h"
#include "app/shutdown.h"
#include "engine/effects.h"
#include "engine/zero_thresholds.h"
#include "settings/colours.h"
#include "settings/presets.h"
#include "settings/settings_file.h"
#include "settings/thresholds.h"
#include "ui/autostart.h"
#include "ui/dialogs.h"
#include "ui/store/control_ids.h"

namespace glimmora {

void RealOperations::UsbCheck() {
  if (context_.usb) context_.usb->UsbCheck();
}

void RealOperations::SetChannel(int channel, int on) {
  if (context_.channels) context_.channels->SetChannel(channel, on);
}

void RealOperations::ClearBandLevels() {
  if (context_.indicators) context_.indicators->ClearBandLevels();
}

void RealOperations::SetKeyboardLed(char key, int on) {
  if (context_.keyboard) context_.keyboard->SetKeyboardLed(key, on);
}

void RealOperations::SampleLockKeys() {
  if (context_.keyboard) context_.keyboard->SampleLockKeys(context_.state);
}

void RealOperations::ZeroThresholds() { glimmora::ZeroThresholds(context_.store); }

void RealOperations::LoadThresholds() { glimmora::LoadThresholds(context_.state, context_.store); }

void RealOperations::SaveThresholds() { glimmora::SaveThresholds(context_.state, context_.store); }

void RealOperations::SaveSettings(std::optional<FramePosition> position) {
  if (!position) {
    glimmora::SaveSettings(context_.state, context_.store, nullptr);
    return;
  }
  const WindowPosition window{position->x, position->y};
  glimmora::SaveSettings(context_.state, context_.store, &window);
}

void RealOperations::SaveWindowPosition(int x, int y) { glimmora::SaveWindowPosition(x, y); }

void RealOperations::SaveChannelColour(int channel, int colour) {
  glimmora::SaveChannelColour(context_.state, channel, colour);
}

void RealOperations::LoadPreset() { glimmora::LoadPreset(context_.state, context_.store); }

void RealOperations::SavePreset() { glimmora::SavePreset(context_.state, context_.store); }

void RealOperations::ListEffects() { glimmora::ListEffects(context_.state, context_.store); }

void RealOperations::LoadEffect(const std::string& name) { glimmora::LoadEffect(context_.state, name); }

void RealOperations::ApplyLanguage(const std::string& fileName) { ApplyLanguageTexts(context_, fileName); }

void RealOperations::SetAutostart(int enable, const std::string& name) { glimmora::SetAutostart(enable, name); }

void RealOperations::ShowMainWindow() {
  if (context_.window) context_.window->ShowAndRestore();
}

void RealOperations::HideMainWindow() {
  if (context_.window) context_.window->Hide();
}

FramePosition RealOperations::MainWindowPosition() {
  if (!context_.window) return {};
  // A minimised window reports the position the event loop knows not to save.
  if (context_.window->isMinimized()) return {kMinimisedX, kMinimisedX};
  const QPoint position = context_.window->OuterPosition();
  return {position.x(), position.y()};
}

int RealOperations::MainWindowClientWidth() { return context_.window ? context_.window->ClientWidth() : 0; }

void RealOperations::SetMainWindowClientSize(int width, int height) {
  if (context_.window) context_.window->SetClientSize(width, height);
}

void RealOperations::ShowTrayMenu() {
  if (context_.tray) context_.tray->ShowMenu();
}

void RealOperations::OpenInfoWindow(int windowId) {
  if (context_.infoWindows) context_.infoWindows->Open(windowId, context_.store.Text(LanguageCombo));
}

void RealOperations::CloseInfoWindow(int windowId) {
  if (context_.infoWindows) context_.infoWindows->Close(windowId);
}

std::optional<std::string> RealOperations::OpenEffectFileDialog() {
  return ChooseFile(context_.window.get(), context_.texts.Text("ac9"), context_.texts.Text("ac10"));
}

int RealOperations::ChooseColour() { return ChooseColourValue(context_.window.get()); }

void RealOperations::WaitForEnginePassEnd() {
  if (context_.engine) context_.engine->WaitForPassEnd();
}

void RealOperations::SwitchOutputsOff() { SwitchOutputsOffAtExit(context_); }

void RealOperations::LeaveEventLoop() { QCoreApplication::exit(0); }

}  // namespace glimmora
