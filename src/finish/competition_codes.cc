#include "finish/competition_codes.h"

#include <string_view>

namespace binario {

namespace {

constexpr int kCountedCharacters = 25;
constexpr std::string_view kFiller = "mnbvcxzlkjhgfdsapoiuytrewq";

// Character `i` (from 0) of the code string, as an unsigned byte.
uint8_t code_char(const StationTable& stazioni, int i) {
  std::string_view train = stazioni[kTrainRecord].name;
  std::string_view route = stazioni[kRouteRecord].name;
  size_t at = static_cast<size_t>(i);
  char c;
  if (at < train.size()) {
    c = to_lower_ascii(train[at]);
  } else if ((at -= train.size()) < route.size()) {
    c = to_lower_ascii(route[at]);
  } else {
    c = kFiller[at - route.size()];
  }
  return static_cast<uint8_t>(c);
}

}  // namespace

int32_t codice_gara_og(const StationTable& stazioni) {
  int32_t sum = 0;
  for (int i = 0; i < kCountedCharacters; ++i) sum += code_char(stazioni, i);
  return sum;
}

int32_t codice_gara_st(const StationTable& stazioni) {
  int32_t sum = 0;
  for (int i = 0; i < kCountedCharacters; ++i) sum += (i + 1) * code_char(stazioni, i);
  return sum;
}

}  // namespace binario
