// The device outputs as the engine pass drives them. The real implementation forwards to
// the USB controller link, the port library, the keyboard LEDs and the DMX library; tests
// record the calls.
//
// Thread: called from the engine thread only.
#pragma once

namespace glimmora {

class EngineOutputs {
 public:
  virtual ~EngineOutputs() = default;
  // The USB controller's sending of one pass: the port bytes C, B, D, then brightness and
  // step when they are marked dirty.
  virtual void SendUsbPass(int portByteC, int portByteB, int portByteD) = 0;
  // A raw register write through the port library (888 data, 890 control).
  virtual void WriteLptPort(int port, int value) = 0;
  // key: 'n' Num Lock, 'c' Caps Lock, 's' Scroll Lock; on: the wanted LED state.
  virtual void SetKeyboardLed(char key, int on) = 0;
  virtual void SetDmxChannel(int channel, int value) = 0;
};

}  // namespace glimmora
