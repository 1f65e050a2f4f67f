#include "devices/device_outputs.h"

#include "devices/dmx_library.h"
#include "devices/keyboard_leds.h"
#include "devices/port_library.h"
#include "devices/shutdown_outputs.h"
#include "devices/usb_link.h"
#include "engine/process_state.h"

namespace glimmora {

DeviceOutputs::DeviceOutputs(const ProcessState& state, UsbLink& usb, PortLibrary& port, KeyboardLeds& keyboard,
                             DmxLibrary& dmx)
    : state_(state), usb_(usb), port_(port), keyboard_(keyboard), dmx_(dmx) {}

void DeviceOutputs::SendUsbPass(int portByteC, int portByteB, int portByteD) {
  std::lock_guard lock(pausedWrites_);
  if (state_.OutputsPaused.load() == 0) usb_.SendUsbPass(portByteC, portByteB, portByteD);
}

void DeviceOutputs::WriteLptPort(int port, int value) {
  std::lock_guard lock(pausedWrites_);
  if (state_.OutputsPaused.load() == 0) port_.WriteLptPort(port, value);
}

void DeviceOutputs::SetKeyboardLed(char key, int on) {
  std::lock_guard lock(pausedWrites_);
  if (state_.OutputsPaused.load() == 0) keyboard_.SetKeyboardLed(key, on);
}

void DeviceOutputs::SetDmxChannel(int channel, int value) {
  std::lock_guard lock(pausedWrites_);
  if (state_.OutputsPaused.load() == 0) dmx_.SetDmxChannel(channel, value);
}

void DeviceOutputs::SwitchOutputsOff() {
  std::lock_guard lock(pausedWrites_);
  glimmora::SwitchOutputsOff(usb_, port_, dmx_);
}

}  // namespace glimmora
