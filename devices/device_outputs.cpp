#include "devices/device_outputs.h"

#include "devices/dmx_library.h"
#include "devices/keyboard_leds.h"
#include "devices/port_library.h"
#include "devices/usb_link.h"

namespace glimmora {

DeviceOutputs::DeviceOutputs(UsbLink& usb, PortLibrary& port, KeyboardLeds& keyboard, DmxLibrary& dmx)
    : usb_(usb), port_(port), keyboard_(keyboard), dmx_(dmx) {}

void DeviceOutputs::SendUsbPass(int portByteC, int portByteB, int portByteD) {
  usb_.SendUsbPass(portByteC, portByteB, portByteD);
}

void DeviceOutputs::WriteLptPort(int port, int value) { port_.WriteLptPort(port, value); }

void DeviceOutputs::SetKeyboardLed(char key, int on) { keyboard_.SetKeyboardLed(key, on); }

void DeviceOutputs::SetDmxChannel(int channel, int value) { dmx_.SetDmxChannel(channel, value); }

}  // namespace glimmora
