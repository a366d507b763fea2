#include "model/fault.h"

namespace binario {

bool code_records_position(int32_t code) {
  return (code >= 6 && code <= 9) || (code >= 11 && code <= 13) || (code >= 15 && code <= 22);
}

}  // namespace binario
