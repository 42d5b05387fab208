#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "waypoints/Coordinates.h"

namespace tarvik::waypoints::exchange {

// The pieces a written angle is made of: "N 47° 22.691'" is a hemisphere
// letter, a number, a degree sign, a number and a minute sign.
struct AngleToken {
  enum class Kind { Number, Degree, Minute, Second, Hemisphere, Separator };
  Kind kind;
  double value = 0;      // Number
  bool signed_ = false;  // Number written with "+" or "-"
  bool whole = false;    // Number written without a decimal point
  char letter = 0;       // Hemisphere: N, S, E or W; Separator: ',' or ';'
};

// Splits a text into those pieces; blanks only separate them. nullopt for
// any other character, and for more than `max_tokens` pieces.
std::optional<std::vector<AngleToken>> TokeniseAngles(std::string_view text, size_t max_tokens);

struct Angle {
  double degrees;            // south and west negative
  std::optional<Axis> axis;  // when a hemisphere letter says which it is
};

// One angle: decimal degrees, degrees and decimal minutes, or degrees,
// minutes and seconds, each piece marked by its sign (° ' ") or by its
// place, with one N, S, E or W before or after it, or a sign before it.
// nullopt for anything else, minutes or seconds of 60 or more included.
std::optional<Angle> ParseAngleTokens(const AngleToken* first, const AngleToken* last);

// A whole text holding one angle of the given axis, within its range.
std::optional<double> ParseAngle(std::string_view text, Axis axis);

}  // namespace tarvik::waypoints::exchange
