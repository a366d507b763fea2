#ifndef BINARIO_PACKAGE_PACKAGE_WRITER_H_
#define BINARIO_PACKAGE_PACKAGE_WRITER_H_

// Building an installer image: the stub, the filler, the two name areas and
// the file records, in the layout the installer reads back.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/text.h"

namespace binario {

// Starts `image` with `stub`, zero bytes up to the route name area and the two
// name areas. False, leaving `image` untouched, when the stub reaches the
// route name area or a name does not fit its area.
bool begin_installer(const Bytes& stub, std::string_view nome_percorso, std::string_view nome_treno,
                     Bytes* image);

// Appends one file record. False, leaving `image` untouched, when the name
// is empty or does not fit its field, or the content is too long for the
// 32-bit signed length.
bool append_record(std::string_view name, const uint8_t* content, size_t size, Bytes* image);

}  // namespace binario

#endif  // BINARIO_PACKAGE_PACKAGE_WRITER_H_
