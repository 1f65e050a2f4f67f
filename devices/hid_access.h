// Finding, opening and writing the USB controller by its ids on top of a HidTransport.
//
// Matching: vendor and product id are compared as 16-bit values; the version must equal
// the device's, or be -1 for any; matches are counted from 0 in the system's order and
// `index` picks one (0 = the first).
//
// Thread: any; the caller serialises use of one handle.
#pragma once

#include <cstdint>

#include "devices/hid_transport.h"

namespace glimmora {

// True when a device matches the record's ids (16 bits each) and version (-1 = any).
bool HidMatches(const HidDeviceRecord& record, int productId, int vendorId, int version);

bool HidIsPresent(HidTransport& transport, int productId, int vendorId, int version, int index);

// Opens the matching device numbered `index` among those that can be opened; a device that
// cannot be opened is skipped. Null when there is none.
HidHandle HidOpen(HidTransport& transport, int productId, int vendorId, int version, int index);

// The bytes written; 0 without writing when the handle or the buffer is null or the length
// is not positive; 0 when the write fails.
int HidWrite(HidTransport& transport, HidHandle handle, const std::uint8_t* buffer, int length);

// Closes the handle if it is not null.
void HidClose(HidTransport& transport, HidHandle handle);

}  // namespace glimmora
