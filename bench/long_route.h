#pragma once

#include <string>

namespace tracciato::bench {

// The two description texts of a route `km` kilometres long (68 to 1000),
// made from the built-in one: its line and its train are laid again every
// 68 km along the longer line. Records that fill the scenario's fixed
// tables (stations, signboards, slowdowns, the 80 montagna structures) are
// kept only as far as those tables hold them, so the route compiles clean.
struct RouteTexts {
  std::string line;
  std::string train;
};
RouteTexts long_route(int km);

}  // namespace tracciato::bench
