#ifndef BINARIO_MODEL_FAULT_H_
#define BINARIO_MODEL_FAULT_H_

#include <cstdint>

namespace binario {

// Codes of the run error state that the readers and the grid pass record.
namespace codice {
constexpr int32_t kProgressiveNotMultiple = 2;
constexpr int32_t kRouteTooLong = 1;
constexpr int32_t kRepetitionStart = 3;
constexpr int32_t kRepetitionEnd = 4;
constexpr int32_t kRepetitionSystem = 5;
constexpr int32_t kLocationBoardTaken = 6;
constexpr int32_t kCodePointTaken = 7;
constexpr int32_t kStationPosition = 8;
constexpr int32_t kStationLength = 9;
constexpr int32_t kTooManyStations = 10;
constexpr int32_t kNoCellBeforeSignal = 11;
constexpr int32_t kNoCellBeforeSlowdown = 12;
constexpr int32_t kNoCellInsideSlowdown = 13;
constexpr int32_t kBeyondGrid = 15;
constexpr int32_t kSignalTaken = 16;
constexpr int32_t kWarningBoardTaken = 17;
constexpr int32_t kSlowdownStartTaken = 18;
constexpr int32_t kSlowdownEndTaken = 19;
constexpr int32_t kPreWarningTaken = 20;
constexpr int32_t kSpeedBoardTaken = 21;
constexpr int32_t kStationTooClose = 22;
constexpr int32_t kStopMarkerTooEarly = 24;
constexpr int32_t kReadingFailure = 25;
constexpr int32_t kNoRouteText = 101;
constexpr int32_t kNoGeneralSection = 102;
constexpr int32_t kBadCurve = 103;
}  // namespace codice

// True for the codes whose fault is found at a place on the line, so that
// `posizione_errore` means something when they are reported.
bool code_records_position(int32_t code);

}  // namespace binario

#endif  // BINARIO_MODEL_FAULT_H_
