// The installer: shows the wait window, unpacks the package appended to its
// own file into its own folder, compiles it and ends.

#include "app/errore.h"
#include "app/installer_run.h"
#include "platform/disk.h"
#include "platform/elevation.h"
#include "platform/platform.h"

int main() {
  using namespace binario;
  platform::restrict_dll_search();
  platform::show_wait_window();
  Text self;
  if (!platform::executable_path(&self)) errore("1255");
  const InstallerRun run = esegui_installatore(real_disk(), real_elevation(), self);
  if (!run.codice.empty()) errore(run.codice);
  platform::exit_process(run.status);
}
