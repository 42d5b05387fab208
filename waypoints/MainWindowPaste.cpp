// Positions pasted into the main window's entry boxes, as people copy them
// from map programs and web maps.
#include "app/Form_Tarvik.h"
#include "waypoints/exchange/PositionText.h"

namespace tarvik::app {

bool Form_Tarvik::PastePosition(std::string_view text, bool whole_text_only) {
  namespace exchange = waypoints::exchange;
  auto position = whole_text_only ? exchange::ParsePosition(text) : exchange::PastedPosition(text);
  if (!position) return false;
  auto texts = exchange::TextsOf(*position);
  if (!texts) return false;
  c_.Text_Latitude->SetCaption(texts->latitude);
  c_.Text_Longitude->SetCaption(texts->longitude);
  return true;
}

// A name may well look like part of an address; only a text that is a
// position and nothing else is taken as one there.
bool Form_Tarvik::Text_Waypoint_Paste(std::string_view text) { return PastePosition(text, true); }

bool Form_Tarvik::Text_Latitude_Paste(std::string_view text) { return PastePosition(text, false); }

bool Form_Tarvik::Text_Longitude_Paste(std::string_view text) { return PastePosition(text, false); }

}  // namespace tarvik::app
