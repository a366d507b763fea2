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
// `installer_path` and checks it (its seal included) before anything is
// written; then, holding the folder's lock, finishes what a run that died in
// the folder left (journal.h), writes the package's files into the folder
// and runs the compile driver there. Every file is staged beside its final
// name and put in place only when the whole run succeeds: a run that fails
// leaves the folder as it was, with no temporary file (or, when even putting
// back fails, a journal from which the next run finishes). Returns how the
// run ended: the fault to show the user (such as 1252), or an ok result
// after a complete run.
CompileResult installa(Disk& disk, const Text& installer_path);

}  // namespace binario

#endif  // BINARIO_APP_MAIN_SEQUENCE_H_
