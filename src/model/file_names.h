#ifndef BINARIO_MODEL_FILE_NAMES_H_
#define BINARIO_MODEL_FILE_NAMES_H_

// The five files of a run, named after the route (`nome_percorso`) and the
// train (`nome_treno`), byte for byte: the name endings. The compile state
// builds the names of its run from them.

namespace binario {

inline constexpr char kRouteTextSuffix[] = "_linea.txt";  // after <route>
inline constexpr char kScenarioTextSuffix[] = "-.txt";    // after <route>_<train>
inline constexpr char kRoutePlanSuffix[] = "_linea.dat";  // after <route>
inline constexpr char kStationFileSuffix[] = ".sim";      // after <route>_<train>
inline constexpr char kGridFileSuffix[] = ".dat";         // after <route>_<train>

}  // namespace binario

#endif  // BINARIO_MODEL_FILE_NAMES_H_
