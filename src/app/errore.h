#ifndef BINARIO_APP_ERRORE_H_
#define BINARIO_APP_ERRORE_H_

#include <string_view>

#include "app/compile_result.h"
#include "base/text.h"

namespace binario {

// The error code text of a run's end: "<code>", or "<code>, posizione <m> m"
// for a fault found at a place on the line.
Text error_code_text(const CompileResult& result);

// The message the user sees for the error code text `a`: " Errore n. "
// followed by `a` exactly as passed.
Text error_message(std::string_view a);

// For the installer's own faults (1252 to 1255), one short Italian line that
// tells the player what to do; empty for every other fault.
std::string_view way_forward(Fault fault);

// The player's message for a run that ended on `result`'s fault: the error
// message, then the way forward on a line of its own where there is one (for
// an unfinished commit: start the installer again, which finishes it).
Text player_message(const CompileResult& result);

// Shows player_message(result) in a modal box; waits for the user to close
// it and ends the program with status 1. Never returns.
[[noreturn]] void errore(const CompileResult& result);

}  // namespace binario

#endif  // BINARIO_APP_ERRORE_H_
