#ifndef BINARIO_TESTS_TEST_NAMES_H_
#define BINARIO_TESTS_TEST_NAMES_H_

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace binario {

// Names each case of a parameterised test after its `what`, every character
// other than a letter or a digit turned into '_'.
struct NameFromWhat {
  template <class Param>
  std::string operator()(const testing::TestParamInfo<Param>& info) const {
    std::string name;
    for (const char* c = info.param.what; *c != '\0'; ++c) {
      name.push_back(std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_');
    }
    return name;
  }
};

}  // namespace binario

#endif  // BINARIO_TESTS_TEST_NAMES_H_
