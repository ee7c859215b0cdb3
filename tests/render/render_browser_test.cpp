// The built-in route's page in a headless browser: it draws something and
// its script runs to the end without an error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "driver/builtin_build.h"
#include "platform/replace_file.h"
#include "readback/compiled_set.h"
#include "render/render_page.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::read_bytes;
using testing::TempFolder;

bool browser_installed() {
  return std::system("command -v chromium >/dev/null 2>&1") == 0;
}

std::string headless(const TempFolder& folder, const std::string& arguments) {
  const std::string out = (folder / "browser.out").string();
  const std::string command =
      "chromium --headless --no-sandbox --disable-gpu " + arguments + " >'" + out + "' 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return read_bytes(out);
}

TEST(RenderBrowser, ThePageDrawsAndItsScriptFinishes) {
  if (!browser_installed()) {
    GTEST_SKIP() << "no headless browser installed (Debian package chromium)";
  }
  TempFolder folder;
  ScenarioModel model;
  testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return run_builtin_build(model, folder.path(), out);
  });
  const CompiledScenario s = read_compiled(paths_in(folder.path(), "Lindra_Kestova", "31407"));
  const std::filesystem::path page = folder / "route.html";
  replace_file(page, render_page(s, {"Lindra_Kestova", "31407", {}, {}}));
  const std::string url = "file://" + page.string();

  const std::filesystem::path shot = folder / "route.png";
  headless(folder, "--screenshot='" + shot.string() + "' --window-size=1600,1000 '" + url + "'");
  ASSERT_TRUE(std::filesystem::exists(shot));
  // A blank page of this size compresses to a few kilobytes.
  EXPECT_GT(std::filesystem::file_size(shot), 40000U);

  const std::string dom = headless(folder, "--dump-dom '" + url + "'");
  // The script marks <body> when it has run to the end, or with the error
  // that stopped it.
  const std::size_t body = dom.find("<body");
  ASSERT_NE(body, std::string::npos) << dom.substr(0, 300);
  EXPECT_EQ(dom.substr(body, dom.find('>', body) + 1 - body), "<body data-ready=\"1\">");
}

}  // namespace
}  // namespace tracciato
