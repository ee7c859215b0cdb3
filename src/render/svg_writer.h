#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tracciato {

// The page's SVG is written as well-formed XML, so that both a browser and
// an XML reader take it: every text goes through `xml_escaped`, every
// number through `coordinate`.

// `text` safe inside XML content and attribute values; control characters
// XML cannot hold are dropped.
std::string xml_escaped(std::string_view text);

// A number with at most `digits` decimals and no trailing zeros: "12.5",
// "-3", "0". Fewer digits keep the page small.
std::string coordinate(double value, int digits = 1);

// One element's markup: the attributes in the order given, then an
// optional hover title (the first child, where browsers look for it), then
// the children.
class SvgElement {
 public:
  explicit SvgElement(std::string name) : name_(std::move(name)) {}

  SvgElement& attr(std::string_view name, std::string_view value);
  SvgElement& number(std::string_view name, double value, int digits = 1);
  SvgElement& integer(std::string_view name, std::int64_t value);
  SvgElement& title(std::string_view text);
  SvgElement& text(std::string_view content);
  SvgElement& add(const SvgElement& child);
  SvgElement& add_markup(std::string_view markup);
  std::string markup() const;

 private:
  std::string name_;
  std::string attributes_;
  std::string title_;
  std::string body_;
};

// A drawn feature: a focusable group carrying its kind and cell, whose
// title is the decoded record.
SvgElement feature(std::string_view kind, std::int64_t cell, std::string_view record);

}  // namespace tracciato
