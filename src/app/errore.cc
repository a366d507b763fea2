#include "app/errore.h"

#include "platform/platform.h"

namespace binario {

Text error_code_text(const CompileResult& result) {
  Text text = decimal(code_of(result.fault));
  if (records_position(result.fault)) {
    text.append(", posizione ");
    text.append(decimal(result.posizione));
    text.append(" m");
  }
  return text;
}

Text error_message(std::string_view a) {
  Text message(" Errore n. ");
  message.append(a);
  return message;
}

void errore(std::string_view a) { platform::show_message_and_exit(error_message(a).c_str()); }

}  // namespace binario
