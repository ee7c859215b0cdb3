// render, run as an author would: which files it reads and writes, and
// what it refuses.
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

void compile_into(const TempFolder& folder) {
  write_bytes(folder / "l.txt",
              "[generale]\nlunghezza percorso, 3000\n[curve]\ncurvas6, 100, 300\n"
              "cartello_indicatore, 900, (PONTE)\n[fine]\n");
  write_bytes(folder / "t.txt",
              "[generale]\nvelocita, 0, 80\nsegnale, 1600, 1, 4,0,0, 0, 0, 0,0,0, 0\n"
              "segnale, 2400, 1, 4,0,0, 0, 0, 0,0,0, 0\n[fine]\n");
  ASSERT_EQ(
      tracciato(folder, "compile --line l.txt --train t.txt --scenario S --train-number 1").status,
      0);
}

std::size_t count(const std::string& page, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = page.find(what); at != std::string::npos; at = page.find(what, at + 1)) {
    ++n;
  }
  return n;
}

TEST(RenderCommand, WritesThePageBesideTheFilesOrWhereAsked) {
  TempFolder folder;
  compile_into(folder);
  const Outcome run = tracciato(folder, "render --scenario S --train-number 1");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors + run.output, "");
  const std::string page = read_bytes(folder / "S_1.html");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n")) << page.substr(0, 40);
  EXPECT_EQ(count(page, "data-kind=\"signal\" data-cell="), 2U);

  std::filesystem::create_directory(folder / "pages");
  std::filesystem::create_directory(folder / "in");
  for (const char* name : {"S_1.sim", "S_1.dat", "S_linea.dat"}) {
    std::filesystem::rename(folder / name, folder / "in" / name);
  }
  const Outcome elsewhere = tracciato(
      folder, "render --in in --scenario S --train-number 1 -o pages/p.html --from 1000 --to 2000");
  EXPECT_EQ(elsewhere.status, 0) << elsewhere.errors;
  const std::string part = read_bytes(folder / "pages" / "p.html");
  EXPECT_EQ(count(part, "data-kind=\"signal\" data-cell=\"33\""), 1U);
  EXPECT_EQ(count(part, "data-kind=\"signal\" data-cell="), 1U);
  EXPECT_EQ(count(part, "data-kind=\"signboard\" data-cell="), 0U);
  EXPECT_FALSE(std::filesystem::exists(folder / "in" / "S_1.html"));
}

TEST(RenderCommand, RefusesWhatItCannotReadOrWrite) {
  TempFolder folder;
  compile_into(folder);
  const std::string dat = read_bytes(folder / "S_1.dat");
  write_bytes(folder / "T_1.sim", read_bytes(folder / "S_1.sim"));
  write_bytes(folder / "T_1.dat", dat.substr(0, 16));
  const std::pair<const char*, const char*> refused[] = {
      {"render --scenario X --train-number 1",
       "tracciato: ./X_1.sim: cannot open: No such file or directory\n"},
      {"render --scenario T --train-number 1",
       "tracciato: ./T_1.dat: byte 15: a track file is whole 15-byte cells, but this one has 16 "
       "bytes\n"},
      {"render --train-number 1", "tracciato: render: --scenario is required\n"},
      {"render --scenario S", "tracciato: render: --train-number is required\n"},
      {"render --scenario S --train-number 1 --from 2000 --to 1000",
       "tracciato: --from 2000 must lie before --to 1000\n"},
      {"render --scenario S --train-number 1 --from 500 --to 500",
       "tracciato: --from 500 must lie before --to 500\n"},
      {"render --scenario S --train-number 1 --from 1km",
       "tracciato: --from takes whole route metres, found \"1km\"\n"},
      {"render --scenario S --train-number 1 --to 1.5",
       "tracciato: --to takes whole route metres, found \"1.5\"\n"},
      {"render --scenario S --train-number 1 --to 20000",
       "tracciato: --to 20000 lies beyond the end of the track, 10000 m\n"},
      {"render --scenario S --train-number 1 -o missing/p.html",
       "tracciato: missing/p.html: its folder missing does not exist\n"},
      {"render --scenario S --train-number 1 -o .", "tracciato: .: is a folder, not a file\n"},
      {"--out x render --scenario S --train-number 1",
       "tracciato: --out does not apply to render\n"},
      {"render --scenario S --train-number 1 -o S_1.sim",
       "tracciato: S_1.sim: is one of the compiled files the page is drawn from\n"},
      {"render --scenario S --train-number 1 -o ./S_linea.dat",
       "tracciato: ./S_linea.dat: is one of the compiled files the page is drawn from\n"},
  };
  for (const auto& [arguments, message] : refused) {
    const Outcome run = tracciato(folder, arguments);
    EXPECT_EQ(run.status, 3) << arguments;
    EXPECT_EQ(run.errors, message) << arguments;
    EXPECT_EQ(run.output, "") << arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "S_1.html"));
  EXPECT_EQ(read_bytes(folder / "S_1.dat"), dat);  // an input is never overwritten
  EXPECT_FALSE(std::filesystem::exists(folder / "T_1.html"));
  EXPECT_FALSE(std::filesystem::exists(folder / "X_1.html"));
}

}  // namespace
}  // namespace tracciato
