#include "waypoints/exchange/PositionText.h"

#include <vector>

#include "waypoints/exchange/AngleText.h"
#include "waypoints/exchange/ImportedFields.h"

namespace tarvik::waypoints::exchange {

namespace {

using Kind = AngleToken::Kind;

// Two angles of a letter and three numbers with their signs, and a separator.
constexpr size_t kPositionTokens = 15;

// Both halves read as angles, and their letters (if any) name one latitude
// and one longitude.
std::optional<Position> SplitAt(const std::vector<AngleToken>& tokens, size_t end_of_first,
                                size_t start_of_second) {
  const AngleToken* begin = tokens.data();
  auto first = ParseAngleTokens(begin, begin + end_of_first);
  auto second = ParseAngleTokens(begin + start_of_second, begin + tokens.size());
  if (!first || !second) return std::nullopt;
  Axis first_axis = Axis::Latitude;
  if (first->axis)
    first_axis = *first->axis;
  else if (second->axis)
    first_axis = *second->axis == Axis::Latitude ? Axis::Longitude : Axis::Latitude;
  if (second->axis && *second->axis == first_axis) return std::nullopt;
  if (first_axis == Axis::Latitude) return PositionIfInRange(first->degrees, second->degrees);
  return PositionIfInRange(second->degrees, first->degrees);
}

}  // namespace

std::optional<Position> PositionIfInRange(double latitude, double longitude) {
  if (!IsWithinRange(latitude, Axis::Latitude) || !IsWithinRange(longitude, Axis::Longitude)) {
    return std::nullopt;
  }
  return Position{latitude, longitude};
}

std::optional<Position> ParsePosition(std::string_view text) {
  auto tokens = TokeniseAngles(text, kPositionTokens);
  if (!tokens) return std::nullopt;
  std::vector<size_t> separators;
  for (size_t i = 0; i < tokens->size(); ++i) {
    if ((*tokens)[i].kind == Kind::Separator) separators.push_back(i);
  }
  if (separators.size() > 1) return std::nullopt;
  if (separators.size() == 1) return SplitAt(*tokens, separators[0], separators[0] + 1);

  // Without a separator, the halves must fall into place in exactly one way.
  std::optional<Position> found;
  for (size_t split = 1; split < tokens->size(); ++split) {
    auto position = SplitAt(*tokens, split, split);
    if (!position) continue;
    if (found) return std::nullopt;
    found = position;
  }
  return found;
}

std::optional<Position> PastedPosition(std::string_view text) {
  text = TrimAsciiBlanks(text);
  if (auto position = ParsePosition(text)) return position;
  return FindPositionInAddress(text);
}

std::optional<PositionTexts> TextsOf(const Position& position) {
  auto latitude = CoordinateText(position.latitude);
  auto longitude = CoordinateText(position.longitude);
  if (!latitude || !longitude) return std::nullopt;
  return PositionTexts{std::move(*latitude), std::move(*longitude)};
}

}  // namespace tarvik::waypoints::exchange
