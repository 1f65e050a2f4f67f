#include "tests/doubles/recording_outputs.h"

namespace glimmora {

void RecordingOutputs::SendUsbPass(int portByteC, int portByteB, int portByteD) {
  if (!recording) return;
  calls.push_back("usb " + std::to_string(portByteC) + " " + std::to_string(portByteB) + " " +
                  std::to_string(portByteD));
}

void RecordingOutputs::WriteLptPort(int port, int value) {
  if (!recording) return;
  calls.push_back("lpt " + std::to_string(port) + " " + std::to_string(value));
}

void RecordingOutputs::SetKeyboardLed(char key, int on) {
  if (!recording) return;
  calls.push_back(std::string("led ") + key + " " + std::to_string(on));
}

void RecordingOutputs::SetDmxChannel(int channel, int value) {
  if (!recording) return;
  calls.push_back("dmx " + std::to_string(channel) + " " + std::to_string(value));
}

}  // namespace glimmora
