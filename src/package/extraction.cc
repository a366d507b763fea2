#include "package/extraction.h"

#include "common/replace_file.h"

namespace binario {

void sc_nome_percorso_nome_treno(const Package& package, CompileState& state) {
  state.nome_percorso = package.nome_percorso;
  state.nome_treno = package.nome_treno;
}

bool sc_recupera_file(const Package& package, const CompileState& state, Disk& disk) {
  for (const PackageRecord& record : package.records) {
    if (!replace_file(disk, state.path_of(record.name), record.content, record.size)) return false;
  }
  return true;
}

}  // namespace binario
