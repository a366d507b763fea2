#ifndef BINARIO_APP_MAIN_SEQUENCE_H_
#define BINARIO_APP_MAIN_SEQUENCE_H_

#include "app/compile_result.h"
#include "base/text.h"
#include "model/compile_state.h"
#include "package/package.h"
#include "platform/disk.h"

namespace binario {

// Sets `nome_percorso`, then `nome_treno`, from the package's name areas.
void sc_nome_percorso_nome_treno(const Package& package, CompileState& state);

// One installation: reads the package appended to the installer at
// `installer_path`, writes its files into the installer's folder and runs the
// compile driver there. Every file is staged beside its final name and put in
// place only when the whole run succeeds: a run that fails leaves the folder
// as it was, with no temporary file. Returns how the run ended: the fault to
// show the user (such as 1252), or an ok result after a complete run.
CompileResult installa(Disk& disk, const Text& installer_path);

}  // namespace binario

#endif  // BINARIO_APP_MAIN_SEQUENCE_H_
