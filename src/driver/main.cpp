// tracciato: compiles the built-in route scenario, or a route author's own
// descriptions, into the files the simulator loads.
#include <cstdio>
#include <exception>

#include "driver/command_line.h"
#include "driver/commands.h"
#include "tracciato_version.h"

int main(int argc, char** argv) {
  // The commands report their own failures; anything that escapes them is a
  // fault of the program, still told in one line and a status.
  try {
    return tracciato::run_command_line(argc, argv, TRACCIATO_VERSION_TEXT);
  } catch (const std::exception& failure) {
    (void)std::fprintf(stderr, "tracciato: %s\n", failure.what());
  } catch (...) {
    (void)std::fputs("tracciato: an unexpected failure\n", stderr);
  }
  return tracciato::exit_io_or_usage;
}
