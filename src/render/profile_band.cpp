#include "render/profile_band.h"

namespace tracciato {

SvgElement metres_frame(const Stretch& stretch, double top, double height, double low,
                        double high) {
  SvgElement frame("svg");
  frame.attr("class", "metres").number("x", Stretch::plot_left).number("y", top);
  frame.number("width", Stretch::plot_width).number("height", height);
  frame.attr("viewBox", std::to_string(stretch.from) + " " + coordinate(-high, 2) + " " +
                            std::to_string(stretch.to - stretch.from) + " " +
                            coordinate(high - low, 2));
  frame.attr("preserveAspectRatio", "none");
  return frame;
}

SvgElement& at_metres(SvgElement& element, const Stretch& stretch, double metres) {
  return element.number("data-m", metres, 0)
      .attr("transform", "translate(" + coordinate(stretch.x(metres)) + ",0)");
}

SvgElement label(const Stretch& stretch, double metres, double y, std::string_view text,
                 std::string_view css) {
  SvgElement t("text");
  at_metres(t, stretch, metres).number("y", y).attr("class", css).text(text);
  return t;
}

SvgElement band(std::string_view name, std::string_view css, double top, double height) {
  SvgElement g("g");
  g.attr("class", "band " + std::string(css))
      .attr("transform", "translate(0," + coordinate(top) + ")");
  SvgElement frame("rect");
  frame.attr("class", "band-frame").number("x", Stretch::plot_left).attr("y", "0");
  frame.number("width", Stretch::plot_width).number("height", height);
  g.add(frame);
  SvgElement title("text");
  title.attr("class", "band-name").attr("x", "8").attr("y", "16").text(name);
  return g.add(title);
}

std::string point(double metres, double value) {
  return coordinate(metres, 0) + " " + coordinate(-value, 2);
}

}  // namespace tracciato
