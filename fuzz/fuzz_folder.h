#ifndef BINARIO_FUZZ_FUZZ_FOLDER_H_
#define BINARIO_FUZZ_FUZZ_FOLDER_H_

// The compile driver over the in-memory disk, for the text harnesses.

#include <string>

#include "app/compile_driver.h"
#include "memory_disk.h"
#include "model/compile_state.h"

namespace binario::fuzz {

// Compiles `route` and `scenario` as route R and train T in "/f". A run that
// reports success has written all three files; one that fails has written none.
inline void compile(const std::string& route, const std::string& scenario) {
  MemoryDisk disk;
  disk.put("/f/R_linea.txt", route);
  disk.put("/f/R_T-.txt", scenario);
  CompileState state;
  state.cartella = Text("/f");
  state.nome_percorso = Text("R");
  state.nome_treno = Text("T");
  const CompileResult result = memorizza_percorso(state, disk, true);
  const bool written =
      disk.has("/f/R_T.sim") && disk.has("/f/R_T.dat") && disk.has("/f/R_linea.dat");
  if (result.ok() != written) __builtin_trap();
}

}  // namespace binario::fuzz

#endif  // BINARIO_FUZZ_FUZZ_FOLDER_H_
