#ifndef BINARIO_TESTS_RUN_REPORT_H_
#define BINARIO_TESTS_RUN_REPORT_H_

// How a run ended, as the text after " Errore n. " that the player would
// see: "" after a complete run, "1254", or "15, posizione 166850 m".

#include <string>

#include "app/compile_result.h"
#include "app/errore.h"

namespace binario {

inline std::string run_report(const CompileResult& result) {
  if (result.ok()) return {};
  return std::string(error_code_text(result).view());
}

}  // namespace binario

#endif  // BINARIO_TESTS_RUN_REPORT_H_
