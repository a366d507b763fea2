#ifndef BINARIO_APP_INSTALLER_RUN_H_
#define BINARIO_APP_INSTALLER_RUN_H_

#include "app/compile_result.h"
#include "platform/disk.h"
#include "platform/elevation.h"

namespace binario {

// How one start of the installer ends: with a fault to show the player, or
// quietly with an exit status.
struct InstallerRun {
  CompileResult result;  // a fault to show; ok(): nothing is shown
  int status = 0;        // the exit status when nothing is shown
};

// One start of the installer at `installer_path`: installs (installa), and
// when its folder refused the files for want of permission, runs the
// installer again with administrator rights and ends as that copy ends. The
// elevated copy itself never asks again, and a refused request shows the
// unwritable-file fault.
InstallerRun esegui_installatore(Disk& disk, Elevation& elevation, const Text& installer_path);

}  // namespace binario

#endif  // BINARIO_APP_INSTALLER_RUN_H_
