#pragma once

// How a fuzz input becomes the two description texts of a compile: a flag
// byte (bit 0: write the line file), then the line text, a NUL byte, and
// the train text. Inputs without a NUL have an empty train text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compile/write_compiled_files.h"
#include "describe/memorizza_dati.h"
#include "describe/source_map.h"
#include "model/scenario_model.h"

namespace tracciato::fuzz {

struct FuzzTexts {
  bool line_file = false;
  std::string line;
  std::string train;
};

inline bool split_input(const std::uint8_t* data, std::size_t size, FuzzTexts& out) {
  if (size == 0) return false;
  out.line_file = (data[0] & 1) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t cut = rest.find('\0');
  out.line = std::string(rest.substr(0, cut));
  out.train = cut == std::string_view::npos ? std::string() : std::string(rest.substr(cut + 1));
  return true;
}

inline constexpr const char* line_name = "l.txt";
inline constexpr const char* train_name = "t.txt";
inline constexpr const char* scenario_name = "S";
inline constexpr const char* train_number = "1";

// A model to compile into, named as check names its own.
inline ScenarioModel fresh_model() {
  ScenarioModel model;
  model.scenario_name = scenario_name;
  model.train_number = train_number;
  return model;
}

// The two texts, read from memory under their names.
inline DescriptionSources sources_of(const FuzzTexts& texts) {
  return {line_name, train_name, false, &texts.line, &texts.train};
}

// A finding of a fuzz target: the invariant it broke, then an abort that
// the fuzzer reports with the input.
[[noreturn]] void broken(const char* invariant);

}  // namespace tracciato::fuzz
