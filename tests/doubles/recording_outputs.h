// Records every device output the engine makes, as text lines such as "usb 0 64 128",
// "lpt 888 5", "led n 1", "dmx 3 20".
#pragma once

#include <string>
#include <vector>

#include "devices/engine_outputs.h"

namespace glimmora {

class RecordingOutputs : public EngineOutputs {
 public:
  void SendUsbPass(int portByteC, int portByteB, int portByteD) override;
  void WriteLptPort(int port, int value) override;
  void SetKeyboardLed(char key, int on) override;
  void SetDmxChannel(int channel, int value) override;

  std::vector<std::string> calls;
  // With recording off the calls are dropped, so that the outputs themselves allocate nothing.
  bool recording = true;
};

}  // namespace glimmora
