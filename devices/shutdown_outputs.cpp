#include "devices/shutdown_outputs.h"

#include "devices/dmx_library.h"
#include "devices/port_library.h"
#include "devices/usb_link.h"

namespace glimmora {

void SwitchOutputsOff(UsbLink& usb, PortLibrary& port, DmxLibrary& dmx) {
  usb.SendUsbCommand(0);
  usb.SendUsbCommand(64);
  usb.SendUsbCommand(128);
  port.WriteLptPort(kLptDataPort, kLptDataIdle);
  port.WriteLptPort(kLptControlPort, kLptControlIdle);
  port.Unload();
  for (int channel = 1; channel <= 19; ++channel) dmx.ChannelSet(channel, 0);
}

}  // namespace glimmora
