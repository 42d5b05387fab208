// Feeds arbitrary bytes to the KMZ reader and then to the checks every XML
// document passes before the XML library sees it. A KMZ gives either a
// KML within the limits or a reason; the checks either refuse with a
// reason the program can name or hand on UTF-8 text.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/xml/XmlEncoding.h"
#include "platform/xml/XmlInput.h"
#include "waypoints/kmz/KmzArchive.h"
#include "waypoints/kmz/ZipEntryData.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvik;
  auto opened = waypoints::kmz::KmlOfKmz(std::span(data, size));
  Check(opened.kml.has_value() != !opened.refusal.empty());
  platform::Bytes document = opened.kml ? std::move(*opened.kml) : platform::Bytes(data, data + size);
  Check(document.size() <= waypoints::kmz::kMaxUnpackedBytes);
  auto input = platform::xml::XmlInput::From(std::move(document));
  if (input.Problem().ok()) {
    Check(!platform::xml::FirstMalformedUtf8Line(input.Text()).has_value());
  } else {
    Check(input.Problem().line >= 1);
  }
  return 0;
}
