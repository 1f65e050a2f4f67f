#include "devices/usb_link.h"

#include "devices/hid_access.h"
#include "engine/process_state.h"
#include "ui/store/control_ids.h"
#include "ui/store/control_store.h"

namespace glimmora {

namespace {
constexpr int kAnyVersion = -1;
constexpr int kFirstMatch = 0;
}  // namespace

UsbLink::UsbLink(ProcessState& state, ControlStore& store, HidTransport& transport)
    : state_(state), store_(store), transport_(transport) {}

UsbLink::~UsbLink() {
  std::lock_guard lock(mutex_);
  HidClose(transport_, handle_);
  handle_ = nullptr;
}

void UsbLink::SendUsbCommand(int value) {
  std::lock_guard lock(mutex_);
  report_[0] = 0;
  report_[1] = static_cast<std::uint8_t>(value & 0xFF);
  if (handle_ != nullptr) HidWrite(transport_, handle_, report_, 2);
}

void UsbLink::UsbCheck() {
  const int present =
      HidIsPresent(transport_, state_.UsbProductId, state_.UsbVendorId, kAnyVersion, kFirstMatch) ? 1 : 0;
  if (present == state_.UsbPresent.load()) return;
  state_.UsbPresent.store(present);
  // The scan and open run outside the lock so the engine's writes are not held up; only
  // the swap is locked, and the old handle is closed once no write can reach it. A handle
  // is open only while present, so the two are never both open.
  HidHandle fresh =
      present ? HidOpen(transport_, state_.UsbProductId, state_.UsbVendorId, kAnyVersion, kFirstMatch) : nullptr;
  HidHandle old = nullptr;
  {
    std::lock_guard lock(mutex_);
    old = handle_;
    handle_ = fresh;
  }
  HidClose(transport_, old);
  if (present) {
    store_.SetText(UsbStatusLabel, "USBON");
    store_.SetTextColour(UsbStatusLabel, kUsbOnColour);
    if (state_.UsbWasOff.load() == 1) {
      state_.BrightnessDirty.store(1);
      state_.UsbWasOff.store(0);
    }
  } else {
    store_.SetText(UsbStatusLabel, "USBOFF");
    store_.SetTextColour(UsbStatusLabel, kUsbOffColour);
    state_.UsbWasOff.store(1);
  }
}

void UsbLink::SendUsbPass(int portByteC, int portByteB, int portByteD) {
  SendUsbCommand(portByteC);
  SendUsbCommand(portByteB);
  SendUsbCommand(portByteD);
  // Cleared before the bars are read, so a bar moved during the three sends marks the
  // values dirty again for the next pass.
  if (state_.BrightnessDirty.exchange(0) == 1) {
    const int brightness = store_.State(BrightBar);
    const int step = store_.State(StepBar);
    SendUsbCommand(192 + brightness);
    SendUsbCommand(208 + (step & 15));
    SendUsbCommand(224 + (step >> 4));
  }
}

bool UsbLink::Connected() const {
  std::lock_guard lock(mutex_);
  return handle_ != nullptr;
}

}  // namespace glimmora
