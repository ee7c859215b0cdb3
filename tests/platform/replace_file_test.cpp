#include "platform/replace_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

TEST(ReplaceFile, AMissingFolderNamesThePath) {
  TempFolder folder;
  try {
    replace_file(folder / "missing" / "a.dat", "x");
    FAIL() << "no failure";
  } catch (const IoFailure& failure) {
    EXPECT_EQ(failure.path(), folder / "missing" / "a.dat");
    EXPECT_NE(std::string(failure.what()).find("a.dat: cannot create"), std::string::npos);
  }
}

TEST(ReplacingFile, BytesWrittenInPartsBecomeTheFileOnlyAtCommit) {
  TempFolder folder;
  write_bytes(folder / "a.dat", "old");
  {
    ReplacingFile file(folder / "a.dat");
    file.write("new ");
    file.write("bytes");
    EXPECT_EQ(read_bytes(folder / "a.dat"), "old");
    EXPECT_EQ(folder.names(), (std::set<std::string>{"a.dat", "a.dat.partial"}));
    file.commit();
  }
  EXPECT_EQ(read_bytes(folder / "a.dat"), "new bytes");
  EXPECT_EQ(folder.names(), std::set<std::string>{"a.dat"});
}

// A write that fails half-way (an exception from whatever makes the bytes)
// drops the replacement: the old file stays whole and no temporary is left.
TEST(ReplacingFile, AReplacementDroppedBeforeCommitLeavesTheOldFile) {
  TempFolder folder;
  write_bytes(folder / "a.dat", "old");
  try {
    ReplacingFile file(folder / "a.dat");
    file.write("half");
    throw std::runtime_error("the maker failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(read_bytes(folder / "a.dat"), "old");
  EXPECT_EQ(folder.names(), std::set<std::string>{"a.dat"});
}

TEST(ReplacingFile, AFullDeviceIsAWriteFailure) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  // The temporary beside /dev/full cannot be made by a user, so write the
  // bytes to the device itself through a symlinked temporary.
  TempFolder folder;
  std::filesystem::create_symlink("/dev/full", folder / "a.dat.partial");
  ReplacingFile file(folder / "a.dat");
  try {
    file.write(std::string(1 << 16, 'x'));
    FAIL() << "no failure";
  } catch (const IoFailure& failure) {
    EXPECT_EQ(failure.action(), "cannot write");
    EXPECT_EQ(failure.cause(), "No space left on device");
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "a.dat"));
}

}  // namespace
}  // namespace tracciato
