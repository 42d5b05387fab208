// Feeds arbitrary bytes to the KMZ reader and then to the checks every XML
// document passes before the XML library sees it. A KMZ gives either a
// KML within the limits, the same each time it is unpacked, or a reason;
// the checks either refuse with a reason the program can name or hand on
// UTF-8 text, and judge and give the same in pieces of any size as whole.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/DocumentPieces.h"
#include "platform/xml/XmlInput.h"
#include "waypoints/exchange/Windows1252.h"
#include "waypoints/kmz/KmzArchive.h"

namespace {

using namespace tarvik;

void Check(bool condition) {
  if (!condition) std::abort();
}

struct Judged {
  platform::XmlReadResult problem;
  std::string text;
  bool operator==(const Judged& other) const {
    return problem.problem == other.problem.problem && problem.line == other.problem.line &&
           problem.encoding == other.problem.encoding && text == other.text;
  }
};

Judged Judge(platform::DocumentPieces& document) {
  Judged judged{platform::xml::CheckXmlInput(document), {}};
  if (!judged.problem.ok() || document.Failed()) return judged;
  platform::xml::XmlInputText text(document);
  char buffer[4096];
  while (std::size_t read = text.Read(buffer, sizeof buffer)) judged.text.append(buffer, read);
  Check(!text.Failed());
  return judged;
}

platform::Bytes Unpacked(platform::DocumentPieces& document) {
  platform::Bytes bytes;
  document.Restart();
  for (auto piece = document.Next(); !piece.empty(); piece = document.Next()) {
    bytes.insert(bytes.end(), piece.begin(), piece.end());
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto opened = waypoints::kmz::KmlOfKmz(std::span(data, size));
  Check(opened.kml.has_value() != !opened.refusal.empty());
  platform::Bytes document(data, data + size);
  if (opened.kml) {
    Judged as_read = Judge(*opened.kml);
    if (opened.kml->Failed()) {
      Check(!waypoints::kmz::KmzRefusal(opened.kml->Problem()).empty());
      return 0;
    }
    document = Unpacked(*opened.kml);
    Check(!opened.kml->Failed() && document.size() <= waypoints::kmz::kMaxUnpackedBytes);
    platform::BytesInPieces whole(document, document.size());
    Check(Judge(whole) == as_read);
  }
  platform::BytesInPieces whole(document, document.size());
  platform::BytesInPieces pieces(document, 1 + (size > 0 ? data[size - 1] % 61 : 0));
  Judged judged = Judge(whole);
  Check(Judge(pieces) == judged);
  if (judged.problem.ok()) {
    Check(!waypoints::exchange::FirstNonUtf8Line(judged.text).has_value());
  } else {
    Check(judged.problem.line >= 1);
  }
  return 0;
}
