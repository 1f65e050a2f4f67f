// Switching every output off at exit, after OutputsPaused has been set: USB all pins off
// (0, 64, 128; sent only while a controller is open), LPT registers to their idle values
// (888 <- 0, then 890 <- 11), the port library unloaded, DMX channels 1..19 set to 0.
//
// Thread: main thread, once, at exit. DeviceOutputs::SwitchOutputsOff runs this while no
// engine write is under way.
#pragma once

namespace glimmora {

class DmxLibrary;
class PortLibrary;
class UsbLink;

void SwitchOutputsOff(UsbLink& usb, PortLibrary& port, DmxLibrary& dmx);

}  // namespace glimmora
