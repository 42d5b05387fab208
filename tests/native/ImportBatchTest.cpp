#include "waypoints/exchange/ImportBatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "waypoints/MarkerFile.h"
#include "waypoints/RowOrder.h"
#include "waypoints/exchange/ImportPlan.h"

namespace tarvik::waypoints::exchange {
namespace {

std::ptrdiff_t CountOf(std::string_view text, char c) { return std::count(text.begin(), text.end(), c); }

// Whatever names a file brings, the rows an import adds are rows a Marker
// file holds as they are: saved and opened again, they come back the same.
// A double quote, which a Marker file's name cannot hold, becomes an
// apostrophe, and the summary says in how many names.
TEST(ImportBatch, EveryRowTakenSurvivesASaveAndQuotesBecomeApostrophesSaidOnce) {
  const std::string pieces[] = {"\"", "'", " ", "\t", "\r\n", "The", "Mill", "\xC3\xBC",
                                std::string(1, '\0'), "(", ")", "\xC2\xA0", "\xE2\x80\x9C"};
  std::mt19937 random(6);
  for (int round = 0; round < 20; ++round) {
    BatchBuilder builder;
    std::vector<std::string> raw_names;
    int quoted = 0;
    for (int i = 0; i < 50; ++i) {
      std::string raw;
      for (int n = static_cast<int>(random() % 6); n > 0; --n) raw += pieces[random() % std::size(pieces)];
      quoted += raw.find('"') != std::string::npos;
      raw_names.push_back(raw);
      builder.Add(raw, "48." + std::to_string(i), "-113.2", i + 1);
    }
    ImportBatch batch = builder.Take();
    ASSERT_EQ(batch.waypoints.size(), raw_names.size());
    for (size_t i = 0; i < raw_names.size(); ++i) {
      const std::string& name = batch.waypoints[i].waypoint.Name;
      EXPECT_EQ(name.find('"'), std::string::npos) << name;
      EXPECT_EQ(CountOf(name, '\''), CountOf(raw_names[i], '\'') + CountOf(raw_names[i], '"'))
          << name;
    }
    const std::vector<std::string> notes =
        quoted == 0 ? std::vector<std::string>{}
                    : std::vector<std::string>{"Double quotes became ' in " + std::to_string(quoted) +
                                               (quoted == 1 ? " name" : " names") +
                                               " (a waypoint name cannot contain one)."};
    EXPECT_EQ(batch.notes, notes);

    ImportPlan plan = PlanImport(std::move(batch), {});
    if (!notes.empty()) {
      EXPECT_TRUE(ImportSummary(plan).ends_with("\n" + notes[0]));
    }
    SortRows(plan.rows);
    std::vector<std::uint8_t> file;
    ASSERT_NO_THROW(file = EncodeMarkerFile(plan.rows));
    auto read = ReadMarkerWaypoints(file);
    ASSERT_TRUE(read.has_value());
    std::vector<std::string> rows;
    for (const auto& waypoint : *read) rows.push_back(JoinRow(waypoint));
    EXPECT_EQ(rows, plan.rows);
  }
}

}  // namespace
}  // namespace tarvik::waypoints::exchange
