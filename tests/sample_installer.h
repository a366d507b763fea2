#ifndef BINARIO_TESTS_SAMPLE_INSTALLER_H_
#define BINARIO_TESTS_SAMPLE_INSTALLER_H_

// The sample scenario of examples/ as an installer image, in memory: its five
// files behind a stand-in stub, as packers before seals laid them out.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/text.h"
#include "package/package_writer.h"

namespace binario {

inline const std::string kSampleRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
inline const std::string kSampleTrain = "IR2230";
// The sample's files, in the order they are packed.
inline const std::vector<std::string> kSampleFiles = {
    kSampleRoute + "_linea.txt", kSampleRoute + "_" + kSampleTrain + "-.txt",
    kSampleRoute + "_" + kSampleTrain + "_note.txt",
    kSampleRoute + "_" + kSampleTrain + "_rallentamenti.txt",
    kSampleRoute + "_" + kSampleTrain + "_scheda_treno.txt"};

// The bytes of the sample file `name`.
inline std::string example(const std::string& name) {
  std::ifstream in(std::string(BINARIO_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The sample installer, unsealed.
inline Bytes sample_installer_image() {
  Bytes image;
  EXPECT_TRUE(begin_installer(Bytes{'M', 'Z'}, kSampleRoute, kSampleTrain, &image));
  for (const std::string& name : kSampleFiles) {
    const std::string content = example(name);
    EXPECT_TRUE(append_record(name, reinterpret_cast<const uint8_t*>(content.data()),
                              content.size(), &image));
  }
  return image;
}

}  // namespace binario

#endif  // BINARIO_TESTS_SAMPLE_INSTALLER_H_
