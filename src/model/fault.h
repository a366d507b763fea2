#ifndef BINARIO_MODEL_FAULT_H_
#define BINARIO_MODEL_FAULT_H_

#include <cstdint>

namespace binario {

// Every code the system shows. 1 to 103 are recorded in the run error state
// by the readers and the code-point pass; 1250 to 1255 are the installer's
// own (header checks, package, files).
enum class Fault : int32_t {
  kNone = 0,
  kRouteTooLong = 1,
  kProgressiveNotMultiple = 2,
  kRepetitionStart = 3,
  kRepetitionEnd = 4,
  kRepetitionSystem = 5,
  kLocationBoardTaken = 6,
  kCodePointTaken = 7,
  kStationPosition = 8,
  kStationLength = 9,
  kTooManyStations = 10,
  kNoCellBeforeSignal = 11,
  kNoCellBeforeSlowdown = 12,
  kNoCellInsideSlowdown = 13,
  kBeyondGrid = 15,
  kSignalTaken = 16,
  kWarningBoardTaken = 17,
  kSlowdownStartTaken = 18,
  kSlowdownEndTaken = 19,
  kPreWarningTaken = 20,
  kSpeedBoardTaken = 21,
  kStationTooClose = 22,
  kStopMarkerTooEarly = 24,
  kReadingFailure = 25,
  kNoRouteText = 101,
  kNoGeneralSection = 102,
  kBadCurve = 103,
  kHeaderStampTaken = 1250,     // grid cell 1 or station record 85 already stamped
  kHeaderCodeTaken = 1251,      // their competition-code slots already used
  kPackageDamaged = 1252,       // the appended package is cut short or inconsistent
  kPackageUnsafe = 1253,        // a packaged name would write outside the folder
  kCannotWriteFile = 1254,      // a packaged or compiled file cannot be written
  kCannotReadInstaller = 1255,  // the installer cannot find or read its own file
};

// Every fault, in code order (kNone excluded).
inline constexpr Fault kAllFaults[] = {
    Fault::kRouteTooLong,         Fault::kProgressiveNotMultiple,
    Fault::kRepetitionStart,      Fault::kRepetitionEnd,
    Fault::kRepetitionSystem,     Fault::kLocationBoardTaken,
    Fault::kCodePointTaken,       Fault::kStationPosition,
    Fault::kStationLength,        Fault::kTooManyStations,
    Fault::kNoCellBeforeSignal,   Fault::kNoCellBeforeSlowdown,
    Fault::kNoCellInsideSlowdown, Fault::kBeyondGrid,
    Fault::kSignalTaken,          Fault::kWarningBoardTaken,
    Fault::kSlowdownStartTaken,   Fault::kSlowdownEndTaken,
    Fault::kPreWarningTaken,      Fault::kSpeedBoardTaken,
    Fault::kStationTooClose,      Fault::kStopMarkerTooEarly,
    Fault::kReadingFailure,       Fault::kNoRouteText,
    Fault::kNoGeneralSection,     Fault::kBadCurve,
    Fault::kHeaderStampTaken,     Fault::kHeaderCodeTaken,
    Fault::kPackageDamaged,       Fault::kPackageUnsafe,
    Fault::kCannotWriteFile,      Fault::kCannotReadInstaller,
};

// The number shown for a fault.
constexpr int32_t code_of(Fault fault) { return static_cast<int32_t>(fault); }

// True for the faults found at a place on the line, so that the position
// recorded with them means something when they are reported.
constexpr bool records_position(Fault fault) {
  const int32_t code = code_of(fault);
  return (code >= 6 && code <= 9) || (code >= 11 && code <= 13) || (code >= 15 && code <= 22);
}

// The text a fault was found in.
enum class FaultText : uint8_t {
  kNone,      // in neither text: the grid pass and the driver
  kRoute,     // the route text, <route>_linea.txt
  kScenario,  // the scenario text, <route>_<train>-.txt
};

}  // namespace binario

#endif  // BINARIO_MODEL_FAULT_H_
