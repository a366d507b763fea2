// The installer: shows the wait window, unpacks the package appended to its
// own file into its own folder, compiles it and ends.

#include "app/errore.h"
#include "app/installer_run.h"
#include "platform/disk.h"
#include "platform/elevation.h"
#include "platform/platform.h"

namespace {

[[noreturn]] void install() {
  using namespace binario;
  platform::restrict_dll_search();
  platform::show_wait_window();
  Text self;
  InstallerRun run;
  if (platform::executable_path(&self)) {
    run = esegui_installatore(real_disk(), real_elevation(), self);
  } else {
    run.result.fault = Fault::kCannotReadInstaller;
  }
  // The one place a run's end becomes the player's message.
  if (!run.result.ok()) errore(run.result);
  platform::exit_process(run.status);
}

}  // namespace

#ifdef _WIN32
// The Windows process starts here, without the C runtime's start-up code
// (arguments, atexit tables, thread-local callbacks, floating-point reset):
// the installer reads no arguments, has no static constructors and ends
// through ExitProcess. The C library it calls initialises itself when loaded.
extern "C" [[noreturn]] void binario_stub_start() { install(); }
#else
int main() { install(); }
#endif
