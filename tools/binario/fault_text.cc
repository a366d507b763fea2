#include "fault_text.h"

namespace binario::tool {

std::string fault_text(int32_t code) {
  switch (code) {
    case 1:
      return "the route length is above 1000000 m or below 0";
    case 2:
      return "a kilometric progressive's position or kilometre value is not a multiple of 50";
    case 3:
      return "the signal repetition's start is not a multiple of 50";
    case 4:
      return "the signal repetition's end is not a multiple of 50";
    case 5:
      return "the signal repetition keyword names neither system 4 nor system 9";
    case 6:
      return "a location board falls on a cell that is already taken";
    case 7:
      return "a code point falls on a cell that is already taken";
    case 8:
      return "a station's position is not a multiple of 50";
    case 9:
      return "a station's length is not a multiple of 100";
    case 10:
      return "too many stations: they would reach the location board texts";
    case 11:
      return "no free cell in front of a signal near a slowdown warning board for its code point";
    case 12:
      return "no free cell for a code point before a slowdown start";
    case 13:
      return "no free cell for a code point inside or after a slowdown";
    case 15:
      return "a position beyond the end of the line grid, or before its start";
    case 16:
      return "a signal falls on a cell that is already taken";
    case 17:
      return "a slowdown's warning board falls on a cell that is already taken";
    case 18:
      return "a slowdown's start falls on a cell that is already taken";
    case 19:
      return "a slowdown's end falls on a cell that is already taken";
    case 20:
      return "a slowdown's pre-warning cells are already taken";
    case 21:
      return "a speed-indicator board falls on a cell that is already taken";
    case 22:
      return "a station starts less than 350 m after the end of the previous one";
    case 24:
      return "a station's stop marker would fall on cell 1 or before";
    case 25:
      return "a value cannot be read (a number that does not fit its field, a line cut short, "
             "a missing text or route length)";
    case 101:
      return "the package holds no route text";
    case 102:
      return "the route text has no [generale] section";
    case 103:
      return "a curve keyword without a class digit 1 to 6, or a route plan past 1000000 m";
    case 1250:
      return "grid cell 1 (the first 25 m of line) holds an object whose first value is not 0";
    case 1251:
      return "grid cell 1 (the first 25 m of line) holds an object whose second value is not 0";
    case 1254:
      return "a compiled file cannot be written";
    default:
      return "unknown fault";
  }
}

}  // namespace binario::tool
