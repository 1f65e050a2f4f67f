// The program: start-up, the event loop, and the end with exit code 0 on every path. It
// reads no command line.
#include "app/app_context.h"
#include "app/shutdown.h"
#include "app/startup.h"

int main() {
  using namespace glimmora;
  // Never destroyed: the engine thread uses it until the process ends (see app/shutdown.h).
  auto* context = new AppContext;
  if (StartUp(*context)) {
    RunEventLoop(*context);
    SwitchOutputsOffAtExit(*context);
  }
  EndProcess(*context);
}
