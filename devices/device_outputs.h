// The real device outputs of the engine pass: the USB controller link, the port library,
// the keyboard LEDs and the DMX library.
//
// Once OutputsPaused is set, every engine output is dropped here (USB, LPT, and also the
// lock keys and DMX, so that the restored lock states and the DMX zeros of the exit stay),
// and SwitchOutputsOff waits for a write already under way, so no engine write can follow
// the shutdown's all-off values or reach the port library after it has been unloaded.
//
// Thread: the EngineOutputs calls on the engine thread; SwitchOutputsOff on the main
// thread, once, at exit.
#pragma once

#include <mutex>

#include "devices/engine_outputs.h"

namespace glimmora {

class DmxLibrary;
class KeyboardLeds;
class PortLibrary;
class UsbLink;
struct ProcessState;

class DeviceOutputs : public EngineOutputs {
 public:
  DeviceOutputs(const ProcessState& state, UsbLink& usb, PortLibrary& port, KeyboardLeds& keyboard, DmxLibrary& dmx);

  void SendUsbPass(int portByteC, int portByteB, int portByteD) override;
  void WriteLptPort(int port, int value) override;
  void SetKeyboardLed(char key, int on) override;
  void SetDmxChannel(int channel, int value) override;

  // The shutdown steps (see devices/shutdown_outputs.h), after OutputsPaused has been set.
  void SwitchOutputsOff();

 private:
  const ProcessState& state_;
  UsbLink& usb_;
  PortLibrary& port_;
  KeyboardLeds& keyboard_;
  DmxLibrary& dmx_;
  std::mutex pausedWrites_;  // held around each engine output and around the shutdown
};

}  // namespace glimmora
