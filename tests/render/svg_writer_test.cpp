#include "render/svg_writer.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(RenderSvgWriter, TextsAndNumbersComeOutAsWellFormedXml) {
  EXPECT_EQ(xml_escaped("PONTE <A> & \"B\" 'C'\x01\tCITT\xC3\xA0"),
            "PONTE &lt;A&gt; &amp; &quot;B&quot; &#39;C&#39;\tCITT\xC3\xA0");
  const std::pair<double, const char*> numbers[] = {
      {12.5, "12.5"}, {-3.0, "-3"}, {-0.04, "0"}, {1500.0, "1500"}, {0.26, "0.3"}};
  for (const auto& [value, text] : numbers) EXPECT_EQ(coordinate(value), text) << value;
  SvgElement g = feature("signal", 13, "Signal <1>");
  SvgElement dot("circle");
  g.add(dot.attr("r", "4"));
  EXPECT_EQ(g.markup(),
            "<g data-kind=\"signal\" data-cell=\"13\" tabindex=\"0\"><title>Signal "
            "&lt;1&gt;</title><circle r=\"4\"/></g>");
}

}  // namespace
}  // namespace tracciato
