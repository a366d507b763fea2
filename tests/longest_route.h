#ifndef BINARIO_TESTS_LONGEST_ROUTE_H_
#define BINARIO_TESTS_LONGEST_ROUTE_H_

#include <string>

namespace binario {

// The longest route a route text may describe, 1000000 m: a gradient every
// kilometre and a curve every ten.
inline std::string longest_route_text() {
  std::string text = "[generale]\r\nlunghezza percorso, 1000000\r\n[linea]\r\n";
  for (int km = 0; km < 1000; ++km) {
    text += "pendenza, " + std::to_string(km * 1000) + ", " + std::to_string(km % 13 - 6) + "\r\n";
    if (km % 10 == 5) {
      text += "curva" + std::string(km % 20 == 5 ? "d" : "s") + std::to_string(km % 6 + 1) + ", " +
              std::to_string(km * 1000) + ", 800\r\n";
    }
  }
  return text + "[fine]\r\n";
}

}  // namespace binario

#endif  // BINARIO_TESTS_LONGEST_ROUTE_H_
