// The real device outputs of the engine pass: the USB controller link, the port library,
// the keyboard LEDs and the DMX library.
//
// Thread: the engine thread (as EngineOutputs says); each device guards itself.
#pragma once

#include "devices/engine_outputs.h"

namespace glimmora {

class DmxLibrary;
class KeyboardLeds;
class PortLibrary;
class UsbLink;

class DeviceOutputs : public EngineOutputs {
 public:
  DeviceOutputs(UsbLink& usb, PortLibrary& port, KeyboardLeds& keyboard, DmxLibrary& dmx);

  void SendUsbPass(int portByteC, int portByteB, int portByteD) override;
  void WriteLptPort(int port, int value) override;
  void SetKeyboardLed(char key, int on) override;
  void SetDmxChannel(int channel, int value) override;

 private:
  UsbLink& usb_;
  PortLibrary& port_;
  KeyboardLeds& keyboard_;
  DmxLibrary& dmx_;
};

}  // namespace glimmora
