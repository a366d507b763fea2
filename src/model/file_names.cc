#include "model/file_names.h"

namespace binario {

Text ScenarioNames::file(bool of_train, const char* suffix) const {
  Text name(route_);
  if (of_train) {
    name.push_back('_');
    name.append(train_);
  }
  name.append(suffix);
  return name;
}

}  // namespace binario
