#ifndef BINARIO_APP_ERRORE_H_
#define BINARIO_APP_ERRORE_H_

#include <string_view>

#include "base/text.h"

namespace binario {

// The message the user sees for the error code text `a`: " Errore n. "
// followed by `a` exactly as passed.
Text error_message(std::string_view a);

// Shows error_message(a) in a modal box, waits for the user to close it and
// ends the program with status 1. Never returns.
[[noreturn]] void errore(std::string_view a);

}  // namespace binario

#endif  // BINARIO_APP_ERRORE_H_
