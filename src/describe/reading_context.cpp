#include "describe/reading_context.h"

#include <system_error>

#include "compile/errors.h"
#include "describe/keywords.h"
#include "platform/replace_file.h"

namespace tracciato {

void ReadingContext::open(const std::filesystem::path& path) {
  current_ = path;
  fields_.emplace(read_file(path));
}

void ReadingContext::close_and_delete() {
  if (sources_.delete_after_reading && !current_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(current_, ignored);
  }
}

void ReadingContext::delete_all_texts() {
  if (!sources_.delete_after_reading) return;
  std::error_code ignored;
  std::filesystem::remove(sources_.line_text, ignored);
  std::filesystem::remove(sources_.train_text, ignored);
}

const std::string& ReadingContext::read_token() {
  model_.token = fields_->text();
  return model_.token;
}

bool ReadingContext::next_record_keyword() {
  if (fields_->at_end()) return false;
  read_token();
  for (int comment = 0; comment < 2 && contains(model_.token, "-"); ++comment) {
    if (fields_->at_end()) return false;
    read_token();
  }
  return !fields_->at_end();
}

CellArray& ReadingContext::cells() {
  if (!model_.cells) throw ReadFailure("a record before the route length", fields_->last_field());
  return *model_.cells;
}

void ReadingContext::record(std::int32_t code, std::int32_t position, SourceLocation at) {
  record_error(model_, code, position);
  attach_source(at);
}

void ReadingContext::record(std::int32_t code, SourceLocation at) {
  record_error(model_, code);
  attach_source(at);
}

ErrorSource ReadingContext::source_of(SourceLocation at) const {
  return ErrorSource{current_.string(), at.line, at.column,
                     std::string(fields_->line_text(at.line))};
}

void ReadingContext::attach_source(SourceLocation at) {
  if (fields_) model_.error_source = source_of(at);
}

}  // namespace tracciato
