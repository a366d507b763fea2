#ifndef BINARIO_PACKAGE_EXTRACTION_H_
#define BINARIO_PACKAGE_EXTRACTION_H_

// The unpacking half of the installer: the packaged files into a folder. It
// takes a package that read_package has read and passed; nothing is written
// from any other.

#include <cstddef>

#include "base/text.h"
#include "package/package.h"
#include "platform/disk.h"

namespace binario {

// Writes every record as `<cartella>/<name>`, in record order, so a later
// record of the same name leaves its content; a record of length 0 gives an
// empty file. Each file is replaced whole and atomically. False at the first
// file that cannot be written: that file keeps its old content, no temporary
// file is left, and the records after it are not written; `failed_record`,
// when given, is then set to that record's index.
bool sc_recupera_file(const Package& package, const Text& cartella, Disk& disk,
                      size_t* failed_record = nullptr);

}  // namespace binario

#endif  // BINARIO_PACKAGE_EXTRACTION_H_
