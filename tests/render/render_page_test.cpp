#include "render/render_page.h"

#include <gtest/gtest.h>

#include <map>
#include <pugixml.hpp>
#include <set>

#include "driver/builtin_build.h"
#include "model/scenario_view.h"
#include "readback/compiled_set.h"
#include "support/compile_in_memory.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::TempFolder;

CompiledScenario compiled(const std::string& line, const std::string& train, bool line_file) {
  return testing::compile_in_memory(line, train, {"S", "1", line_file});
}

const std::string small_line =
    "[generale]\nlunghezza percorso, 3000\n[curve]\ncurvas6, 100, 300\npendenza, 500, -4\n"
    "indicatori_vmax, 700, 100, 110, 120, 0, , , , 0\ncartello_indicatore, 900, (PONTE <B>)\n"
    "[fine]\n";
const std::string small_train =
    "[generale]\nvelocita, 0, 80\n"
    "stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 8,0,0, CITT\xC0\n"
    "segnale, 1600, 1, 4,0,0, 0, 0, 0,0,0, 0\n[fine]\n";

// One <svg> of the page, parsed as XML: the page writes each well formed.
pugi::xml_document svg_of(const std::string& page, const std::string& id) {
  const std::size_t from = page.find("<svg id=\"" + id + "\"");
  pugi::xml_document doc;
  if (from == std::string::npos) return doc;
  const std::size_t to = page.find("\n</section>", from);
  const pugi::xml_parse_result parsed = doc.load_string(page.substr(from, to - from).c_str());
  EXPECT_TRUE(parsed) << id << ": " << parsed.description() << " at " << parsed.offset;
  return doc;
}

// The drawn features: kind → cells.
std::map<std::string, std::multiset<std::int64_t>> features(const pugi::xml_document& svg) {
  std::map<std::string, std::multiset<std::int64_t>> out;
  for (const pugi::xpath_node& n : svg.select_nodes("//*[@data-kind]")) {
    out[n.node().attribute("data-kind").value()].insert(n.node().attribute("data-cell").as_llong());
  }
  return out;
}

std::string title_of(const pugi::xml_document& svg, const std::string& kind) {
  return svg.select_node(("//*[@data-kind='" + kind + "']/title").c_str()).node().child_value();
}

TEST(RenderPage, TheBuiltInRouteDrawsEveryFeatureOfItsFiles) {
  TempFolder folder;
  ScenarioModel model;
  testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return run_builtin_build(model, folder.path(), out);
  });
  const CompiledScenario s = read_compiled(paths_in(folder.path(), "Lindra_Kestova", "31407"));
  const std::string page = render_page(s, {"Lindra_Kestova", "31407", {}, {}});
  EXPECT_LE(page.size(), 1500000U);
  // Self-contained: nothing names a place to fetch from but the SVG namespace.
  EXPECT_EQ(page.find("src="), std::string::npos);
  EXPECT_EQ(page.find("href"), std::string::npos);
  std::size_t addresses = 0;
  for (std::size_t at = page.find("http"); at != std::string::npos;
       at = page.find("http", at + 1)) {
    EXPECT_EQ(page.compare(at, 26, "http://www.w3.org/2000/svg"), 0) << page.substr(at, 60);
    ++addresses;
  }
  EXPECT_EQ(addresses, 2U);  // the plan's and the profile's namespace
  const auto drawn = features(svg_of(page, "profile"));
  const std::pair<const char*, std::size_t> counts[] = {
      {"station", 13},     {"signal", 22},          {"signboard", 60},
      {"speed-board", 11}, {"montagna", 20},        {"slowdown-start", 2},
      {"slowdown-end", 2}, {"slowdown-warning", 2}, {"repetition-zone", 1}};
  for (const auto& [kind, count] : counts) {
    EXPECT_EQ(drawn.count(kind) ? drawn.at(kind).size() : 0, count) << kind;
  }
  const ScenarioView v = view_of(s);
  std::multiset<std::int64_t> signals;
  for (const SignalView& g : v.signals) signals.insert(g.cell);
  EXPECT_EQ(drawn.at("signal"), signals);
  std::multiset<std::int64_t> abbattimento(v.abbattimento_cells.begin(),
                                           v.abbattimento_cells.end());
  EXPECT_EQ(drawn.at("abbattimento"), abbattimento);
  // The plan marks every station too, but as the plan's own marks.
  const pugi::xml_document plan = svg_of(page, "plan");
  EXPECT_EQ(plan.select_nodes("//*[@class='plan-station']").size(), 13U);
  EXPECT_TRUE(features(plan).empty());
}

TEST(RenderPage, EachFeatureHoldsItsDecodedRecord) {
  const std::string page = render_page(compiled(small_line, small_train, true), {"S", "1", {}, {}});
  const pugi::xml_document profile = svg_of(page, "profile");
  EXPECT_EQ(title_of(profile, "signal"),
            "Signal, cell 33, 1600 m (km 1+600); left 1: 4/0/0, right 0: 0/0/0, rapp 0, timer 0; "
            "boards in cells 31 29 27 25");
  EXPECT_EQ(title_of(profile, "signboard"),
            "Signboard \"(PONTE <B>)\", cell 19, 900 m (km 0+900); text in slot 80");
  EXPECT_EQ(title_of(profile, "speed-board"),
            "Speed-indicator board, cell 15, 700 m (km 0+700); left 100/110/120 km/h, 0 "
            "stripes, right 0/0/0 km/h, 0 stripes");
  EXPECT_EQ(title_of(profile, "station"),
            "Station CITT\xC3\x80 (slot 1, kind 7) at 0 m (km 0+000); area -700 to 700 m; stop "
            "cell 13, 600 m (km 0+600); time 28800 s");
  const auto drawn = features(profile);
  EXPECT_EQ(drawn.at("station"), std::multiset<std::int64_t>{13});
  EXPECT_EQ(drawn.count("montagna"), 0U);
  EXPECT_EQ(drawn.count("repetition-zone"), 0U);
  EXPECT_NE(page.find("<svg id=\"plan\""), std::string::npos);
}

TEST(RenderPage, WithoutALineFileThereIsNoPlanAndTheCurvatureIsFlat) {
  const std::string page =
      render_page(compiled(small_line, small_train, false), {"S", "1", {}, {}});
  EXPECT_EQ(page.find("<svg id=\"plan\""), std::string::npos);
  EXPECT_NE(page.find("No line file: the route has no plan view."), std::string::npos);
  const pugi::xml_document profile = svg_of(page, "profile");
  EXPECT_EQ(profile.select_node("//*[@class='band curvature']//*[@class='line']")
                .node()
                .attribute("d")
                .value(),
            std::string("M0 0 H10000"));
  EXPECT_EQ(features(profile).at("signal").size(), 1U);
}

TEST(RenderPage, AStretchDrawsOnlyTheFeaturesInIt) {
  const CompiledScenario s = compiled(small_line, small_train, true);
  const auto drawn = [&](std::int64_t from, std::int64_t to) {
    return features(svg_of(render_page(s, {"S", "1", from, to}), "profile"));
  };
  const auto near = drawn(650, 950);  // the board at 700 m and the signboard at 900 m
  EXPECT_EQ(near.size(), 2U);
  EXPECT_EQ(near.at("speed-board"), std::multiset<std::int64_t>{15});
  EXPECT_EQ(near.at("signboard"), std::multiset<std::int64_t>{19});
  EXPECT_EQ(drawn(0, 100).at("station"), std::multiset<std::int64_t>{13});
  EXPECT_EQ(drawn(1000, 2000).at("signal"), std::multiset<std::int64_t>{33});
  EXPECT_EQ(drawn(1000, 2000).size(), 1U);
  EXPECT_TRUE(drawn(2000, 3000).empty());
}

TEST(RenderPage, AStretchOutsideTheTrackIsRefused) {
  const CompiledScenario s = compiled(small_line, small_train, true);
  const std::pair<RenderRequest, const char*> cases[] = {
      {{"S", "1", 500, 500}, "--from 500 must lie before --to 500"},
      {{"S", "1", 900, 400}, "--from 900 must lie before --to 400"},
      {{"S", "1", {}, 10050}, "--to 10050 lies beyond the end of the track, 10000 m"},
      {{"S", "1", 10000, {}}, "--from 10000 must lie before --to 10000"},
  };
  for (const auto& [request, message] : cases) {
    EXPECT_EQ(unfit_stretch(s, request).value_or(""), message);
  }
  EXPECT_FALSE(unfit_stretch(s, {"S", "1", 0, 10000}));
}

}  // namespace
}  // namespace tracciato
