// ChannelSet(channel, value): sets one DMX channel of universe 1.
extern "C" __attribute__((visibility("default"))) void ChannelSet(int channel, int value) {
  (void)channel;
  (void)value;
}
