#include "platform/usable_path.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::TempFolder;
using testing::write_bytes;

TEST(UsablePath, NamesWhyAPathCannotServe) {
  TempFolder folder;
  write_bytes(folder / "text.txt", "[generale]\n");
  write_bytes(folder / "empty.txt", "");
  std::filesystem::create_directory(folder / "dir");
  std::filesystem::create_symlink("text.txt", folder / "link.txt");
  std::filesystem::create_symlink("gone.txt", folder / "dangling.txt");
  const std::pair<const char*, std::optional<std::string>> inputs[] = {
      {"text.txt", std::nullopt},      {"link.txt", std::nullopt},
      {"missing.txt", "no such file"}, {"dangling.txt", "no such file"},
      {"empty.txt", "is empty"},       {"dir", "is a folder, not a file"},
  };
  for (const auto& [name, why] : inputs) EXPECT_EQ(unfit_input(folder / name), why) << name;
  EXPECT_EQ(unfit_input("/dev/null"), "is not a regular file");

  const std::pair<std::string, std::optional<std::string>> outputs[] = {
      {"r.json", std::nullopt},
      {"text.txt", std::nullopt},
      {"dir", "is a folder, not a file"},
      {"no/r.json", "its folder " + (folder / "no").string() + " does not exist"},
  };
  for (const auto& [name, why] : outputs) EXPECT_EQ(unfit_output(folder / name), why) << name;
  EXPECT_EQ(unfit_output("r.json"), std::nullopt);  // the current folder
}

}  // namespace
}  // namespace tracciato
