#ifndef BINARIO_APP_MAIN_SEQUENCE_H_
#define BINARIO_APP_MAIN_SEQUENCE_H_

#include "common/text.h"
#include "platform/disk.h"

namespace binario {

// One installation: reads the package appended to the installer at
// `installer_path`, writes its files into the installer's folder and runs the
// compile driver there. Every file is staged beside its final name and put in
// place only when the whole run succeeds: a run that fails leaves the folder
// as it was, with no temporary file. Returns the error code text to show the user (such as
// "1252"), or empty text after a complete run.
Text installa(Disk& disk, const Text& installer_path);

}  // namespace binario

#endif  // BINARIO_APP_MAIN_SEQUENCE_H_
