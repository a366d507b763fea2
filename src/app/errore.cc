#include "app/errore.h"

#include "platform/platform.h"

namespace binario {

Text error_message(std::string_view a) {
  Text message(" Errore n. ");
  message.append(a);
  return message;
}

std::string_view way_forward(std::string_view a) {
  // One line for each of "1252" to "1255", in that order.
  static constexpr std::string_view kLines[] = {
      "Il programma di installazione risulta danneggiato o incompleto: scaricalo di nuovo.",
      "Il programma di installazione contiene nomi di file non validi: chiedine all'autore una "
      "versione corretta.",
      "Impossibile scrivere nella cartella del programma di installazione: avvialo dalla "
      "cartella del simulatore e accetta la richiesta di autorizzazione.",
      "Il programma di installazione non riesce a leggere se stesso: copialo in una cartella del "
      "computer e avvialo di nuovo.",
  };
  if (a.size() != 4 || a[0] != '1' || a[1] != '2' || a[2] != '5') return {};
  const unsigned line = static_cast<unsigned char>(a[3]) - '2';
  return line < 4 ? kLines[line] : std::string_view();
}

void errore(std::string_view a) {
  Text message = error_message(a);
  const std::string_view line = way_forward(a);
  if (!line.empty()) {
    message.append("\n");
    message.append(line);
  }
  platform::show_message_and_exit(message.c_str());
}

}  // namespace binario
