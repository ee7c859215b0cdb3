// tracciato: compiles the built-in route scenario, or a route author's own
// descriptions, into the files the simulator loads.
#include <cstdio>
#include <exception>
#include <new>

#include "driver/command_line.h"
#include "driver/commands.h"
#include "platform/standard_streams.h"
#include "tracciato_version.h"

namespace {

int run(int argc, char** argv) {
  // The commands report their own failures; anything that escapes them is a
  // fault of the program, still told in one line and a status.
  try {
    return tracciato::run_command_line(argc, argv, TRACCIATO_VERSION_TEXT);
  } catch (const std::bad_alloc&) {
    (void)std::fputs("tracciato: not enough memory to finish the command\n", stderr);
  } catch (const std::exception& failure) {
    (void)std::fprintf(stderr, "tracciato: %s\n", failure.what());
  } catch (...) {
    (void)std::fputs("tracciato: an unexpected failure\n", stderr);
  }
  return tracciato::exit_io_or_usage;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = run(argc, argv);
  // An answer cut short is a failure, whatever the command made of it.
  if (const auto failure = tracciato::standard_stream_failure()) {
    (void)std::fprintf(stderr, "tracciato: %s\n", failure->c_str());
    (void)std::fflush(stderr);
    return tracciato::exit_io_or_usage;
  }
  return status;
}
