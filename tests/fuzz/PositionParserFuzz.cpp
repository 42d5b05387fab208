// Feeds arbitrary text to the position parser as a paste into the entry
// boxes would. Every text ends either as no position or as a position
// within range whose box texts pass Add's checks; never as a crash.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "waypoints/Coordinates.h"
#include "waypoints/exchange/AngleText.h"
#include "waypoints/exchange/PositionText.h"

namespace {

using namespace tarvik::waypoints;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckPosition(const std::optional<exchange::Position>& position) {
  if (!position) return;
  Check(std::fabs(position->latitude) <= 90 && std::fabs(position->longitude) <= 180);
  auto texts = exchange::TextsOf(*position);
  Check(texts.has_value());
  Check(IsValidLatitude(texts->latitude) && IsValidLongitude(texts->longitude));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto whole = exchange::ParsePosition(text);
  CheckPosition(whole);
  auto pasted = exchange::PastedPosition(text);
  CheckPosition(pasted);
  // What the name box takes, the coordinate boxes take too.
  if (whole) Check(pasted.has_value());
  CheckPosition(exchange::FindPositionInAddress(text));
  for (auto axis : {Axis::Latitude, Axis::Longitude}) {
    auto angle = exchange::ParseAngle(text, axis);
    if (angle) Check(std::fabs(*angle) <= (axis == Axis::Latitude ? 90 : 180));
  }
  return 0;
}
