#ifndef BINARIO_PACKAGE_EXTRACTION_H_
#define BINARIO_PACKAGE_EXTRACTION_H_

// The unpacking half of the installer: the two names into the compile state,
// the packaged files into the installer's folder. Both take a package that
// read_package has read and passed; nothing is written from any other.

#include "app/compile_state.h"
#include "package/package.h"
#include "platform/disk.h"

namespace binario {

// Sets `nome_percorso`, then `nome_treno`, from the package's name areas.
void sc_nome_percorso_nome_treno(const Package& package, CompileState& state);

// Writes every record as `<cartella>/<name>`, in record order, so a later
// record of the same name leaves its content; a record of length 0 gives an
// empty file. Each file is replaced whole and atomically. False at the first
// file that cannot be written: that file keeps its old content, no temporary
// file is left, and the records after it are not written; `failed_record`,
// when given, is then set to that record's index.
bool sc_recupera_file(const Package& package, const CompileState& state, Disk& disk,
                      size_t* failed_record = nullptr);

}  // namespace binario

#endif  // BINARIO_PACKAGE_EXTRACTION_H_
