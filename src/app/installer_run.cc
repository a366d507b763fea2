#include "app/installer_run.h"

#include "app/main_sequence.h"

namespace binario {

InstallerRun esegui_installatore(Disk& disk, Elevation& elevation, const Text& installer_path) {
  InstallerRun run;
  run.result = installa(disk, installer_path);
  if (run.result.fault == Fault::kCannotWriteFile && disk.last_write_denied() &&
      !elevation.elevated_copy()) {
    int status = 0;
    if (elevation.run_elevated(&status)) {
      run.result = CompileResult();
      run.status = status;
    }
  }
  return run;
}

}  // namespace binario
