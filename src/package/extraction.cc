#include "package/extraction.h"

#include "common/replace_file.h"

namespace binario {

void sc_nome_percorso_nome_treno(const Package& package, CompileState& state) {
  state.nome_percorso = package.nome_percorso;
  state.nome_treno = package.nome_treno;
}

bool sc_recupera_file(const Package& package, const CompileState& state, Disk& disk,
                      size_t* failed_record) {
  for (size_t i = 0; i < package.records.size(); ++i) {
    const PackageRecord& record = package.records[i];
    if (!replace_file(disk, state.path_of(record.name), record.content, record.size)) {
      if (failed_record != nullptr) *failed_record = i;
      return false;
    }
  }
  return true;
}

}  // namespace binario
