#include "diagnostics/fault_text.h"

namespace binario::tool {

// A switch over every fault with no default: a fault without an explanation
// is a compile error (-Wswitch under -Werror).
std::string fault_text(Fault fault) {
  switch (fault) {
    case Fault::kNone:
      return "no fault";
    case Fault::kRouteTooLong:
      return "the route length is above 1000000 m or below 0";
    case Fault::kProgressiveNotMultiple:
      return "a kilometric progressive's position or kilometre value is not a multiple of 50";
    case Fault::kRepetitionStart:
      return "the signal repetition's start is not a multiple of 50";
    case Fault::kRepetitionEnd:
      return "the signal repetition's end is not a multiple of 50";
    case Fault::kRepetitionSystem:
      return "the signal repetition keyword names neither system 4 nor system 9";
    case Fault::kLocationBoardTaken:
      return "a location board falls on a cell that is already taken";
    case Fault::kCodePointTaken:
      return "a code point falls on a cell that is already taken";
    case Fault::kStationPosition:
      return "a station's position is not a multiple of 50";
    case Fault::kStationLength:
      return "a station's length is not a multiple of 100";
    case Fault::kTooManyStations:
      return "too many stations: they would reach the location board texts";
    case Fault::kNoCellBeforeSignal:
      return "no free cell in front of a signal near a slowdown warning board for its code point";
    case Fault::kNoCellBeforeSlowdown:
      return "no free cell for a code point before a slowdown start";
    case Fault::kNoCellInsideSlowdown:
      return "no free cell for a code point inside or after a slowdown";
    case Fault::kBeyondGrid:
      return "a position beyond the end of the line grid, or before its start";
    case Fault::kSignalTaken:
      return "a signal falls on a cell that is already taken";
    case Fault::kWarningBoardTaken:
      return "a slowdown's warning board falls on a cell that is already taken";
    case Fault::kSlowdownStartTaken:
      return "a slowdown's start falls on a cell that is already taken";
    case Fault::kSlowdownEndTaken:
      return "a slowdown's end falls on a cell that is already taken";
    case Fault::kPreWarningTaken:
      return "a slowdown's pre-warning cells are already taken";
    case Fault::kSpeedBoardTaken:
      return "a speed-indicator board falls on a cell that is already taken";
    case Fault::kStationTooClose:
      return "a station starts less than 350 m after the end of the previous one";
    case Fault::kStopMarkerTooEarly:
      return "a station's stop marker would fall on cell 1 or before";
    case Fault::kReadingFailure:
      return "a value cannot be read (a number that does not fit its field, a line cut short, "
             "a missing text or route length)";
    case Fault::kNoRouteText:
      return "the package holds no route text";
    case Fault::kNoGeneralSection:
      return "the route text has no [generale] section";
    case Fault::kBadCurve:
      return "a curve keyword without a class digit 1 to 6, or a route plan past 1000000 m";
    case Fault::kHeaderStampTaken:
      return "grid cell 1 (the first 25 m of line) holds an object whose first value is not 0";
    case Fault::kHeaderCodeTaken:
      return "grid cell 1 (the first 25 m of line) holds an object whose second value is not 0";
    case Fault::kCannotWriteFile:
      return "a compiled file cannot be written";
    case Fault::kPackageDamaged:
      return "the package appended to the installer is cut short or inconsistent";
    case Fault::kPackageUnsafe:
      return "a packaged name would write outside the installer's folder";
    case Fault::kCannotReadInstaller:
      return "the installer cannot find or read its own file";
  }
  return "unknown fault";
}

}  // namespace binario::tool
