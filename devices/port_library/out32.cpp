// Out32(port, value): writes a raw parallel-port register value.
extern "C" __attribute__((visibility("default"))) void Out32(short port, short value) {
  (void)port;
  (void)value;
}
