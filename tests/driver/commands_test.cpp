// Runs the tracciato executable as a route author would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "compile/memorizza_percorso.h"
#include "describe/description_texts.h"
#include "support/run_tracciato.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::Outcome;
using testing::read_bytes;
using testing::TempFolder;
using testing::tracciato;
using testing::write_bytes;

const std::set<std::string> compiled = {"Lindra_Kestova_linea.dat", "Lindra_Kestova_31407.sim",
                                        "Lindra_Kestova_31407.dat"};

std::string compile_args(const std::string& line, const std::string& train) {
  return "compile --line " + line + " --train " + train + " --scenario S --train-number 7";
}

const std::string clean_line = "[generale]\nlunghezza percorso, 0\n[fine]\n";
const std::string clean_train = "[generale]\nvelocita, 0, 100\n[fine]\n";

TEST(Commands, TheBuiltInBuildLeavesTheCompiledFilesAndNoDescriptionText) {
  TempFolder folder;
  const Outcome run = tracciato(folder, "--out .");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors,
            "Attendere\n"
            "Written to .: Lindra_Kestova_31407_note.txt Lindra_Kestova_31407_rallentamenti.txt "
            "Lindra_Kestova_31407_scheda_treno.txt Lindra_Kestova_linea.dat "
            "Lindra_Kestova_31407.sim Lindra_Kestova_31407.dat\n");
  for (const std::string& name : folder.names()) {
    EXPECT_TRUE(compiled.count(name) != 0 || name.find("_31407_") != std::string::npos) << name;
  }
  for (const std::string& name : compiled) EXPECT_TRUE(folder.names().count(name)) << name;
  EXPECT_EQ(read_bytes(folder / "Lindra_Kestova_linea.dat").size(), 1499964u);
  EXPECT_EQ(read_bytes(folder / "Lindra_Kestova_31407.dat").size(), 22515u);
}

TEST(Commands, WithNoArgumentsItBuildsIntoTheExecutablesFolder) {
  TempFolder home;
  TempFolder elsewhere;
  std::filesystem::copy_file(TRACCIATO_EXE, home / "tracciato");
  const std::string command = "cd '" + elsewhere.path().string() + "' && '" +
                              (home / "tracciato").string() + "' 2>/dev/null";
  const int raw = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
  EXPECT_EQ(home.names(), (std::set<std::string>{
                              "tracciato", "Lindra_Kestova_linea.dat", "Lindra_Kestova_31407.sim",
                              "Lindra_Kestova_31407.dat", "Lindra_Kestova_31407_note.txt",
                              "Lindra_Kestova_31407_rallentamenti.txt",
                              "Lindra_Kestova_31407_scheda_treno.txt"}));
  EXPECT_TRUE(elsewhere.names().empty());
}

TEST(Commands, ExportedDescriptionsCompileToTheBuiltInFiles) {
  TempFolder built;
  ASSERT_EQ(tracciato(built, "build --out .").status, 0);
  TempFolder author;
  ASSERT_EQ(tracciato(author, "export").status, 0);
  const std::string line = read_bytes(author / "Lindra_Kestova_linea.txt");
  const Outcome run =
      tracciato(author,
                "compile --line Lindra_Kestova_linea.txt --train "
                "Lindra_Kestova_31407-.txt --scenario Lindra_Kestova --train-number "
                "31407 --report report.json");
  EXPECT_EQ(run.status, 0) << run.errors;
  for (const std::string& name : compiled) {
    EXPECT_EQ(read_bytes(author / name), read_bytes(built / name)) << name;
  }
  // The author's own texts are never touched.
  EXPECT_EQ(read_bytes(author / "Lindra_Kestova_linea.txt"), line);
  EXPECT_TRUE(std::filesystem::exists(author / "Lindra_Kestova_31407-.txt"));
  EXPECT_EQ(
      read_bytes(author / "report.json"),
      "{\"error_code\": 0, \"error_position\": 0, \"stopped\": null, \"files\": "
      "[\"Lindra_Kestova_linea.dat\", \"Lindra_Kestova_31407.sim\", "
      "\"Lindra_Kestova_31407.dat\"], \"message\": null, \"location\": null, \"notes\": []}\n");
}

TEST(Commands, ARecordedFaultIsShownWhereItStandsAndExitsWith1) {
  TempFolder folder;
  write_bytes(folder / "l.txt", clean_line);
  write_bytes(folder / "t.txt",
              "[generale]\r\nstazione,\t4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n");
  const Outcome run = tracciato(folder, compile_args("l.txt", "t.txt") + " --report r.json");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors,
            "Attendere\n"
            "Nothing written to .: a fault was recorded (--force writes the compiled files "
            "anyway)\n"
            "t.txt:2:11: error 8: the station's position is not a multiple of 50 (at 4225 m)\n"
            "  stazione,\t4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
            "           \t^\n");
  EXPECT_EQ(read_bytes(folder / "r.json"),
            "{\"error_code\": 8, \"error_position\": 4225, \"stopped\": null, \"files\": [], "
            "\"message\": \"the station's position is not a multiple of 50 (at 4225 m)\", "
            "\"location\": {\"file\": \"t.txt\", \"line\": 2, \"column\": 11}, \"notes\": []}\n");
  EXPECT_EQ(folder.names(), (std::set<std::string>{"l.txt", "t.txt", "r.json"}));
}

TEST(Commands, StoppedBuildsWriteNoCompiledFileAndExitWith2) {
  struct Case {
    const char* name;
    std::string line;
    std::string train;
    const char* stopped;
    const char* message;
  };
  const Case cases[] = {
      {"board at position 0",
       "[generale]\nlunghezza percorso, 0\n[cartelli]\nindicatori_vmax, 0, 1,1,1,0, 1,1,1,0\n",
       clean_train, "1250", " Errore n. 1250\n"},
      {"signal with a second value at position 0", clean_line,
       "[generale]\nsegnale, 0, 1, 0,1,0, 0, 0, 0,0,0, 0\n", "1251", " Errore n. 1251\n"},
      {"no route length", "[generale]\n[fine]\n", clean_train, "no track",
       "l.txt: error 25: the line description gives no route length\n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    write_bytes(folder / "l.txt", c.line);
    write_bytes(folder / "t.txt", c.train);
    const Outcome run = tracciato(folder, compile_args("l.txt", "t.txt") + " --report r.json");
    EXPECT_EQ(run.status, 2) << c.name;
    EXPECT_NE(run.errors.find(c.message), std::string::npos) << c.name << ": " << run.errors;
    EXPECT_EQ(folder.names(), (std::set<std::string>{"l.txt", "t.txt", "r.json"})) << c.name;
    EXPECT_NE(read_bytes(folder / "r.json").find(std::string("\"stopped\": \"") + c.stopped + "\""),
              std::string::npos)
        << c.name;
  }
}

TEST(Commands, ARouteOfOneCellWithoutTheLineFileStopsWithNoTrackAndNoFault) {
  TempFolder folder;
  write_bytes(folder / "l.txt", "[generale]\nlunghezza percorso, -7025\n[fine]\n");
  write_bytes(folder / "t.txt", "[generale]\nnumero vetture, 4\n[fine]\n");
  const Outcome run =
      tracciato(folder, compile_args("l.txt", "t.txt") + " --no-line-file --report r.json");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors,
            "Attendere\ntracciato: no track to compile: the line description gave no cell 1\n");
  EXPECT_EQ(read_bytes(folder / "r.json"),
            "{\"error_code\": 0, \"error_position\": 0, \"stopped\": \"no track\", \"files\": [], "
            "\"message\": \"no track to compile: the line description gave no cell 1\", "
            "\"location\": null, \"notes\": []}\n");
  EXPECT_EQ(folder.names(), (std::set<std::string>{"l.txt", "t.txt", "r.json"}));
}

TEST(Commands, AStoppedBuildReportsTheRecordThatTookItsPlace) {
  TempFolder folder;
  write_bytes(folder / "l.txt", clean_line);
  write_bytes(folder / "t.txt", "[generale]\nsegnale, 0, 1, 0,1,0, 0, 0, 0,0,0, 0\n");
  const Outcome run = tracciato(folder, compile_args("l.txt", "t.txt") + " --report r.json");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors,
            "Attendere\n"
            " Errore n. 1251\n"
            "tracciato: error 1251: the place of the competition code is already taken: cell 1's "
            "second value or the scenario header's time is not zero\n"
            "t.txt:2:10: note: cell 1 holds a signal, laid by this record\n"
            "  segnale, 0, 1, 0,1,0, 0, 0, 0,0,0, 0\n"
            "           ^\n");
  EXPECT_EQ(read_bytes(folder / "r.json"),
            "{\"error_code\": 0, \"error_position\": 0, \"stopped\": \"1251\", \"files\": [], "
            "\"message\": \"the place of the competition code is already taken: cell 1's second "
            "value or the scenario header's time is not zero\", \"location\": null, \"notes\": "
            "[{\"message\": \"cell 1 holds a signal, laid by this record\", \"location\": "
            "{\"file\": \"t.txt\", \"line\": 2, \"column\": 10}}]}\n");
}

TEST(Commands, CheckExitsWith1OnAnErrorOrAWarningUnderWerror) {
  TempFolder folder;
  write_bytes(folder / "l.txt", clean_line);
  write_bytes(folder / "t.txt", clean_train);
  write_bytes(folder / "typo.txt", "[generale]\nvelocita, 0, 100\nsabia, 300\n");
  write_bytes(folder / "fault.txt", "[generale]\nvelocita, 74950, 100\n");
  const std::pair<std::string, int> cases[] = {
      {"check --line l.txt --train t.txt", 0},
      {"check --line l.txt --train typo.txt", 0},
      {"check --line l.txt --train typo.txt --Werror -Wno-missing-section", 1},
      {"check --line l.txt --train typo.txt --Werror -Wno-unknown-keyword -Wno-missing-section", 0},
      {"check --line l.txt --train fault.txt", 1},
      {"check --line l.txt --train typo.txt --Werror -Wno-unknown-keyword "
       "-Wno-missing-section -Wunknown-keyword",
       1},
      {"check --line l.txt --train t.txt -Wno-bogus", 3},
      {"check --line l.txt --train t.txt -Wbogus", 3},
      {"check --line l.txt --train missing.txt", 3},
  };
  for (const auto& [arguments, status] : cases) {
    EXPECT_EQ(tracciato(folder, arguments).status, status) << arguments;
  }
  EXPECT_EQ(folder.names(), (std::set<std::string>{"l.txt", "t.txt", "typo.txt", "fault.txt"}));
}

TEST(Commands, CompilePrintsTheWarningsOfCheckWhichChangeNothingElse) {
  TempFolder folder;
  write_bytes(folder / "l.txt", "[generale]\nlunghezza percorso, 68000\n[fine]\n");
  write_bytes(folder / "t.txt",
              "[generale]\nvelocita, 0, 100\nsegnale, 1625, 1, 4,0,0, 0, 0, "
              "0,0,0, 0\nstazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n");
  const Outcome loud = tracciato(folder, compile_args("l.txt", "t.txt"));
  EXPECT_EQ(loud.status, 0);
  EXPECT_EQ(loud.errors,
            "Attendere\n"
            "Written to .: S_linea.dat S_7.sim S_7.dat\n"
            "t.txt:3:10: warning: 1625 m is not a multiple of 50: the record is laid from cell "
            "34, which holds metres 1650 to 1700 [-Woff-grid]\n"
            "  segnale, 1625, 1, 4,0,0, 0, 0, 0,0,0, 0\n"
            "           ^\n");
  const std::string track = read_bytes(folder / "S_7.dat");
  const Outcome quiet = tracciato(folder, compile_args("l.txt", "t.txt") + " -w");
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.errors, "Attendere\nWritten to .: S_linea.dat S_7.sim S_7.dat\n");
  EXPECT_EQ(read_bytes(folder / "S_7.dat"), track);
}

// Only the line file holds curves, so without it a curve's values go unread
// by design; a value too many on another record is still left over.
TEST(Commands, WithoutTheLineFileACurvesValuesAreNotLeftOver) {
  TempFolder folder;
  write_bytes(folder / "l.txt",
              "[generale]\nlunghezza percorso, 1000\n[fine generale]\n"
              "curvad2, 100, 300\npendenza, 100, 5, 7\n[fine]\n");
  write_bytes(folder / "t.txt", clean_train);
  const Outcome run = tracciato(folder, compile_args("l.txt", "t.txt") + " --no-line-file");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors,
            "Attendere\n"
            "Written to .: S_7.sim S_7.dat\n"
            "l.txt:5:19: warning: \"7\" is left over after the record's values and is skipped: a "
            "decimal comma, or a value too many? [-Wextra-value]\n"
            "  pendenza, 100, 5, 7\n"
            "                    ^\n"
            "t.txt: warning: the train description lays no station [-Wmissing-section]\n"
            "t.txt: warning: the train description lays no signal [-Wmissing-section]\n");
}

TEST(Commands, AFaultyCompileKeepsTheLastGoodFilesAndForceWritesWhatTheCompileStepLeaves) {
  TempFolder folder;
  write_bytes(folder / "l.txt", clean_line);
  write_bytes(folder / "t.txt", clean_train);
  ASSERT_EQ(tracciato(folder, compile_args("l.txt", "t.txt")).status, 0);
  const std::set<std::string> names = {"S_linea.dat", "S_7.sim", "S_7.dat"};
  std::map<std::string, std::string> good;
  for (const std::string& name : names) good[name] = read_bytes(folder / name);
  write_bytes(folder / "bad.txt",
              "[generale]\nvelocita, 0, 100\nstazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, "
              "0,0,0, X\n");

  const Outcome faulty = tracciato(folder, compile_args("l.txt", "bad.txt"));
  EXPECT_EQ(faulty.status, 1);
  // Compared as booleans: a failure would otherwise print megabytes.
  for (const std::string& name : names)
    EXPECT_TRUE(read_bytes(folder / name) == good[name]) << name;

  const Outcome forced = tracciato(folder, compile_args("l.txt", "bad.txt") + " --force");
  EXPECT_EQ(forced.status, 1);
  TempFolder step;
  ScenarioModel model;
  model.scenario_name = "S";
  model.train_number = "7";
  testing::written_into(step.path(), [&](OutputTransaction& out) {
    return memorizza_percorso(model, 1, {folder / "l.txt", folder / "bad.txt", false}, step.path(),
                              out);
  });
  ASSERT_EQ(step.names(), names);
  for (const std::string& name : names) {
    EXPECT_TRUE(read_bytes(folder / name) == read_bytes(step / name)) << name;
  }
  EXPECT_FALSE(read_bytes(folder / "S_7.dat") == good["S_7.dat"]);  // cut off at the fault
}

TEST(Commands, InputsThatCannotBeReadFailBeforeAnythingIsWritten) {
  TempFolder folder;
  write_bytes(folder / "l.txt", clean_line);
  write_bytes(folder / "t.txt", clean_train);
  write_bytes(folder / "empty.txt", "");
  write_bytes(folder / "locked.txt", clean_train);
  std::filesystem::permissions(folder / "locked.txt", std::filesystem::perms::none);
  std::filesystem::create_directory(folder / "dir");
  const std::set<std::string> before = folder.names();
  struct Case {
    std::string arguments;
    std::string message;
  };
  std::vector<Case> cases;
  for (const char* command : {"compile", "check"}) {
    const std::string c = command;
    const std::string identity = c == "compile" ? " --scenario S --train-number 7" : "";
    cases.push_back({c + " --line nope.txt --train t.txt" + identity, "nope.txt: no such file"});
    cases.push_back({c + " --line l.txt --train dir" + identity, "dir: is a folder, not a file"});
    cases.push_back({c + " --line empty.txt --train t.txt" + identity, "empty.txt: is empty"});
    if (geteuid() != 0) {  // root reads any file
      cases.push_back({c + " --line l.txt --train locked.txt" + identity,
                       "locked.txt: cannot be read: Permission denied"});
    }
  }
  cases.push_back({compile_args("l.txt", "t.txt") + " --report nowhere/r.json",
                   "nowhere/r.json: its folder nowhere does not exist"});
  cases.push_back({"build --out . --report nowhere/r.json",
                   "nowhere/r.json: its folder nowhere does not exist"});
  for (const Case& c : cases) {
    const Outcome run = tracciato(folder, c.arguments);
    EXPECT_EQ(run.status, 3) << c.arguments;
    EXPECT_EQ(run.errors, "tracciato: " + c.message + "\n") << c.arguments;
    EXPECT_EQ(run.output, "") << c.arguments;
    EXPECT_EQ(folder.names(), before) << c.arguments;
  }
}

TEST(Commands, ExportNeverOverwritesUnlessForced) {
  TempFolder folder;
  write_bytes(folder / "Lindra_Kestova_31407-.txt", "edited by hand");
  const Outcome refused = tracciato(folder, "export");
  EXPECT_EQ(refused.status, 3);
  EXPECT_EQ(refused.errors,
            "tracciato: ./Lindra_Kestova_31407-.txt: already exists; --force overwrites it\n");
  EXPECT_EQ(folder.names(), (std::set<std::string>{"Lindra_Kestova_31407-.txt"}));
  EXPECT_EQ(read_bytes(folder / "Lindra_Kestova_31407-.txt"), "edited by hand");

  const Outcome forced = tracciato(folder, "export --force");
  EXPECT_EQ(forced.status, 0);
  EXPECT_EQ(forced.errors, "Written to .: Lindra_Kestova_linea.txt Lindra_Kestova_31407-.txt\n");
  EXPECT_EQ(read_bytes(folder / "Lindra_Kestova_31407-.txt"), builtin_train_bytes());
}

TEST(Commands, TheBuiltInBuildNeverDeletesAnAuthorsText) {
  TempFolder folder;
  ASSERT_EQ(tracciato(folder, "export").status, 0);
  // An identical text is the build's own leftover: replaced, then deleted.
  EXPECT_EQ(tracciato(folder, "build --out .").status, 0);
  EXPECT_FALSE(folder.names().contains("Lindra_Kestova_linea.txt"));

  TempFolder author;
  ASSERT_EQ(tracciato(author, "export").status, 0);
  write_bytes(author / "Lindra_Kestova_linea.txt", "[generale]\nlunghezza percorso, 9000\n");
  const std::set<std::string> before = author.names();
  const Outcome refused = tracciato(author, "build --out .");
  EXPECT_EQ(refused.status, 3);
  EXPECT_EQ(refused.errors,
            "tracciato: ./Lindra_Kestova_linea.txt: differs from the built-in description; the "
            "build writes its own text under this name and deletes it once read. Move the file "
            "elsewhere, or build into another folder with --out\n");
  EXPECT_EQ(author.names(), before);
  EXPECT_EQ(read_bytes(author / "Lindra_Kestova_linea.txt"),
            "[generale]\nlunghezza percorso, 9000\n");
}

TEST(Commands, UsageAndFileFailuresExitWith3NamingTheCulprit) {
  TempFolder folder;
  write_bytes(folder / "l.txt", clean_line);
  write_bytes(folder / "t.txt", clean_train);
  write_bytes(folder / "S_7.dat", clean_train);  // a description named like a compiled file
  struct Case {
    std::string arguments;
    const char* names;
  };
  const Case cases[] = {
      {"compile --line l.txt --train t.txt --scenario ../x --train-number 7", "\"../x\""},
      {"compile --line l.txt --train t.txt --scenario a/b --train-number 7", "path separator"},
      {"compile --line l.txt --train t.txt --scenario S --train-number ''", "is empty"},
      {"compile --line l.txt --train t.txt --train-number 7 --scenario " + std::string(201, 'x'),
       "longer than 200 bytes"},
      {"compile --line l.txt --train t.txt --scenario S --train-number 7 --out nowhere",
       "nowhere: not an existing folder"},
      {"build --out nowhere", "nowhere: not an existing folder"},
      {"compile --line l.txt --train S_7.dat --scenario S --train-number 7",
       "S_7.dat: would be overwritten by the compiled S_7.dat"},
      {"compile --line l.txt", "required"},
      {"frobnicate", "frobnicate"},
  };
  for (const Case& c : cases) {
    const Outcome run = tracciato(folder, c.arguments);
    EXPECT_EQ(run.status, 3) << c.arguments;
    EXPECT_NE(run.errors.find(c.names), std::string::npos) << c.arguments << ": " << run.errors;
  }
  std::filesystem::create_directory(folder / "S_7.sim");  // a folder where a file must go
  const Outcome blocked = tracciato(folder, compile_args("l.txt", "t.txt"));
  EXPECT_EQ(blocked.status, 3);
  EXPECT_NE(blocked.errors.find("S_7.sim: cannot write"), std::string::npos) << blocked.errors;
}

}  // namespace
}  // namespace tracciato
