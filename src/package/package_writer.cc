#include "package/package_writer.h"

#include "base/coding.h"
#include "package/package_layout.h"

namespace binario {

namespace {

// A name the field can hold with its terminating NUL.
bool fits_field(std::string_view name) {
  return name.size() <= kMaxNameLength && name.find('\0') == std::string_view::npos;
}

// The name, then NULs to the end of its field.
void put_name_field(std::string_view name, Bytes* image) {
  image->insert(image->end(), name.begin(), name.end());
  image->insert(image->end(), kNameFieldSize - name.size(), 0);
}

}  // namespace

bool begin_installer(const Bytes& stub, std::string_view nome_percorso, std::string_view nome_treno,
                     Bytes* image) {
  if (stub.size() >= kStubLimit || !fits_field(nome_percorso) || !fits_field(nome_treno)) {
    return false;
  }
  image->assign(stub.begin(), stub.end());
  image->resize(kRouteNameOffset, 0);
  put_name_field(nome_percorso, image);
  put_name_field(nome_treno, image);
  return true;
}

bool append_record(std::string_view name, const uint8_t* content, size_t size, Bytes* image) {
  if (name.empty() || !fits_field(name) || size > INT32_MAX) return false;
  put_name_field(name, image);
  put_i32(image, static_cast<int32_t>(size));
  image->insert(image->end(), content, content + size);
  return true;
}

}  // namespace binario
