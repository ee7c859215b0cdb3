// The compiled files of the built-in build, pinned to the byte: the line file
// holds doubles, and any change in how they are computed (a fused
// multiply-add, another rounding) or in the route data shows here. Update
// the fingerprints only for a deliberate change of the scenario.
#include <gtest/gtest.h>

#include <cstdint>

#include "driver/builtin_build.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

std::uint64_t fingerprint(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a, 64 bits
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

TEST(BuiltinOutput, CompiledFilesAreTheSameOnEveryMachine) {
  testing::TempFolder folder;
  ScenarioModel model;
  testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return run_builtin_build(model, folder.path(), out);
  });
  const std::string line = testing::read_bytes(folder / "Lindra_Kestova_linea.dat");
  ASSERT_EQ(line.size(), 1499964u);
  // Column 0 then column 1, each from two integers to two empty rows.
  EXPECT_EQ(line.substr(0, 8), std::string("\x02\x00\x00\x00\x02\x00\x00\x00", 8));
  EXPECT_EQ(line.substr(749982, 8), std::string("\x02\x00\x00\x00\x02\x00\x01\x00", 8));
  EXPECT_EQ(line.substr(749978, 4), std::string(4, '\0'));
  EXPECT_EQ(line.substr(1499960, 4), std::string(4, '\0'));

  EXPECT_EQ(fingerprint(line), 3756112497364893140u) << "line file";
  EXPECT_EQ(fingerprint(testing::read_bytes(folder / "Lindra_Kestova_31407.sim")),
            3043353621990856269u)
      << "scenario file";
  EXPECT_EQ(fingerprint(testing::read_bytes(folder / "Lindra_Kestova_31407.dat")),
            17390025178050493541u)
      << "track file";
}

}  // namespace
}  // namespace tracciato
