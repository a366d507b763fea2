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

namespace {

constexpr std::string_view kUnfinished =
    "Installazione interrotta: avvia di nuovo il programma di installazione per completarla.";

}  // namespace

std::string_view way_forward(Fault fault) {
  switch (fault) {
    case Fault::kPackageDamaged:
      return "Il programma di installazione risulta danneggiato o incompleto: scaricalo di nuovo.";
    case Fault::kPackageUnsafe:
      return "Il programma di installazione contiene nomi di file non validi: chiedine all'autore "
             "una versione corretta.";
    case Fault::kCannotWriteFile:
      return "Impossibile scrivere nella cartella del programma di installazione: avvialo dalla "
             "cartella del simulatore e accetta la richiesta di autorizzazione.";
    case Fault::kCannotReadInstaller:
      return "Il programma di installazione non riesce a leggere se stesso: copialo in una "
             "cartella del computer e avvialo di nuovo.";
    default:
      return {};
  }
}

Text player_message(const CompileResult& result) {
  Text message = error_message(error_code_text(result));
  const std::string_view line = result.unfinished ? kUnfinished : way_forward(result.fault);
  if (!line.empty()) {
    message.append("\n");
    message.append(line);
  }
  return message;
}

void errore(const CompileResult& result) {
  platform::show_message_and_exit(player_message(result).c_str());
}

}  // namespace binario
