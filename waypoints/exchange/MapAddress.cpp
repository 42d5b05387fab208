// Positions in the addresses of web maps, as people copy them from the
// browser's address bar.
#include <array>

#include "waypoints/Coordinates.h"
#include "waypoints/exchange/PositionText.h"

namespace tarvik::waypoints::exchange {

namespace {

std::optional<Position> Within(std::optional<double> latitude, std::optional<double> longitude) {
  if (!latitude || !longitude) return std::nullopt;
  return PositionIfInRange(*latitude, *longitude);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// %2C, %20 and "+" as a browser writes them into a query.
std::string Unescape(std::string_view value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '+') {
      text += ' ';
    } else if (value[i] == '%' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 &&
               HexValue(value[i + 2]) >= 0) {
      text += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
      i += 2;
    } else {
      text += value[i];
    }
  }
  return text;
}

// The value of `key=` where it starts a parameter, up to the next one.
std::optional<std::string_view> Parameter(std::string_view address, std::string_view key) {
  for (size_t at = address.find(key); at != std::string_view::npos;
       at = address.find(key, at + 1)) {
    size_t end_of_key = at + key.size();
    bool starts =
        at == 0 || std::string_view("?&#;/").find(address[at - 1]) != std::string_view::npos;
    if (!starts || end_of_key >= address.size() || address[end_of_key] != '=') continue;
    std::string_view value = address.substr(end_of_key + 1);
    return value.substr(0, value.find_first_of("&#;"));
  }
  return std::nullopt;
}

std::optional<double> Number(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return CoordinateValue(text);
}

// "lat,lon", the comma possibly escaped, nothing else.
std::optional<Position> CommaPair(std::string_view value) {
  std::string text = Unescape(value);
  size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  std::string_view view(text);
  return Within(Number(view.substr(0, comma)), Number(view.substr(comma + 1)));
}

std::optional<Position> Marker(std::string_view address) {
  constexpr std::array<std::array<std::string_view, 3>, 2> kPairs = {{
      {"mlat", "mlon", ""},
      {"lat", "lon", "lng"},
  }};
  for (const auto& pair : kPairs) {
    auto latitude = Parameter(address, pair[0]);
    auto longitude = Parameter(address, pair[1]);
    if (!longitude && !pair[2].empty()) longitude = Parameter(address, pair[2]);
    if (latitude && longitude) {
      if (auto position = Within(Number(*latitude), Number(*longitude))) return position;
    }
  }
  return std::nullopt;
}

std::optional<Position> Query(std::string_view address) {
  for (std::string_view key : {"q", "ll", "query", "center"}) {
    if (auto value = Parameter(address, key)) {
      if (auto position = CommaPair(*value)) return position;
    }
  }
  return std::nullopt;
}

// "@47.37819,8.54019,15z": the centre, then the zoom.
std::optional<Position> AtCentre(std::string_view address) {
  size_t at = address.find('@');
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = address.substr(at + 1);
  size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  size_t end = rest.find_first_of(",/?&#", comma + 1);
  return CommaPair(rest.substr(0, end));
}

// "#map=15/47.37819/8.54019": zoom, latitude, longitude.
std::optional<Position> MapFragment(std::string_view address) {
  auto value = Parameter(address, "map");
  if (!value) return std::nullopt;
  size_t first = value->find('/');
  if (first == std::string_view::npos) return std::nullopt;
  size_t second = value->find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  if (!Number(value->substr(0, first))) return std::nullopt;
  std::string_view longitude = value->substr(second + 1);
  return Within(Number(value->substr(first + 1, second - first - 1)),
                Number(longitude.substr(0, longitude.find('/'))));
}

// "geo:47.37819,8.54019[,altitude][;parameters]".
std::optional<Position> GeoAddress(std::string_view address) {
  if (address.substr(0, 4) != "geo:") return std::nullopt;
  std::string_view value = address.substr(4);
  value = value.substr(0, value.find(';'));
  size_t comma = value.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  size_t altitude = value.find(',', comma + 1);
  return CommaPair(value.substr(0, altitude));
}

}  // namespace

std::optional<Position> FindPositionInAddress(std::string_view text) {
  if (text.empty() || text.find_first_of(" \t\r\n") != std::string_view::npos) return std::nullopt;
  for (auto finder : {&Marker, &Query, &AtCentre, &MapFragment, &GeoAddress}) {
    if (auto position = finder(text)) return position;
  }
  return std::nullopt;
}

}  // namespace tarvik::waypoints::exchange
