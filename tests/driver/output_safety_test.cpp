// What a command that writes does to the files around it, whatever
// happens: it never loses an author's file, never leaves a set of files
// that no compile made, and never reports a failure as success.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <map>

#include "driver/commands.h"
#include "platform/commit_journal.h"
#include "platform/output_transaction.h"

#include "support/ended_at_step.h"
#include "support/run_tracciato.h"
#include "support/small_disk.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;
using testing::Outcome;
using testing::read_bytes;
using testing::SmallDisk;
using testing::TempFolder;
using testing::tracciato;
using testing::write_bytes;

using FileSet = std::map<std::string, std::string>;

// Two routes whose compiled files all differ.
const std::string line_a = "[generale]\nlunghezza percorso, 0\n[fine]\n";
const std::string train_a = "[generale]\nvelocita, 0, 100\n[fine]\n";
const std::string line_b = "[generale]\nlunghezza percorso, 50\n[fine]\n";
const std::string train_b = "[generale]\nnumero vetture, 3\nvelocita, 0, 100\n[fine]\n";
const std::string compile_a =
    "compile --line a/l.txt --train a/t.txt --scenario S --train-number 7";
const std::string compile_b =
    "compile --line b/l.txt --train b/t.txt --scenario S --train-number 7";

void write_routes(const TempFolder& folder) {
  fs::create_directory(folder / "a");
  fs::create_directory(folder / "b");
  write_bytes(folder / "a/l.txt", line_a);
  write_bytes(folder / "a/t.txt", train_a);
  write_bytes(folder / "b/l.txt", line_b);
  write_bytes(folder / "b/t.txt", train_b);
}

// The files of a folder, but for the routes' texts and a disk's filler.
FileSet files_in(const TempFolder& folder) {
  FileSet files;
  for (const std::string& name : folder.names()) {
    if (name == "a" || name == "b" || name == ".filler") continue;
    files[name] = fs::is_directory(folder / name) ? "(folder)" : read_bytes(folder / name);
  }
  return files;
}

// The set each route compiles to, made once in a folder of its own.
FileSet compiled(const std::string& arguments) {
  TempFolder folder;
  write_routes(folder);
  EXPECT_EQ(tracciato(folder, arguments + " -w").status, 0);
  return files_in(folder);
}

TEST(OutputSafety, NoOutputMayNameAnInputOrAnotherOutput) {
  TempFolder folder;
  write_routes(folder);
  ASSERT_EQ(tracciato(folder, compile_a + " -w").status, 0);
  ASSERT_EQ(tracciato(folder, "build --out .").status, 0);
  fs::create_symlink("a/t.txt", folder / "link.json");
  const FileSet before = files_in(folder);
  struct Case {
    std::string arguments;
    std::string message;
  };
  const Case cases[] = {
      {compile_a + " --report a/t.txt", "a/t.txt: would be overwritten by the report"},
      {compile_a + " --report link.json", "a/t.txt: would be overwritten by the report"},
      {compile_a + " --report S_7.sim",
       "S_7.sim: the compiled S_7.sim and the report would both be written here"},
      {"build --out . --report Lindra_Kestova_31407_scheda_treno.txt",
       "Lindra_Kestova_31407_scheda_treno.txt: the train card and the report would both be "
       "written here"},
  };
  for (const Case& c : cases) {
    const Outcome run = tracciato(folder, c.arguments);
    EXPECT_EQ(run.status, 3) << c.arguments;
    EXPECT_EQ(run.errors, "tracciato: " + c.message + "\n") << c.arguments;
    EXPECT_EQ(files_in(folder), before) << c.arguments;
    EXPECT_EQ(read_bytes(folder / "a/t.txt"), train_a);
  }
}

TEST(OutputSafety, NamesBesideTheTargetsAreNeverTouched) {
  TempFolder folder;
  write_routes(folder);
  TempFolder elsewhere;
  write_bytes(elsewhere / "precious", "precious");
  // The names the temporaries of older versions took.
  write_bytes(folder / "S_7.sim.partial", train_a);
  fs::create_symlink(elsewhere / "precious", folder / "S_7.dat.partial");
  const std::string report = std::string(250, 'r');
  const Outcome run = tracciato(folder,
                                "compile --line a/l.txt --train S_7.sim.partial --scenario S "
                                "--train-number 7 -w --report " +
                                    report);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(read_bytes(folder / "S_7.sim.partial"), train_a);
  EXPECT_EQ(read_bytes(elsewhere / "precious"), "precious");
  EXPECT_NE(read_bytes(folder / report).find("\"error_code\": 0"), std::string::npos);
}

TEST(OutputSafety, AFolderInThePlaceOfTheLastFileLeavesTheOldSet) {
  TempFolder folder;
  write_routes(folder);
  ASSERT_EQ(tracciato(folder, compile_a + " -w --no-line-file").status, 0);
  fs::create_directory(folder / "S_linea.dat");
  const FileSet before = files_in(folder);
  // The line file comes first; a folder there stops the set before any
  // file is replaced.
  const Outcome run = tracciato(folder, compile_b + " -w");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.errors,
            "Attendere\ntracciato: ./S_linea.dat: cannot write: a folder stands in "
            "its place\n");
  EXPECT_EQ(files_in(folder), before);
}

TEST(OutputSafety, AFullDiskLeavesTheOldSetWholeAtEveryFile) {
  SmallDisk disk("size=1m");
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
  const TempFolder& folder = disk.folder();
  const TempFolder logs;
  write_routes(folder);
  const FileSet set_a = compiled(compile_a);
  const FileSet set_b = compiled(compile_b);
  std::set<std::string> failed_at;
  for (std::uintmax_t pages = 0; pages < 48; ++pages) {
    fs::remove(folder / ".filler");
    ASSERT_EQ(tracciato(folder, compile_a + " -w").status, 0);
    disk.leave_free(pages);
    const Outcome run = tracciato(folder, compile_b + " -w", &logs);
    const FileSet after = files_in(folder);
    if (run.status == 0) {
      EXPECT_EQ(after, set_b) << pages;
      continue;
    }
    EXPECT_EQ(run.status, 3) << pages;
    EXPECT_EQ(after, set_a) << pages << " pages free: " << run.errors;
    const std::size_t end = run.errors.find(": cannot write: No space left on device\n");
    ASSERT_NE(end, std::string::npos) << pages << ": " << run.errors;
    const std::size_t start = run.errors.rfind(' ', end) + 1;
    failed_at.insert(run.errors.substr(start, end - start));
  }
  EXPECT_TRUE(failed_at.contains("./S_7.sim")) << "never full at the second file";
  EXPECT_TRUE(failed_at.contains("./S_7.dat")) << "never full at the third file";
}

TEST(OutputSafety, TheBuildAndExportOnAFullDiskLeaveNothingOfTheirOwn) {
  SmallDisk disk("size=2m");
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
  const TempFolder& folder = disk.folder();
  const TempFolder logs;
  disk.leave_free(100);
  const Outcome build = tracciato(folder, "build --out .", &logs);
  EXPECT_EQ(build.status, 3);
  EXPECT_EQ(build.errors,
            "Attendere\ntracciato: ./Lindra_Kestova_linea.dat: cannot write: No "
            "space left on device\n");
  EXPECT_EQ(files_in(folder), FileSet{});
  disk.leave_free(4);
  const Outcome export_run = tracciato(folder, "export", &logs);
  EXPECT_EQ(export_run.status, 3);
  EXPECT_EQ(files_in(folder), FileSet{});
  fs::remove(folder / ".filler");
  const Outcome retry = tracciato(folder, "export");
  EXPECT_EQ(retry.status, 0) << retry.errors;
}

TEST(OutputSafety, AReportThatCannotBeWrittenStopsTheWholeCompile) {
  SmallDisk read_only("ro");
  if (!read_only.mounted()) GTEST_SKIP() << "mounting a read-only tmpfs needs root";
  TempFolder folder;
  write_routes(folder);
  ASSERT_EQ(tracciato(folder, compile_a + " -w").status, 0);
  const FileSet before = files_in(folder);
  const std::string report = (read_only.folder() / "r.json").string();
  const Outcome run = tracciato(folder, compile_b + " -w --report " + report);
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.errors,
            "Attendere\ntracciato: " + report + ": cannot create: Read-only file system\n");
  EXPECT_EQ(files_in(folder), before);
}

TEST(OutputSafety, AFailureReplacesTheReportOfAnEarlierSuccess) {
  TempFolder folder;
  write_routes(folder);
  ASSERT_EQ(tracciato(folder, compile_a + " -w --report r.json").status, 0);
  const Outcome run =
      tracciato(folder,
                "compile --line a/l.txt --train missing.txt --scenario S --train-number 7 "
                "--report r.json");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(read_bytes(folder / "r.json"),
            "{\"error_code\": 0, \"error_position\": 0, \"stopped\": \"input/output\", "
            "\"files\": [], \"message\": \"missing.txt: no such file\", \"location\": null, "
            "\"notes\": []}\n");
}

TEST(OutputSafety, WithoutTheLineFileAnOlderOneIsNamed) {
  TempFolder folder;
  write_routes(folder);
  ASSERT_EQ(tracciato(folder, compile_a + " -w").status, 0);
  const Outcome run = tracciato(folder, compile_b + " -w --no-line-file");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors,
            "Attendere\nWritten to .: S_7.sim S_7.dat\ntracciato: ./S_linea.dat: not "
            "part of this compile; `inspect` will read it with the new files\n");
}

// A compile of route b in a child process that ends at one step of its
// output transaction.
int compile_in_child(const TempFolder& folder, const std::string& step, int signal_number) {
  return testing::ended_at_step(step, signal_number, [&] {
    (void)std::freopen("/dev/null", "w", stderr);
    CompileRequest request;
    request.line = folder / "b/l.txt";
    request.train = folder / "b/t.txt";
    request.scenario = "S";
    request.train_number = "7";
    request.out = folder.path();
    request.report = folder / "r.json";
    request.warnings = false;
    ::_exit(run_compile_command(request));
  });
}

TEST(OutputSafety, ACompileEndedAtAnyStepLeavesTheOldSetOrTheNewAndTheNextRunMendsIt) {
  TempFolder alone;
  write_routes(alone);
  ASSERT_EQ(tracciato(alone, compile_b + " -w --report r.json").status, 0);
  const FileSet set_b = files_in(alone);
  const std::vector<std::string> steps = {
      "locked",           "staging S_linea.dat",  "staging S_7.sim",
      "staging S_7.dat",  "staging r.json",       "staged",
      "journal",          "replaced S_linea.dat", "replaced S_7.sim",
      "replaced S_7.dat", "replaced r.json",      "committed"};
  for (const int signal_number : {0, SIGINT, SIGTERM, SIGHUP}) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
      TempFolder folder;
      write_routes(folder);
      ASSERT_EQ(tracciato(folder, compile_a + " -w --report r.json").status, 0);
      const FileSet set_a = files_in(folder);
      const int status = compile_in_child(folder, steps[i], signal_number);
      const std::string where = steps[i] + " with signal " + std::to_string(signal_number);
      if (signal_number == 0) {
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 42) << where;
      } else {
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << where;
      }
      const bool begun =
          steps[i] == "journal" || steps[i].starts_with("replaced") || steps[i] == "committed";
      const bool interrupted = folder.names().contains(journal_file_name);
      // A signal waits for the commit to end; only a kill leaves a journal.
      EXPECT_EQ(interrupted, signal_number == 0 && begun && steps[i] != "committed") << where;
      if (interrupted) {
        const Outcome refused = tracciato(folder, "inspect --scenario S --train-number 7");
        EXPECT_EQ(refused.status, 3) << where;
        EXPECT_NE(refused.errors.find(": a run was interrupted while it replaced S_linea.dat, "
                                      "S_7.sim, S_7.dat, r.json here"),
                  std::string::npos)
            << where << ": " << refused.errors;
      }
      // The next run into the folder completes or drops what was left.
      const Outcome next = tracciato(folder, "export");
      EXPECT_EQ(next.status, 0) << where << ": " << next.errors;
      if (interrupted) {
        EXPECT_EQ(next.errors.find("tracciato: .: completed the replacement of S_linea.dat, "
                                   "S_7.sim, S_7.dat, r.json that an interrupted run had begun\n"),
                  0u)
            << where << ": " << next.errors;
      }
      fs::remove(folder / "Lindra_Kestova_linea.txt");
      fs::remove(folder / "Lindra_Kestova_31407-.txt");
      EXPECT_EQ(files_in(folder), begun ? set_b : set_a) << where;
    }
  }
}

// Runs `commands` at once in the background, each `times` times over, and
// gives what each printed on standard error, with its exit status.
std::vector<std::string> run_together(const TempFolder& folder,
                                      const std::vector<std::string>& commands, int times) {
  std::string script = "cd '" + folder.path().string() + "' || exit 1; ";
  for (std::size_t i = 0; i < commands.size(); ++i) {
    script += "(for n in $(seq " + std::to_string(times) + "); do '" TRACCIATO_EXE "' " +
              commands[i] + " 2>&1; echo \"exit $?\"; done) > log" + std::to_string(i) + " & ";
  }
  script += "wait";
  EXPECT_EQ(std::system(script.c_str()), 0);
  std::vector<std::string> logs;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const fs::path log = folder / ("log" + std::to_string(i));
    logs.push_back(read_bytes(log));
    fs::remove(log);
  }
  return logs;
}

TEST(OutputSafety, TwoCompilesIntoOneFolderTakeTurns) {
  TempFolder folder;
  write_routes(folder);
  const FileSet set_a = compiled(compile_a);
  const FileSet set_b = compiled(compile_b);
  for (const std::string& log : run_together(folder, {compile_a + " -w", compile_b + " -w"}, 25)) {
    std::size_t clean = 0;
    for (std::size_t at = 0; (at = log.find("exit 0\n", at)) != std::string::npos; ++at) ++clean;
    EXPECT_EQ(clean, 25u) << log;
  }
  const FileSet after = files_in(folder);
  EXPECT_TRUE(after == set_a || after == set_b);
}

TEST(OutputSafety, TwoBuildsIntoOneFolderBothBuildTheWholeScenario) {
  TempFolder folder;
  TempFolder alone;
  ASSERT_EQ(tracciato(alone, "build --out .").status, 0);
  const FileSet expected = files_in(alone);
  for (const std::string& log : run_together(folder, {"build --out .", "build --out ."}, 10)) {
    EXPECT_EQ(log.find("exit 3"), std::string::npos) << log;
  }
  EXPECT_EQ(files_in(folder), expected);
}

TEST(OutputSafety, AnAnswerThatCannotBeWrittenIsAFailure) {
  TempFolder folder;
  write_routes(folder);
  ASSERT_EQ(tracciato(folder, "build --out .").status, 0);
  const std::string inspect = "inspect --scenario Lindra_Kestova --train-number 31407";
  for (const std::string& arguments : {inspect + " --format json", inspect + " --what summary",
                                       std::string("check --line a/l.txt --train a/t.txt")}) {
    const std::string command = "cd '" + folder.path().string() + "' && '" TRACCIATO_EXE "' " +
                                arguments + " >/dev/full 2>err.log";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 3) << arguments;
    EXPECT_EQ(read_bytes(folder / "err.log"),
              "tracciato: cannot write the standard output: No space left on device\n")
        << arguments;
  }
}

// The sanitizers reserve more address space than the limit allows.
#if defined(__SANITIZE_ADDRESS__)
#define TRACCIATO_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TRACCIATO_SANITIZED 1
#endif
#endif

TEST(OutputSafety, RunningOutOfMemorySaysWhatRanOut) {
#ifdef TRACCIATO_SANITIZED
  GTEST_SKIP() << "a limit of address space cannot hold a sanitized program";
#endif
  TempFolder folder;
  // A route of 1,000 km needs a plan of 16 MB.
  write_bytes(folder / "l.txt", "[generale]\nlunghezza percorso, 1000000\n[fine]\n");
  write_bytes(folder / "t.txt", train_a);
  const Outcome run =
      tracciato(folder, "compile --line l.txt --train t.txt --scenario S --train-number 7 -w",
                nullptr, "ulimit -v 12000; ");
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.errors, "Attendere\ntracciato: not enough memory to compile the descriptions\n");
  EXPECT_EQ(folder.names(), (std::set<std::string>{"l.txt", "t.txt"}));
}

}  // namespace
}  // namespace tracciato
