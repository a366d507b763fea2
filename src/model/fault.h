#ifndef BINARIO_MODEL_FAULT_H_
#define BINARIO_MODEL_FAULT_H_

#include <cstdint>

namespace binario {

// Every fault the system shows, one row each in code order:
//   X(name, code, shown, player_line, author_text)
// code:        the number the player reads in " Errore n. <code>". 1 to 103
//              are recorded in the run error state by the readers and the
//              code-point pass; 1250 to 1255 are the installer's own (header
//              checks, package, files).
// shown:       kAtPosition when the player's message also gives where on the
//              line it was found (", posizione <m> m"), else kCodeOnly.
// player_line: the line under the code that tells the player what to do, or
//              "" for none.
// author_text: what it means in a scenario author's words; only the author
//              tool expands this column, so the installer never holds it.
#define BINARIO_FAULTS(X)                                                                         \
  X(kRouteTooLong, 1, kCodeOnly, "", "the route length is above 1000000 m or below 0")            \
  X(kProgressiveNotMultiple, 2, kCodeOnly, "",                                                    \
    "a kilometric progressive's position or kilometre value is not a multiple of 50")             \
  X(kRepetitionStart, 3, kCodeOnly, "", "the signal repetition's start is not a multiple of 50")  \
  X(kRepetitionEnd, 4, kCodeOnly, "", "the signal repetition's end is not a multiple of 50")      \
  X(kRepetitionSystem, 5, kCodeOnly, "",                                                          \
    "the signal repetition keyword names neither system 4 nor system 9")                          \
  X(kLocationBoardTaken, 6, kAtPosition, "",                                                      \
    "a location board falls on a cell that is already taken")                                     \
  X(kCodePointTaken, 7, kAtPosition, "", "a code point falls on a cell that is already taken")    \
  X(kStationPosition, 8, kAtPosition, "", "a station's position is not a multiple of 50")         \
  X(kStationLength, 9, kAtPosition, "", "a station's length is not a multiple of 100")            \
  X(kTooManyStations, 10, kCodeOnly, "",                                                          \
    "too many stations: they would reach the location board texts")                               \
  X(kNoCellBeforeSignal, 11, kAtPosition, "",                                                     \
    "no free cell in front of a signal near a slowdown warning board for its code point")         \
  X(kNoCellBeforeSlowdown, 12, kAtPosition, "",                                                   \
    "no free cell for a code point before a slowdown start")                                      \
  X(kNoCellInsideSlowdown, 13, kAtPosition, "",                                                   \
    "no free cell for a code point inside or after a slowdown")                                   \
  X(kBeyondGrid, 15, kAtPosition, "",                                                             \
    "a position beyond the end of the line grid, or before its start")                            \
  X(kSignalTaken, 16, kAtPosition, "", "a signal falls on a cell that is already taken")          \
  X(kWarningBoardTaken, 17, kAtPosition, "",                                                      \
    "a slowdown's warning board falls on a cell that is already taken")                           \
  X(kSlowdownStartTaken, 18, kAtPosition, "",                                                     \
    "a slowdown's start falls on a cell that is already taken")                                   \
  X(kSlowdownEndTaken, 19, kAtPosition, "",                                                       \
    "a slowdown's end falls on a cell that is already taken")                                     \
  X(kPreWarningTaken, 20, kAtPosition, "", "a slowdown's pre-warning cells are already taken")    \
  X(kSpeedBoardTaken, 21, kAtPosition, "",                                                        \
    "a speed-indicator board falls on a cell that is already taken")                              \
  X(kStationTooClose, 22, kAtPosition, "",                                                        \
    "a station starts less than 350 m after the end of the previous one")                         \
  X(kStopMarkerTooEarly, 24, kCodeOnly, "",                                                       \
    "a station's stop marker would fall on cell 1 or before")                                     \
  X(kReadingFailure, 25, kCodeOnly, "",                                                           \
    "a value cannot be read (a number that does not fit its field, a line cut short, a missing "  \
    "text or route length)")                                                                      \
  X(kNoRouteText, 101, kCodeOnly, "", "the package holds no route text")                          \
  X(kNoGeneralSection, 102, kCodeOnly, "", "the route text has no [generale] section")            \
  X(kBadCurve, 103, kCodeOnly, "",                                                                \
    "a curve keyword without a class digit 1 to 6, or a route plan past 1000000 m")               \
  /* grid cell 1 or station record 85 already stamped */                                          \
  X(kHeaderStampTaken, 1250, kCodeOnly, "",                                                       \
    "grid cell 1 (the first 25 m of line) holds an object whose first value is not 0")            \
  /* their competition-code slots already used */                                                 \
  X(kHeaderCodeTaken, 1251, kCodeOnly, "",                                                        \
    "grid cell 1 (the first 25 m of line) holds an object whose second value is not 0")           \
  /* the appended package is cut short or inconsistent */                                         \
  X(kPackageDamaged, 1252, kCodeOnly,                                                             \
    "Il programma di installazione risulta danneggiato o incompleto: scaricalo di nuovo.",        \
    "the package appended to the installer is cut short or inconsistent")                         \
  /* a packaged name would write outside the folder */                                            \
  X(kPackageUnsafe, 1253, kCodeOnly,                                                              \
    "Il programma di installazione contiene nomi di file non validi: chiedine all'autore una "    \
    "versione corretta.",                                                                         \
    "a packaged name would write outside the installer's folder")                                 \
  /* a packaged or compiled file cannot be written */                                             \
  X(kCannotWriteFile, 1254, kCodeOnly,                                                            \
    "Impossibile scrivere nella cartella del programma di installazione: avvialo dalla cartella " \
    "del simulatore e accetta la richiesta di autorizzazione.",                                   \
    "a compiled file cannot be written")                                                          \
  /* the installer cannot find or read its own file */                                            \
  X(kCannotReadInstaller, 1255, kCodeOnly,                                                        \
    "Il programma di installazione non riesce a leggere se stesso: copialo in una cartella del "  \
    "computer e avvialo di nuovo.",                                                               \
    "the installer cannot find or read its own file")

// What the player's message gives besides the code.
enum class FaultShown : uint8_t {
  kCodeOnly,
  kAtPosition,  // also the position in metres along the line
};

#define BINARIO_FAULT_ENUMERATOR(name, code, shown, player_line, author_text) name = code,
enum class Fault : int32_t { kNone = 0, BINARIO_FAULTS(BINARIO_FAULT_ENUMERATOR) };
#undef BINARIO_FAULT_ENUMERATOR

// Every fault, in code order (kNone excluded).
#define BINARIO_FAULT_LISTED(name, code, shown, player_line, author_text) Fault::name,
inline constexpr Fault kAllFaults[] = {BINARIO_FAULTS(BINARIO_FAULT_LISTED)};
#undef BINARIO_FAULT_LISTED

// The number shown for a fault.
constexpr int32_t code_of(Fault fault) { return static_cast<int32_t>(fault); }

namespace fault_table {

// One bit per code below 64 that is shown with its position.
constexpr uint64_t position_bit(int32_t code, FaultShown shown) {
  return shown == FaultShown::kAtPosition && code < 64 ? uint64_t{1} << code : 0;
}

#define BINARIO_FAULT_POSITION_BIT(name, code, shown, player_line, author_text) \
  | position_bit(code, FaultShown::shown)
inline constexpr uint64_t kPositionCodes = 0 BINARIO_FAULTS(BINARIO_FAULT_POSITION_BIT);
#undef BINARIO_FAULT_POSITION_BIT

// A fault shown with its position has a code below 64, so that the bits above hold it.
#define BINARIO_FAULT_POSITION_FITS(name, code, shown, player_line, author_text) \
  static_assert(FaultShown::shown != FaultShown::kAtPosition || code < 64);
BINARIO_FAULTS(BINARIO_FAULT_POSITION_FITS)
#undef BINARIO_FAULT_POSITION_FITS

}  // namespace fault_table

// True for the faults found at a place on the line, so that the position
// recorded with them means something when they are reported.
constexpr bool records_position(Fault fault) {
  const int32_t code = code_of(fault);
  return code >= 0 && code < 64 && ((fault_table::kPositionCodes >> code) & 1) != 0;
}

// The input text a fault was found in.
enum class InputText : uint8_t {
  kNone,      // in neither text: the grid pass and the driver
  kRoute,     // the route text, <route>_linea.txt
  kScenario,  // the scenario text, <route>_<train>-.txt
};

}  // namespace binario

#endif  // BINARIO_MODEL_FAULT_H_
