#include "platform/commit_journal.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/file_system.h"
#include "platform/io_failure.h"
#include "platform/staged_file.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view header = "tracciato journal 1";
constexpr std::string_view replace_word = "replace ";
constexpr std::string_view end_line = "end";
// A journal lists a few files; anything much longer is not one of ours.
constexpr std::uintmax_t longest_journal = 1 << 16;

fs::path folder_of(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

bool plain_name(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\n\r\0", 5)) == std::string_view::npos;
}

std::optional<Replacement> parse_entry(std::string_view line) {
  if (!line.starts_with(replace_word)) return std::nullopt;
  line.remove_prefix(replace_word.size());
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  Replacement entry{std::string(line.substr(0, blank)), std::string(line.substr(blank + 1))};
  if (!is_staged_file_name(entry.staged) || !plain_name(entry.target)) return std::nullopt;
  return entry;
}

std::optional<std::vector<Replacement>> parse_journal(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != header) return std::nullopt;
  std::vector<Replacement> entries;
  while (std::getline(lines, line)) {
    if (line == end_line) return lines.peek() == EOF ? std::optional(entries) : std::nullopt;
    auto entry = parse_entry(line);
    if (!entry) return std::nullopt;
    entries.push_back(std::move(*entry));
  }
  return std::nullopt;  // no end line: not written whole
}

std::string names_of(const std::vector<Replacement>& entries) {
  std::string names;
  for (const Replacement& entry : entries) names += (names.empty() ? "" : ", ") + entry.target;
  return names;
}

}  // namespace

void write_journal(const fs::path& folder, const std::vector<Replacement>& entries) {
  std::string text = std::string(header) + "\n";
  for (const Replacement& entry : entries) {
    if (!plain_name(entry.target)) {
      throw IoFailure(folder / entry.target, "cannot write", "a name with a line break");
    }
    text += std::string(replace_word) + entry.staged + " " + entry.target + "\n";
  }
  text += std::string(end_line) + "\n";
  const fs::path journal = folder / journal_file_name;
  StagedFile file(journal);
  file.write(text);
  file.finish(true);
  if (!rename_over(file.path(), journal)) {
    throw IoFailure(journal, "cannot write", last_failure());
  }
  file.release();
  if (!sync_folder(folder)) throw IoFailure(folder, "cannot sync the folder", last_failure());
}

std::optional<std::vector<Replacement>> read_journal(const fs::path& folder) {
  const fs::path journal = folder / journal_file_name;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(journal, error);
  if (status.type() == fs::file_type::not_found) return std::nullopt;
  const auto refuse = [&journal](const std::string& why) -> IoFailure {
    return {journal, "cannot complete an interrupted commit",
            why + "; look at the files it names, then remove it"};
  };
  if (!fs::is_regular_file(status) || fs::file_size(journal, error) > longest_journal || error) {
    throw refuse("not a journal this program wrote");
  }
  std::ifstream in(journal, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in && !in.eof()) throw refuse("cannot be read");
  auto entries = parse_journal(text.str());
  if (!entries) throw refuse("not a journal this program wrote whole");
  return entries;
}

void remove_journal(const fs::path& folder) {
  std::error_code error;
  fs::remove(folder / journal_file_name, error);
  if (error) throw IoFailure(folder / journal_file_name, "cannot remove", error.message());
  if (!sync_folder(folder)) throw IoFailure(folder, "cannot sync the folder", last_failure());
}

std::optional<std::string> interrupted_commit(const std::vector<fs::path>& files) {
  for (const fs::path& file : files) {
    const fs::path folder = folder_of(file);
    std::optional<std::vector<Replacement>> entries;
    try {
      entries = read_journal(folder);
    } catch (const IoFailure& failure) {
      return failure.what();
    }
    if (!entries) continue;
    const bool concerned = std::any_of(files.begin(), files.end(), [&](const fs::path& f) {
      return folder_of(f) == folder &&
             std::any_of(entries->begin(), entries->end(),
                         [&](const Replacement& entry) { return f.filename() == entry.target; });
    });
    if (!concerned) continue;
    return folder.string() + ": a run was interrupted while it replaced " + names_of(*entries) +
           " here, so these files may come from two different runs; the next compile, build "
           "or export into " +
           folder.string() + " completes the replacement first";
  }
  return std::nullopt;
}

}  // namespace tracciato
