// The link to the USB light controller: one-byte commands in 2-byte output reports (report
// ID 0, then the command byte), the presence check with its status label, and the sending
// of one engine pass.
//
// Command bytes: 0..63 port C pins, 64..127 port B, 128..191 port D, 192 + brightness
// (0..15), 208 + step low four bits, 224 + step high four bits.
//
// Thread: UsbCheck runs on the main thread; SendUsbPass on the engine thread;
// SendUsbCommand on either. A mutex is held around every write and around the handle's
// replacement, so no write ever uses a closed handle.
#pragma once

#include <cstdint>
#include <mutex>

#include "devices/hid_transport.h"

namespace glimmora {

class ControlStore;
struct ProcessState;

inline constexpr std::uint32_t kUsbOnColour = 65295;  // red 15, green 255, blue 0
inline constexpr std::uint32_t kUsbOffColour = 255;   // red

class UsbLink {
 public:
  // The transport must outlive the link (the destructor closes an open handle).
  UsbLink(ProcessState& state, ControlStore& store, HidTransport& transport);
  ~UsbLink();
  UsbLink(const UsbLink&) = delete;
  UsbLink& operator=(const UsbLink&) = delete;

  // Sends the low 8 bits of value as one report; nothing when no controller is open.
  void SendUsbCommand(int value);
  // Presence check: opens the controller when it appears, closes it when it goes, and
  // shows "USBON" (green) or "USBOFF" (red) on UsbStatusLabel.
  void UsbCheck();
  // One engine pass: port C, port B, port D; then, when BrightnessDirty is set, brightness,
  // step low and step high from BrightBar and StepBar, and the flag is cleared.
  void SendUsbPass(int portByteC, int portByteB, int portByteD);
  // True while a controller handle is open.
  bool Connected() const;

 private:
  ProcessState& state_;
  ControlStore& store_;
  HidTransport& transport_;
  mutable std::mutex mutex_;
  HidHandle handle_ = nullptr;   // guarded by mutex_
  std::uint8_t report_[2] = {};  // guarded by mutex_
};

}  // namespace glimmora
