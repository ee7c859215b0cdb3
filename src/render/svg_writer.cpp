#include "render/svg_writer.h"

#include <array>
#include <cstdio>

namespace tracciato {

std::string xml_escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // Bytes of UTF-8 sequences are at or above 0x80 and pass; the C0
        // controls but tab and line feed are not characters XML allows.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') out += c;
        break;
    }
  }
  return out;
}

std::string coordinate(double value, int digits) {
  std::array<char, 48> text{};
  (void)std::snprintf(text.data(), text.size(), "%.*f", digits, value);
  std::string out = text.data();
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  if (out == "-0") out = "0";
  return out;
}

SvgElement& SvgElement::attr(std::string_view name, std::string_view value) {
  attributes_ += ' ';
  attributes_ += name;
  attributes_ += "=\"";
  attributes_ += xml_escaped(value);
  attributes_ += '"';
  return *this;
}

SvgElement& SvgElement::number(std::string_view name, double value, int digits) {
  return attr(name, coordinate(value, digits));
}

SvgElement& SvgElement::integer(std::string_view name, std::int64_t value) {
  return attr(name, std::to_string(value));
}

SvgElement& SvgElement::title(std::string_view text) {
  title_ = "<title>" + xml_escaped(text) + "</title>";
  return *this;
}

SvgElement& SvgElement::text(std::string_view content) {
  body_ += xml_escaped(content);
  return *this;
}

SvgElement& SvgElement::add(const SvgElement& child) {
  body_ += child.markup();
  return *this;
}

SvgElement& SvgElement::add_markup(std::string_view markup) {
  body_ += markup;
  return *this;
}

std::string SvgElement::markup() const {
  std::string out = "<" + name_ + attributes_;
  if (title_.empty() && body_.empty()) return out + "/>";
  return out + ">" + title_ + body_ + "</" + name_ + ">";
}

SvgElement feature(std::string_view kind, std::int64_t cell, std::string_view record) {
  SvgElement g("g");
  g.attr("data-kind", kind).integer("data-cell", cell).attr("tabindex", "0").title(record);
  return g;
}

}  // namespace tracciato
