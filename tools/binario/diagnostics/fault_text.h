#ifndef BINARIO_TOOLS_DIAGNOSTICS_FAULT_TEXT_H_
#define BINARIO_TOOLS_DIAGNOSTICS_FAULT_TEXT_H_

#include <string>

#include "model/fault.h"

namespace binario::tool {

// What a compile fault code means, in a scenario author's words.
std::string fault_text(Fault fault);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_DIAGNOSTICS_FAULT_TEXT_H_
