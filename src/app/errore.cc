#include "app/errore.h"

#include "platform/platform.h"

namespace binario {

using namespace std::string_view_literals;

Text error_code_text(const CompileResult& result) {
  Text text = decimal(code_of(result.fault));
  if (records_position(result.fault)) {
    text.append(", posizione "sv);
    text.append(decimal(result.position));
    text.append(" m"sv);
  }
  return text;
}

Text error_message(std::string_view a) {
  Text message(" Errore n. "sv);
  message.append(a);
  return message;
}

namespace {

constexpr std::string_view kUnfinished =
    "Installazione interrotta: avvia di nuovo il programma di installazione per completarla.";

}  // namespace

std::string_view way_forward(Fault fault) {
  // Only the faults that have a line get a case of their own; its length is
  // the literal's, never counted at run time.
  switch (fault) {
#define BINARIO_FAULT_PLAYER_LINE(name, code, shown, player_line, author_text)            \
  case Fault::name:                                                                       \
    if constexpr (sizeof(player_line) > 1) return {player_line, sizeof(player_line) - 1}; \
    break;
    BINARIO_FAULTS(BINARIO_FAULT_PLAYER_LINE)
#undef BINARIO_FAULT_PLAYER_LINE
    case Fault::kNone:
      break;
  }
  return {};
}

Text player_message(const CompileResult& result) {
  Text message = error_message(error_code_text(result));
  const std::string_view line = result.unfinished ? kUnfinished : way_forward(result.fault);
  if (!line.empty()) {
    message.push_back('\n');
    message.append(line);
  }
  return message;
}

void errore(const CompileResult& result) {
  platform::show_message_and_exit(player_message(result).c_str());
}

}  // namespace binario
