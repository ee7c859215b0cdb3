#include "describe/reading_context.h"

#include <system_error>

#include "describe/keywords.h"
#include "model/error_record.h"
#include "platform/replace_file.h"

namespace tracciato {

void ReadingContext::open(const std::filesystem::path& path) {
  current_ = path;
  fields_.reset();
  const std::string* given = path == sources_.line_text    ? sources_.line_bytes
                             : path == sources_.train_text ? sources_.train_bytes
                                                           : nullptr;
  text_ = map_.add_text(path.string(), given != nullptr ? *given : read_file(path));
  fields_.emplace(map_.bytes(text_));
  keyword_at_ = {};
  tell_empty_values(true);
}

void ReadingContext::tell_empty_values(bool tell) {
  if (observer_ == nullptr) return;
  if (!tell) {
    fields_->on_empty_number({});
    return;
  }
  fields_->on_empty_number([this](LineColumn at) { observer_->empty_value(text_, at); });
}

void ReadingContext::stop_cell_replaces(LineColumn at, std::int64_t cell) {
  if (observer_ == nullptr) return;
  const SourceMap::Origin* laid = map_.origin(cell);
  observer_->replaced(text_, at, cell, laid != nullptr ? laid->what : "a feature",
                      map_.cell_note(cell, "held"));
}

void ReadingContext::close_and_delete() {
  if (sources_.deletes_texts() && !current_.empty()) {
    std::error_code ignored;
    std::filesystem::remove(current_, ignored);
  }
}

void ReadingContext::delete_all_texts() {
  if (!sources_.deletes_texts()) return;
  std::error_code ignored;
  std::filesystem::remove(sources_.line_text, ignored);
  std::filesystem::remove(sources_.train_text, ignored);
}

const std::string& ReadingContext::read_token() {
  token_ = fields_->text();
  keyword_at_ = fields_->last_field();
  return token_;
}

const std::string& ReadingContext::read_text_value() {
  token_ = fields_->text();
  return token_;
}

bool ReadingContext::next_record_keyword() {
  if (fields_->at_end()) return false;
  read_token();
  for (int comment = 0; comment < 2 && contains(token_, "-"); ++comment) {
    if (fields_->at_end()) return false;
    read_token();
  }
  return !fields_->at_end();
}

CellArray& ReadingContext::cells() {
  if (!model_.cells) throw ReadFailure("a record before the route length", keyword_at_);
  return *model_.cells;
}

void ReadingContext::record(ErrorCode code, std::int32_t position, LineColumn at) {
  record_fault(model_, code, position);
  place(at);
}

void ReadingContext::record(ErrorCode code, LineColumn at) {
  record_fault(model_, code);
  place(at);
}

void ReadingContext::place(LineColumn at) {
  model_.fault.at = locate(at);
  if (keyword_at_.line > 0) model_.fault.record = locate(keyword_at_);
}

void ReadingContext::place_placement_fault(LineColumn at) {
  FaultDetail& fault = model_.fault;
  place(at);
  if (!fault.cell) return;
  if (!model_.cells->contains(*fault.cell)) {
    fault.reason = "cell " + std::to_string(*fault.cell) +
                   " lies outside the track, whose cells run from 0 to " +
                   std::to_string(model_.cells->last());
  } else if (auto note = map_.cell_note(*fault.cell, "already holds")) {
    fault.notes.push_back(std::move(*note));
  }
}

}  // namespace tracciato
