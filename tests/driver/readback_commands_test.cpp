// inspect and diff, run as an author would, on files from anywhere.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <functional>
#include <string>
#include <vector>

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

// Each file is checked before it is read: a FIFO or a device could block a
// read for ever or never end, and a file larger than the route length in the
// scenario file allows is refused by its size alone.
TEST(InspectCommand, OnlyRegularFilesOfTheSizesTheScenarioFileStatesAreRead) {
  TempFolder folder;
  compile_into(folder);
  const std::string sim = read_bytes(folder / "S_1.sim");
  const std::string dat = read_bytes(folder / "S_1.dat");
  struct Case {
    const char* name;
    std::function<void(const TempFolder&)> spoil;
    std::string message;
  };
  std::vector<Case> cases = {
      {"folder as the scenario file",
       [](const TempFolder& f) {
         std::filesystem::remove(f / "S_1.sim");
         std::filesystem::create_directory(f / "S_1.sim");
       },
       "./S_1.sim: cannot read: Is a directory"},
      {"sparse 1 GB line file",
       [](const TempFolder& f) { std::filesystem::resize_file(f / "S_linea.dat", 1 << 30); },
       "./S_linea.dat: byte 0: the route length in the scenario file, 1000 m, makes 8001 plan "
       "rows, which take at most 160020 bytes, but the line file has 1073741824 bytes"},
      {"sparse 1 GB scenario file, read no further than 87 records can go",
       [](const TempFolder& f) { std::filesystem::resize_file(f / "S_1.sim", 1 << 30); },
       "./S_1.sim: byte " + std::to_string(sim.size()) + ": " +
           std::to_string((1 << 30) - sim.size()) + " bytes follow the 87 slot records"},
  };
#ifndef _WIN32
  const auto fifo_at = [](const std::filesystem::path& path) {
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  };
  cases.push_back({"FIFO as the track file", [&](const TempFolder& f) { fifo_at(f / "S_1.dat"); },
                   "./S_1.dat: cannot read: is not a regular file"});
  cases.push_back({"FIFO as the line file",
                   [&](const TempFolder& f) { fifo_at(f / "S_linea.dat"); },
                   "./S_linea.dat: cannot read: is not a regular file"});
  // The line file is not reached.
  cases.push_back({"track of another route before a FIFO as the line file",
                   [&](const TempFolder& f) {
                     write_bytes(f / "S_1.dat", dat.substr(0, 15 * 100));
                     fifo_at(f / "S_linea.dat");
                   },
                   "./S_1.dat: byte 0: the route length in the scenario file, 1000 m, makes 161 "
                   "cells, but the track file holds 100"});
#endif
  for (const Case& c : cases) {
    TempFolder copy;
    for (const char* name : {"S_1.sim", "S_1.dat", "S_linea.dat"}) {
      write_bytes(copy / name, read_bytes(folder / name));
    }
    c.spoil(copy);
    const Outcome run = tracciato(copy, "inspect --scenario S --train-number 1");
    EXPECT_EQ(run.status, 3) << c.name;
    EXPECT_EQ(run.errors, "tracciato: " + c.message + "\n") << c.name;
    EXPECT_EQ(run.output, "") << c.name;
  }
#ifndef _WIN32
  // A file told apart by its bytes is checked the same way.
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  const Outcome unnamed = tracciato(folder, "inspect S_1.sim S_1.dat pipe");
  EXPECT_EQ(unnamed.status, 3);
  EXPECT_EQ(unnamed.errors, "tracciato: pipe: cannot read: is not a regular file\n");
  const Outcome device = tracciato(folder, "diff S_1.sim S_1.dat S_1.sim /dev/zero");
  EXPECT_EQ(device.status, 3);
  EXPECT_EQ(device.errors, "tracciato: /dev/zero: cannot read: is not a regular file\n");
#endif
}

// A station name or a signboard text holds what its author wrote, control
// characters too: the text views show each as U+FFFD, so that a shared file
// cannot retitle or clear the terminal or print one word over another;
// JSON escapes them.
TEST(ReadbackCommands, ControlCharactersOfANameNeverReachTheTerminal) {
  TempFolder before;
  compile_into(before);
  TempFolder folder;
  write_bytes(folder / "l.txt", line);
  write_bytes(folder / "t.txt",
              "[generale]\nvelocita, 0, 100\nsegnale, 600, 1, 4,0,0, 0, 0, 0,0,0, 0\n"
              "stazione, 3000, 5, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 30, 0, "
              "Orv\x1B]0;x\x07"
              "ena\b\b\bALTA\n[fine]\n");
  ASSERT_EQ(
      tracciato(folder, "compile --line l.txt --train t.txt --scenario S --train-number 1").status,
      0);
  const std::string shown =
      "Orv\xEF\xBF\xBD]0;x\xEF\xBF\xBD"
      "ena\xEF\xBF\xBD\xEF\xBF\xBD"
      "\xEF\xBF\xBD"
      "ALTA";
  const Outcome inspected =
      tracciato(folder, "inspect --scenario S --train-number 1 --what stations");
  EXPECT_EQ(inspected.output, "Stations\n  slot 1  " + shown +
                                  "  kind 5  at 3000 m (km 3+000)  area 2800 to 3150 m  stop "
                                  "cell 62  08:30:00\n");
  const Outcome as_json =
      tracciato(folder, "inspect --scenario S --train-number 1 --what stations --format json");
  EXPECT_NE(as_json.output.find(R"("name": "Orv\u001b]0;x\u0007ena\u0008\u0008\u0008ALTA")"),
            std::string::npos)
      << as_json.output;
  const std::string diff = "diff " + before.path().string() + " . --scenario S --train-number 1";
  const Outcome compared = tracciato(folder, diff);
  EXPECT_EQ(compared.status, 1);
  EXPECT_EQ(compared.output, "station " + shown + " added at 3000 m\n1 difference\n");
  const Outcome compared_json = tracciato(folder, diff + " --format json");
  EXPECT_NE(compared_json.output.find(
                R"("message": "station Orv\u001b]0;x\u0007ena\u0008\u0008\u0008ALTA added)"),
            std::string::npos)
      << compared_json.output;
}

}  // namespace
}  // namespace tracciato
