#pragma once

#include <string>
#include <string_view>

#include "render/stretch.h"
#include "render/svg_writer.h"

namespace tracciato {

// The parts every band of the profile is drawn with. Lines and stretches
// go into a frame whose user units are route metres across and values up
// (y = −value), so that zooming is a change of its viewBox; marks and
// labels stand outside it at a pixel position carrying `data-m`, which the
// page script moves when it zooms.

// A frame of `height` pixels at `top` within the band for values `low` to
// `high`.
SvgElement metres_frame(const Stretch& stretch, double top, double height, double low, double high);

// `element` placed at route metre `metres`: its children are drawn around
// x = 0.
SvgElement& at_metres(SvgElement& element, const Stretch& stretch, double metres);

// A text at `metres`, `y` pixels down the band.
SvgElement label(const Stretch& stretch, double metres, double y, std::string_view text,
                 std::string_view css);

// A band: its name on the left and its content, `top` pixels down the profile.
SvgElement band(std::string_view name, std::string_view css, double top, double height);

// A value as "M a b" path data in a metres frame (y = −value).
std::string point(double metres, double value);

}  // namespace tracciato
