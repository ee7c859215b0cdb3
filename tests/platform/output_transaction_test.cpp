#include "platform/output_transaction.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <map>

#include "platform/commit_journal.h"
#include "platform/io_failure.h"
#include "support/ended_at_step.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::TempFolder;
using testing::write_bytes;

using FileSet = std::map<std::string, std::string>;

FileSet contents(const TempFolder& folder) {
  FileSet files;
  for (const std::string& name : folder.names()) files[name] = read_bytes(folder / name);
  return files;
}

std::vector<std::string> notices;
void heard(const std::string& text) {
  notices.push_back(text);
}

// Stages `files` into `folder` and commits them.
void commit_set(const TempFolder& folder, const FileSet& files) {
  OutputTransaction output({folder.path()}, heard);
  for (const auto& [name, bytes] : files) output.stage(folder / name).write(bytes);
  output.commit();
}

const FileSet old_set = {
    {"S_1.dat", "old track"}, {"S_1.sim", "old scenario"}, {"S_linea.dat", "old line"}};
const FileSet new_set = {
    {"S_1.dat", "new track, longer"}, {"S_1.sim", "new scenario"}, {"S_linea.dat", "new line"}};

TEST(OutputTransaction, NothingChangesBeforeTheCommitAndNothingStagedStaysAfterIt) {
  TempFolder folder;
  commit_set(folder, old_set);
  {
    OutputTransaction output({folder.path()}, heard);
    for (const auto& [name, bytes] : new_set) output.stage(folder / name).write(bytes);
    const std::set<std::string> names = folder.names();
    EXPECT_EQ(names.size(), 6u);
    for (const std::string& name : names) {
      EXPECT_TRUE(old_set.contains(name) || is_staged_file_name(name)) << name;
    }
    for (const auto& [name, bytes] : old_set) EXPECT_EQ(read_bytes(folder / name), bytes);
    output.commit();
  }
  EXPECT_EQ(contents(folder), new_set);
}

TEST(OutputTransaction, ATransactionDroppedBeforeItsCommitLeavesTheOldSetWhole) {
  TempFolder folder;
  commit_set(folder, old_set);
  {
    OutputTransaction output({folder.path()}, heard);
    output.stage(folder / "S_1.dat").write("half");
    (void)output.scratch(folder / "S_linea.txt", "a text of the run's own");
  }
  EXPECT_EQ(contents(folder), old_set);
}

// Files an author keeps under the names an older temporary took, or a link
// planted there, are no business of the transaction.
TEST(OutputTransaction, FilesAndLinksBesideTheTargetAreNeverOpened) {
  TempFolder folder;
  TempFolder elsewhere;
  write_bytes(elsewhere / "precious.txt", "precious");
  write_bytes(folder / "S_1.sim.partial", "an author's file");
  fs::create_symlink(elsewhere / "precious.txt", folder / "S_1.dat.partial");
  commit_set(folder, new_set);
  EXPECT_EQ(read_bytes(folder / "S_1.sim.partial"), "an author's file");
  EXPECT_EQ(read_bytes(elsewhere / "precious.txt"), "precious");
  EXPECT_EQ(folder.names().size(), 5u);
}

TEST(OutputTransaction, ATargetNamedAsLongAsTheFolderAllowsIsWritten) {
  TempFolder folder;
  const std::string name = std::string(251, 'x') + ".sim";
  commit_set(folder, {{name, "bytes"}});
  EXPECT_EQ(read_bytes(folder / name), "bytes");
}

TEST(OutputTransaction, AReplacedFileKeepsItsMode) {
  TempFolder folder;
  write_bytes(folder / "S_1.sim", "old");
  ASSERT_EQ(::chmod((folder / "S_1.sim").c_str(), 0600), 0);
  commit_set(folder, {{"S_1.sim", "new"}});
  struct stat after {};
  ASSERT_EQ(::stat((folder / "S_1.sim").c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0600u);
}

TEST(OutputTransaction, AFolderInThePlaceOfTheLastFileStopsTheCommitBeforeAnyRename) {
  TempFolder folder;
  commit_set(folder, {{"S_1.dat", "old track"}, {"S_1.sim", "old scenario"}});
  fs::create_directory(folder / "S_linea.dat");
  try {
    commit_set(folder, new_set);
    FAIL() << "no failure";
  } catch (const IoFailure& failure) {
    EXPECT_EQ(std::string(failure.what()),
              (folder / "S_linea.dat").string() + ": cannot write: a folder stands in its place");
  }
  EXPECT_EQ(folder.names(), (std::set<std::string>{"S_1.dat", "S_1.sim", "S_linea.dat"}));
  EXPECT_EQ(read_bytes(folder / "S_1.dat"), "old track");
}

// What an interrupted run leaves, made by hand: two staged files, one
// already renamed, and the journal naming both.
TEST(OutputTransaction, TheNextTransactionCompletesAnInterruptedCommitAndSaysSo) {
  TempFolder folder;
  commit_set(folder, old_set);
  const std::string first = ".tracciato-00000000000000aa.tmp";
  const std::string second = ".tracciato-00000000000000bb.tmp";
  write_bytes(folder / second, "new scenario");
  write_bytes(folder / "S_1.dat", "new track, longer");  // the first was renamed
  write_bytes(folder / journal_file_name, "tracciato journal 1\nreplace " + first +
                                              " S_1.dat\nreplace " + second + " S_1.sim\nend\n");
  write_bytes(folder / ".tracciato-00000000000000cc.tmp", "abandoned");
  const std::string message = folder.path().string() +
                              ": a run was interrupted while it replaced S_1.dat, S_1.sim here, "
                              "so these files may come from two different runs; the next "
                              "compile, build or export into " +
                              folder.path().string() + " completes the replacement first";
  EXPECT_EQ(interrupted_commit({folder / "S_1.sim", folder / "S_1.dat"}), message);
  EXPECT_EQ(interrupted_commit({folder / "T_2.sim", folder / "T_2.dat"}), std::nullopt);

  notices.clear();
  { const OutputTransaction output({folder.path()}, heard); }
  EXPECT_EQ(
      notices,
      (std::vector<std::string>{
          folder.path().string() + ": completed the replacement of S_1.dat, S_1.sim that an "
                                   "interrupted run had begun",
          folder.path().string() + ": removed 1 file that an interrupted run had begun to write"}));
  EXPECT_EQ(contents(folder), (FileSet{{"S_1.dat", "new track, longer"},
                                       {"S_1.sim", "new scenario"},
                                       {"S_linea.dat", "old line"}}));
  EXPECT_EQ(interrupted_commit({folder / "S_1.sim"}), std::nullopt);
}

TEST(OutputTransaction, AJournalNotWrittenWholeIsRefusedAndLeftInPlace) {
  TempFolder folder;
  for (const std::string& text :
       {std::string("tracciato journal 1\nreplace .tracciato-00000000000000aa.tmp S_1.dat\n"),
        std::string("tracciato journal 1\nreplace ../../etc/passwd S_1.dat\nend\n"),
        std::string("tracciato journal 1\nreplace .tracciato-00000000000000aa.tmp ../x\nend\n")}) {
    write_bytes(folder / journal_file_name, text);
    try {
      const OutputTransaction output({folder.path()}, heard);
      FAIL() << "no failure: " << text;
    } catch (const IoFailure& failure) {
      EXPECT_EQ(std::string(failure.what()),
                (folder / journal_file_name).string() +
                    ": cannot complete an interrupted commit: not a journal this program wrote "
                    "whole; look at the files it names, then remove it");
    }
    EXPECT_EQ(read_bytes(folder / journal_file_name), text);
  }
}

// A child process runs a commit of the new set over the old one and ends
// at one step of the transaction.
int commit_in_child(const TempFolder& folder, const std::string& step, int signal_number) {
  return testing::ended_at_step(step, signal_number, [&] { commit_set(folder, new_set); });
}

const std::vector<std::string> steps = {
    "locked",  "staging S_1.dat",  "staging S_1.sim",  "staging S_linea.dat",  "staged",
    "journal", "replaced S_1.dat", "replaced S_1.sim", "replaced S_linea.dat", "committed"};

TEST(OutputTransaction, AKilledCommitLeavesTheOldSetOrAJournalAndTheNextRunMendsIt) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    TempFolder folder;
    commit_set(folder, old_set);
    const int status = commit_in_child(folder, steps[i], 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 42) << steps[i];
    const bool begun = i >= 5;  // from the journal on
    const bool mixed = folder.names().contains(journal_file_name);
    EXPECT_EQ(mixed, begun && steps[i] != "committed") << steps[i];
    if (!mixed) {
      FileSet seen;
      for (const auto& [name, bytes] : contents(folder)) {
        if (!is_staged_file_name(name)) seen[name] = bytes;
      }
      EXPECT_EQ(seen, begun ? new_set : old_set) << steps[i];
    }
    { const OutputTransaction mend({folder.path()}, heard); }
    EXPECT_EQ(contents(folder), begun ? new_set : old_set) << steps[i];
  }
}

TEST(OutputTransaction, ASignalBeforeTheJournalDropsTheStagedFilesAndOneAfterItWaits) {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
      TempFolder folder;
      commit_set(folder, old_set);
      const int status = commit_in_child(folder, steps[i], signal_number);
      ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << steps[i];
      // The journal is the point of no return: before it the old set stays,
      // from it the commit runs to its end before the signal takes effect.
      EXPECT_EQ(contents(folder), i >= 5 ? new_set : old_set)
          << steps[i] << " with signal " << signal_number;
    }
  }
}

TEST(OutputTransaction, TwoRunsIntoOneFolderTakeTurns) {
  TempFolder folder;
  const FileSet other = {
      {"S_1.dat", "other track"}, {"S_1.sim", "other scenario"}, {"S_linea.dat", "other line"}};
  std::vector<pid_t> children;
  for (int i = 0; i < 8; ++i) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (int round = 0; round < 20; ++round) commit_set(folder, i % 2 == 0 ? new_set : other);
      ::_exit(0);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  const FileSet seen = contents(folder);
  EXPECT_TRUE(seen == new_set || seen == other);
}

}  // namespace
}  // namespace tracciato
