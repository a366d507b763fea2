#include "model/file_names.h"

namespace binario {

Text ScenarioNames::route_file(const char* suffix) const {
  Text name(route_);
  name.append(suffix);
  return name;
}

Text ScenarioNames::scenario_file(const char* suffix) const {
  Text name(route_);
  name.push_back('_');
  name.append(train_);
  name.append(suffix);
  return name;
}

}  // namespace binario
