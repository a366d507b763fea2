#ifndef BINARIO_MODEL_FILE_NAMES_H_
#define BINARIO_MODEL_FILE_NAMES_H_

// The five files of a run, named after the route (`nome_percorso`) and the
// train (`nome_treno`), byte for byte.

#include <string_view>

#include "base/text.h"

namespace binario {

// The name endings.
inline constexpr char kRouteTextSuffix[] = "_linea.txt";  // after <route>
inline constexpr char kScenarioTextSuffix[] = "-.txt";    // after <route>_<train>
inline constexpr char kRoutePlanSuffix[] = "_linea.dat";  // after <route>
inline constexpr char kStationFileSuffix[] = ".sim";      // after <route>_<train>
inline constexpr char kGridFileSuffix[] = ".dat";         // after <route>_<train>

// The names of one scenario's files. It views the two names it is given,
// which must outlive it.
class ScenarioNames {
 public:
  ScenarioNames(std::string_view route, std::string_view train) : route_(route), train_(train) {}

  Text route_text() const { return file(false, kRouteTextSuffix); }       // <route>_linea.txt
  Text scenario_text() const { return file(true, kScenarioTextSuffix); }  // <route>_<train>-.txt
  Text route_plan() const { return file(false, kRoutePlanSuffix); }       // <route>_linea.dat
  Text station_file() const { return file(true, kStationFileSuffix); }    // <route>_<train>.sim
  Text grid_file() const { return file(true, kGridFileSuffix); }          // <route>_<train>.dat

 private:
  // `<route><suffix>`, or `<route>_<train><suffix>`.
  Text file(bool of_train, const char* suffix) const;

  std::string_view route_;
  std::string_view train_;
};

}  // namespace binario

#endif  // BINARIO_MODEL_FILE_NAMES_H_
