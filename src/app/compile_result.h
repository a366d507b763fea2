#ifndef BINARIO_APP_COMPILE_RESULT_H_
#define BINARIO_APP_COMPILE_RESULT_H_

#include <cstdint>

#include "model/fault.h"

namespace binario {

// How a run ended: Fault::kNone after every file was written, otherwise the
// fault and, for authors' diagnostics, where it was found.
struct CompileResult {
  Fault fault = Fault::kNone;
  int32_t position = 0;  // metres along the line; meaningful when records_position(fault)
  InputText input = InputText::kNone;  // the text where it was found
  int32_t byte = -1;                   // offset in that text of the field it was found at; -1: none
  // The folder holds a commit that could be neither finished nor undone: the
  // next run finishes it (kCannotWriteFile only).
  bool unfinished = false;

  bool ok() const { return fault == Fault::kNone; }
};

}  // namespace binario

#endif  // BINARIO_APP_COMPILE_RESULT_H_
