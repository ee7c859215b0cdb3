// Writes the two description texts of a long route for timing `compile` as a
// whole process: make_long_route KM FOLDER writes FOLDER/linea.txt and
// FOLDER/treno.txt.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "long_route.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_long_route KM FOLDER\n";
    return 3;
  }
  const int km = std::atoi(argv[1]);
  if (km < 68 || km > 1000) {
    std::cerr << "make_long_route: KM runs from 68 to 1000\n";
    return 3;
  }
  const std::filesystem::path folder = argv[2];
  const auto texts = tracciato::bench::long_route(km);
  std::ofstream(folder / "linea.txt", std::ios::binary) << texts.line;
  std::ofstream(folder / "treno.txt", std::ios::binary) << texts.train;
  return 0;
}
