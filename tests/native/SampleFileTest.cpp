#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "waypoints/MarkerFile.h"
#include "waypoints/RowOrder.h"
#include "waypoints/WaypointRow.h"

namespace tarvik::waypoints {
namespace {

// Where the stand-in Route Editor's camera starts.
constexpr double kStartLatitude = 39.62406;
constexpr double kStartLongitude = -75.10789;

std::vector<std::uint8_t> SampleBytes() {
  std::ifstream file(TARVIK_SAMPLES_DIR "/Sample Route.mkr", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SampleFile, IsWhatTarviksWriterMakesOfADozenWaypointsNearTheStandInsStart) {
  const std::vector<std::uint8_t> bytes = SampleBytes();
  ASSERT_FALSE(bytes.empty()) << "cannot read " TARVIK_SAMPLES_DIR "/Sample Route.mkr";
  auto waypoints = ReadMarkerWaypoints(bytes);
  ASSERT_TRUE(waypoints.has_value()) << "not a Marker file Tarvik reads";
  ASSERT_EQ(waypoints->size(), 12u);

  std::vector<std::string> rows;
  for (const Waypoint& waypoint : *waypoints) {
    rows.push_back(JoinRow(waypoint));
    // Within about five kilometres, on the stand-in's first screens.
    EXPECT_LT(std::abs(std::stod(waypoint.Latitude) - kStartLatitude), 0.05) << waypoint.Name;
    EXPECT_LT(std::abs(std::stod(waypoint.Longitude) - kStartLongitude), 0.05) << waypoint.Name;
  }

  // Saving the loaded list writes these very bytes back.
  SortRows(rows);
  EXPECT_TRUE(EncodeMarkerFile(rows) == bytes) << "not byte for byte what Tarvik writes";
}

}  // namespace
}  // namespace tarvik::waypoints
