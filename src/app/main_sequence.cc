#include "app/main_sequence.h"

#include "app/compile_driver.h"
#include "app/compile_state.h"
#include "platform/platform.h"

namespace binario {

Text installa(Disk& disk, const Text& installer_path) {
  // Package extraction comes next.
  CompileState state;
  std::string_view path = installer_path.view();
  size_t slash = path.rfind(platform::kPathSeparator);
  state.cartella = path.substr(0, slash == std::string_view::npos ? 0 : slash);
  return memorizza_percorso(state, disk, 1);
}

}  // namespace binario
