#include "platform/replace_file.h"

#include <gtest/gtest.h>

#include "platform/io_failure.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::read_bytes;
using testing::TempFolder;
using testing::write_bytes;

TEST(ReplaceFile, NewContentReplacesALongerOldFileWholly) {
  TempFolder folder;
  write_bytes(folder / "a.dat", std::string(1000, 'x'));
  replace_file(folder / "a.dat", "short");
  EXPECT_EQ(read_bytes(folder / "a.dat"), "short");
  EXPECT_EQ(folder.names(), std::set<std::string>{"a.dat"});
}

TEST(ReplaceFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  TempFolder folder;
  // A folder where the file should go cannot be replaced by a file.
  std::filesystem::create_directory(folder / "taken.dat");
  EXPECT_THROW(replace_file(folder / "taken.dat", "bytes"), IoFailure);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.dat"));
  EXPECT_EQ(folder.names(), std::set<std::string>{"taken.dat"});
}

TEST(ReplaceFile, AMissingFolderIsNamed) {
  TempFolder folder;
  try {
    replace_file(folder / "missing" / "a.dat", "x");
    FAIL() << "no failure";
  } catch (const IoFailure& failure) {
    EXPECT_EQ(std::string(failure.what()), (folder / "missing").string() +
                                               ": cannot write into the folder: No such file "
                                               "or directory");
  }
}

}  // namespace
}  // namespace tracciato
