#include "package/extraction.h"

#include "platform/platform.h"
#include "platform/replace_file.h"

namespace binario {

bool sc_recupera_file(const Package& package, const Text& cartella, Disk& disk,
                      size_t* failed_record) {
  for (size_t i = 0; i < package.records.size(); ++i) {
    const PackageRecord& record = package.records[i];
    if (!replace_file(disk, platform::path_in(cartella, record.name), record.content,
                      record.size)) {
      if (failed_record != nullptr) *failed_record = i;
      return false;
    }
  }
  return true;
}

}  // namespace binario
