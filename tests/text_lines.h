#ifndef BINARIO_TESTS_TEXT_LINES_H_
#define BINARIO_TESTS_TEXT_LINES_H_

#include <string>
#include <vector>

namespace binario {

// Lines joined with CR LF, each one ended, as the texts are written.
inline std::string lines(const std::vector<std::string>& ls) {
  std::string out;
  for (const std::string& l : ls) out += l + "\r\n";
  return out;
}

}  // namespace binario

#endif  // BINARIO_TESTS_TEXT_LINES_H_
