#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::waypoints::exchange {

// Degrees as a plain decimal text with at most six decimals and no trailing
// zeros ("47.378194", "-8.5", "0"); nullopt for a number no coordinate
// comes near. Whether it is a valid coordinate is Add's checks' to say.
std::optional<std::string> CoordinateText(double degrees);

// A coordinate as another program wrote it, as such a text: a plain number
// (the form Add accepts), blanks around it allowed.
std::optional<std::string> NormaliseCoordinate(std::string_view text);

// The text without the spaces, tabs and line ends around it.
std::string_view TrimAsciiBlanks(std::string_view text);

// A name as a list row can hold it: every run of white space or control
// characters (tabs and line ends among them) becomes one space, and none
// leads or trails. Malformed UTF-8 becomes U+FFFD. May be empty.
std::string CleanName(std::string_view raw);

// A Marker file's name stands in double quotes, so it cannot hold one:
// each becomes an apostrophe. True when the name held one.
bool QuotesToApostrophes(std::string& name);

// The name a nameless waypoint gets: "WP " and its number in the file.
std::string NumberedName(int number);

}  // namespace tarvik::waypoints::exchange
