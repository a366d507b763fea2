#include "diagnostics/fault_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace binario::tool {
namespace {

// Each fault of the table explains itself in its own words.
TEST(FaultTextTest, EveryFaultHasItsOwnExplanation) {
  std::set<std::string> seen;
  for (const Fault fault : kAllFaults) {
    const std::string text = fault_text(fault);
    EXPECT_NE(text, "unknown fault") << code_of(fault);
    EXPECT_TRUE(seen.insert(text).second) << code_of(fault) << ": " << text;
  }
  EXPECT_EQ(fault_text(Fault::kNone), "no fault");
  EXPECT_EQ(fault_text(static_cast<Fault>(14)), "unknown fault");
}

}  // namespace
}  // namespace binario::tool
