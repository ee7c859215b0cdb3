#include "platform/regular_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <functional>
#include <string>

#include "platform/io_failure.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::TempFolder;
using testing::write_bytes;

// Bytes that tell one place from another, longer than three runs.
std::string numbered_bytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
  return bytes;
}

TEST(RegularFile, ReadsTheWholeFileAtOnceOrInRunsAndAPrefixNoFurther) {
  TempFolder folder;
  const std::string bytes = numbered_bytes(3 * 65536 + 5);
  write_bytes(folder / "f.dat", bytes);
  {
    RegularFile file(folder / "f.dat");
    EXPECT_EQ(file.size(), bytes.size());
    EXPECT_TRUE(file.read_at_most(1 << 30) == bytes);
  }
  {
    RegularFile file(folder / "f.dat");
    EXPECT_TRUE(file.read_at_most(10) == bytes.substr(0, 10));
  }
  RegularFile file(folder / "f.dat");
  std::string joined;
  std::vector<std::size_t> runs;
  file.read_runs([&](std::string_view run) {
    joined += run;
    runs.push_back(run.size());
  });
  EXPECT_TRUE(joined == bytes);
  EXPECT_EQ(runs, (std::vector<std::size_t>{65536, 65536, 65536, 5}));
}

// Whatever is refused is refused as the file is opened, or as it is read,
// with the path and the reason on one line.
TEST(RegularFile, AnythingButARegularFileOfTheSizeItHadWhenOpenedIsRefused) {
  TempFolder folder;
  write_bytes(folder / "ten.dat", "0123456789");
  std::filesystem::create_directory(folder / "folder.dat");
  struct Case {
    const char* name;
    std::function<void()> read;
    std::string message;
  };
  const std::string ten = (folder / "ten.dat").string();
  std::vector<Case> cases = {
      {"missing", [&] { RegularFile file(folder / "none.dat"); },
       (folder / "none.dat").string() + ": cannot open: No such file or directory"},
      {"folder", [&] { RegularFile file(folder / "folder.dat"); },
       (folder / "folder.dat").string() + ": cannot read: Is a directory"},
      {"grown once opened",
       [&] {
         RegularFile file(folder / "ten.dat");
         write_bytes(folder / "ten.dat", "0123456789ABCDE");
         (void)file.read_at_most(100);
       },
       ten + ": cannot read: the file's size changed from 10 to 15 bytes while it was read"},
      {"grown while read in runs",
       [&] {
         write_bytes(folder / "ten.dat", "0123456789");
         RegularFile file(folder / "ten.dat");
         file.read_runs([&](std::string_view) { write_bytes(folder / "ten.dat", "0123456789AB"); });
       },
       ten + ": cannot read: the file's size changed from 10 to 12 bytes while it was read"},
      {"cut once opened",
       [&] {
         write_bytes(folder / "ten.dat", "0123456789");
         RegularFile file(folder / "ten.dat");
         std::filesystem::resize_file(folder / "ten.dat", 4);
         (void)file.read_at_most(100);
       },
       ten + ": cannot read: the file ended after 4 of its 10 bytes"},
  };
#ifndef _WIN32
  // A FIFO no one writes to: opening it to read, or reading it, would wait
  // for ever.
  ASSERT_EQ(::mkfifo((folder / "fifo.dat").c_str(), 0600), 0);
  cases.push_back({"FIFO", [&] { RegularFile file(folder / "fifo.dat"); },
                   (folder / "fifo.dat").string() + ": cannot read: is not a regular file"});
  cases.push_back({"device", [] { RegularFile file("/dev/zero"); },
                   "/dev/zero: cannot read: is not a regular file"});
#endif
  for (const Case& c : cases) {
    try {
      c.read();
      ADD_FAILURE() << c.name << ": read";
    } catch (const IoFailure& failure) {
      EXPECT_EQ(std::string(failure.what()), c.message) << c.name;
    }
  }
}

}  // namespace
}  // namespace tracciato
