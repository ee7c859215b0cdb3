#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "model/scenario_model.h"

namespace tracciato {

// The build stopped through `errore`: a reserved place of the compiled
// scenario was already in use. Nothing compiled is written after it.
class BuildStopped : public std::runtime_error {
 public:
  explicit BuildStopped(std::string code)
      : std::runtime_error(" Errore n. " + code), code_(std::move(code)) {}
  const std::string& code() const { return code_; }  // "1250" or "1251"

 private:
  std::string code_;
};

// The reader left no track to compile (no cell 1): nothing compiled is
// written.
class NoTrack : public std::runtime_error {
 public:
  NoTrack() : std::runtime_error("no track to compile: the line description gave no cell 1") {}
};

// Ends the build with the message " Errore n. " followed by `code`.
[[noreturn]] void errore(const std::string& code);

// The smaller of a and b; a when they are equal.
inline std::int32_t minimo(std::int32_t a, std::int32_t b) {
  return a > b ? b : a;
}

// Records a fault; the last one recorded wins.
inline void record_error(ScenarioModel& model, std::int32_t code, std::int32_t position) {
  model.error_code = code;
  model.error_position = position;
  model.error_source.reset();
}
// Records a fault whose code gives no position: the previous one stays.
inline void record_error(ScenarioModel& model, std::int32_t code) {
  model.error_code = code;
  model.error_source.reset();
}

}  // namespace tracciato
