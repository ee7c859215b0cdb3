#include "check/keyword_spellings.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tracciato {
namespace {

constexpr auto general_keywords = std::to_array<std::string_view>(
    {"lunghezza percorso", "progressiva chilometrica uno", "progressiva chilometrica due",
     "progressiva chilometrica tre", "sfondo uno", "sfondo due", "sfondo tre",
     "ripetizione segnali 4 codici", "ripetizione segnali 9 codici"});

constexpr auto feature_keywords = std::to_array<std::string_view>(
    {"pendenza", "montagna", "indicatori_vmax", "cartello_indicatore", "curvas1", "curvas2",
     "curvas3", "curvas4", "curvas5", "curvas6", "curvad1", "curvad2", "curvad3", "curvad4",
     "curvad5", "curvad6"});

constexpr auto train_keywords = std::to_array<std::string_view>(
    {"numero vetture", "percentuale massa frenata", "sabbia", "orologio", "velocita", "velocit\xE0",
     "aderenza", "stazione", "segnale", "rallentamento", "abbattimento"});

std::span<const std::string_view> keywords_of(KeywordPlace place) {
  switch (place) {
    case KeywordPlace::line_general:
      return general_keywords;
    case KeywordPlace::line_features:
      return feature_keywords;
    case KeywordPlace::train:
      break;
  }
  return train_keywords;
}

bool is_curve_keyword(std::string_view key) {
  if (!key.starts_with("curva")) return false;
  key.remove_prefix(5);
  if (key.starts_with('s') || key.starts_with('d')) key.remove_prefix(1);
  return !key.empty() &&
         std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// No keyword is longer; a longer field is near none of them.
constexpr std::size_t longest_keyword = 40;

// Edits (insert, delete, replace, swap of neighbours) from a to b, both at
// most longest_keyword long, in a table on the stack: this runs for every
// unknown keyword of a text.
std::size_t edit_distance(std::string_view a, std::string_view b) {
  if (a.size() > longest_keyword || b.size() > longest_keyword) return longest_keyword;
  constexpr std::size_t width = longest_keyword + 1;
  // Each entry is written before it is read.
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-member-init)
  std::array<std::uint8_t, width * width> d;
  const auto at = [&d](std::size_t i, std::size_t j) -> std::uint8_t& { return d[i * width + j]; };
  for (std::size_t i = 0; i <= a.size(); ++i) at(i, 0) = static_cast<std::uint8_t>(i);
  for (std::size_t j = 0; j <= b.size(); ++j) at(0, j) = static_cast<std::uint8_t>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
      int best = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        best = std::min(best, at(i - 2, j - 2) + 1);
      }
      at(i, j) = static_cast<std::uint8_t>(best);
    }
  }
  return at(a.size(), b.size());
}

std::optional<std::string_view> nearest(std::string_view field,
                                        std::span<const std::string_view> keywords) {
  const std::string key = folded_keyword(field);
  if (key.size() > longest_keyword) return std::nullopt;
  std::optional<std::string_view> best;
  std::size_t best_distance = 3;
  for (std::string_view keyword : keywords) {
    // An edit changes the length by one at most: a keyword whose length is
    // that far off cannot be nearer.
    const std::size_t apart =
        std::max(key.size(), keyword.size()) - std::min(key.size(), keyword.size());
    if (apart >= best_distance) continue;
    const std::size_t distance = edit_distance(key, keyword);
    if (distance < best_distance) {
      best_distance = distance;
      best = keyword;
    }
  }
  return best;
}

}  // namespace

std::string folded_keyword(std::string_view field) {
  const std::size_t first = field.find_first_not_of(" \t");
  const std::size_t last = field.find_last_not_of(" \t");
  std::string out(first == std::string_view::npos ? "" : field.substr(first, last - first + 1));
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool written_as_keyword(std::string_view field, KeywordPlace place) {
  const std::string key = folded_keyword(field);
  if (place == KeywordPlace::line_features && is_curve_keyword(key)) return true;
  const auto keywords = keywords_of(place);
  return std::find(keywords.begin(), keywords.end(), key) != keywords.end();
}

std::optional<std::string_view> nearest_keyword(std::string_view field, KeywordPlace place) {
  return nearest(field, keywords_of(place));
}

bool near_general_header(std::string_view field) {
  static constexpr std::array<std::string_view, 1> header = {"[generale]"};
  return nearest(field, header).has_value();
}

}  // namespace tracciato
