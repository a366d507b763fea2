#include "diagnostics/fault_text.h"

namespace binario::tool {

std::string fault_text(Fault fault) {
  switch (fault) {
#define BINARIO_FAULT_AUTHOR_TEXT(name, code, shown, player_line, author_text) \
  case Fault::name:                                                            \
    return author_text;
    BINARIO_FAULTS(BINARIO_FAULT_AUTHOR_TEXT)
#undef BINARIO_FAULT_AUTHOR_TEXT
    case Fault::kNone:
      return "no fault";
  }
  return "unknown fault";
}

}  // namespace binario::tool
