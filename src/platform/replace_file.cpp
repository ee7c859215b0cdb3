#include "platform/replace_file.h"

#include "platform/regular_file.h"

namespace tracciato {

void replace_file(const std::filesystem::path& target, std::string_view bytes,
                  const OutputTransaction::Notice& notice) {
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  OutputTransaction transaction({folder}, notice);
  transaction.stage(target).write(bytes);
  transaction.commit();
}

std::string read_file(const std::filesystem::path& path) {
  RegularFile file(path);
  return file.read_at_most(file.size());
}

}  // namespace tracciato
