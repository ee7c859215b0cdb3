// inspect and diff, run as an author would, on files from anywhere.
#include <gtest/gtest.h>

#include <string>

#include "support/run_tracciato.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::Outcome;
using testing::read_bytes;
using testing::TempFolder;
using testing::tracciato;
using testing::write_bytes;

const std::string line = "[generale]\nlunghezza percorso, 1000\n[fine]\n";
const std::string train =
    "[generale]\nvelocita, 0, 100\nsegnale, 600, 1, 4,0,0, 0, 0, 0,0,0, 0\n[fine]\n";

void compile_into(const TempFolder& folder) {
  write_bytes(folder / "l.txt", line);
  write_bytes(folder / "t.txt", train);
  ASSERT_EQ(
      tracciato(folder, "compile --line l.txt --train t.txt --scenario S --train-number 1").status,
      0);
}

TEST(InspectCommand, ReadsAFolderOrTheFilesInAnyOrder) {
  TempFolder folder;
  compile_into(folder);
  const Outcome by_folder =
      tracciato(folder, "inspect --scenario S --train-number 1 --what signals");
  EXPECT_EQ(by_folder.status, 0) << by_folder.errors;
  EXPECT_EQ(by_folder.output,
            "Signals\n"
            "  cell 13, 600 m (km 0+600)  left 1: 4/0/0  right 0: 0/0/0  rapp 0  timer 0  boards "
            "in cells 11 9 7 5\n");
  const Outcome by_files = tracciato(folder, "inspect S_1.dat S_linea.dat S_1.sim --what signals");
  EXPECT_EQ(by_files.output, by_folder.output);
  std::filesystem::rename(folder / "S_1.sim", folder / "first");
  std::filesystem::rename(folder / "S_1.dat", folder / "second");
  const Outcome unnamed = tracciato(folder, "inspect second first --what signals");
  EXPECT_EQ(unnamed.output, by_folder.output) << unnamed.errors;
}

TEST(InspectCommand, ACorruptOrMissingFileIsAnInputFailure) {
  TempFolder folder;
  compile_into(folder);
  const std::string sim = read_bytes(folder / "S_1.sim");
  const std::string dat = read_bytes(folder / "S_1.dat");
  struct Case {
    const char* name;
    const char* file;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"truncated scenario", "S_1.sim", sim.substr(0, 100),
       "./S_1.sim: byte 98: the file ends inside a slot's time"},
      {"track of 16 bytes", "S_1.dat", dat.substr(0, 16),
       "./S_1.dat: byte 15: a track file is whole 15-byte cells, but this one has 16 bytes"},
      {"track of another route", "S_1.dat", dat.substr(0, 15 * 100),
       "./S_1.dat: byte 0: the route length in the scenario file, 1000 m, makes 161 cells, but "
       "the track file holds 100"},
  };
  for (const Case& c : cases) {
    TempFolder copy;
    for (const char* name : {"S_1.sim", "S_1.dat", "S_linea.dat"}) {
      write_bytes(copy / name, read_bytes(folder / name));
    }
    write_bytes(copy / c.file, c.bytes);
    const Outcome run = tracciato(copy, "inspect --scenario S --train-number 1");
    EXPECT_EQ(run.status, 3) << c.name;
    EXPECT_EQ(run.errors, "tracciato: " + c.message + "\n") << c.name;
    EXPECT_EQ(run.output, "") << c.name;
  }
  const std::pair<const char*, const char*> refused[] = {
      {"inspect --scenario T --train-number 1",
       "tracciato: ./T_1.sim: cannot open: No such file or directory\n"},
      {"inspect --train-number 1", "tracciato: inspect: --scenario is required\n"},
      {"inspect --scenario S --train-number 1 --what everything",
       "tracciato: --what takes summary, stations, signals, slowdowns, boards, profiles, cells, "
       "slots or plan, not \"everything\"\n"},
      {"inspect --scenario S --train-number 1 --cells 5-9",
       "tracciato: --cells takes A:B, found \"5-9\"\n"},
      {"inspect S_1.sim", "tracciato: give the scenario file and the track file"},
      {"inspect S_1.sim l.txt", "tracciato: no track file (.dat) among the files\n"},
  };
  for (const auto& [arguments, message] : refused) {
    const Outcome run = tracciato(folder, arguments);
    EXPECT_EQ(run.status, 3) << arguments;
    EXPECT_TRUE(run.errors.starts_with(message)) << arguments << ": " << run.errors;
  }
}

}  // namespace
}  // namespace tracciato
