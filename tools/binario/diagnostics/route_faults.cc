// Faults of the route text: its general section, its length, the signal
// repetition, curves and the kilometric progressives.

#include <string>

#include "diagnostics/locator.h"
#include "text/display_text.h"

namespace binario::tool::locator {

LocatedFault Locator::no_route_text() {
  return whole(nullptr, t_.route_name,
               "there is no route text: the installer needs <route>_linea.txt");
}

LocatedFault Locator::no_general_section() {
  const std::string general = grammar::kGeneralTitle;
  LocatedFault out =
      whole(t_.route, "", "the route text has no '" + general + "' field before its last field");
  out.diagnostic.hints.push_back("start the route's values with a line '" + general + "'");
  return out;
}

LocatedFault Locator::route_too_long() {
  const Statement* st = stopped(&kw::kRouteLength);
  if (st == nullptr) return whole(t_.route, "", "the route length is out of range");
  const int64_t v = st->values[0].value;
  LocatedFault out =
      at(*st, st->values[0],
         "route length " + metres(v) + " is out of range: it runs from 0 to 1000000 m");
  out.set_aside_line = 0;
  return out;
}

LocatedFault Locator::repetition_position() {
  const Statement* st = stopped(&kw::kRepetition);
  if (st == nullptr) return plain();
  const bool start = fault().fault == Fault::kRepetitionStart;
  const Field& f = st->values[start ? 0 : 1];
  LocatedFault out = at(*st, f,
                        std::string("the signal repetition's ") + (start ? "start " : "end ") +
                            metres(f.value) + " is not a multiple of 50");
  out.diagnostic.hints.push_back(multiples_hint(f.value, 50));
  return out;
}

LocatedFault Locator::repetition_system() {
  const Statement* st = stopped(&kw::kRepetition);
  if (st == nullptr) return plain();
  LocatedFault out = at(*st, st->keyword,
                        "the signal repetition keyword " + quoted_text(st->keyword.raw) +
                            " names neither system 4 nor system 9");
  out.diagnostic.hints.push_back(
      "write 'ripetizione segnali 4 codici' or 'ripetizione segnali 9 codici'");
  return out;
}

LocatedFault Locator::bad_curve() {
  const Statement* st = stopped(&kw::kCurve);
  if (st == nullptr) return plain();
  LocatedFault out = at(*st, st->keyword,
                        "the curve keyword " + quoted_text(st->keyword.raw) +
                            " has no class digit 1 to 6, or the route plan passes 1000000 points");
  out.diagnostic.hints.push_back("write 'curvad' or 'curvas' followed by a digit, as in 'curvad3'");
  return out;
}

// Found after both texts are read, so the fault has no field: the first
// progressive line with a value off the 50 m cells.
LocatedFault Locator::progressive_fault() {
  const std::string none = "a kilometric progressive is not a multiple of 50";
  if (t_.route_scan == nullptr) return whole(t_.route, "", none);
  for (const Statement& st : t_.route_scan->statements) {
    // The three kilometric progressive lines share their values.
    if (st.spec->values.data() != route_grammar::kProgressiveValues) continue;
    for (size_t i = 0; i < 2 && i < st.values.size(); ++i) {
      const int64_t v = st.values[i].value;
      if (v % 50 == 0) continue;
      LocatedFault out = at(st, st.values[i],
                            std::string("the kilometric progressive's ") + st.spec->values[i].name +
                                " " + std::to_string(v) + " is not a multiple of 50",
                            t_.route);
      out.set_aside_text = InputText::kRoute;
      out.diagnostic.hints.push_back(multiples_hint(v, 50));
      return out;
    }
  }
  return whole(t_.route, "", none);
}

}  // namespace binario::tool::locator
