#include "platform/xml/XmlInput.h"

#include <algorithm>
#include <cstring>

#include "platform/xml/XmlStructure.h"

namespace tarvik::platform::xml {

namespace {

std::string_view Chars(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

// A fault of the encoding comes before one of the outline, wherever each
// stands, as when the whole document is first decoded and then checked.
XmlReadResult CheckXmlInput(DocumentPieces& document) {
  document.Restart();
  XmlDecoder decoder;
  StructureCheck outline;
  for (auto piece = document.Next(); !piece.empty(); piece = document.Next()) {
    if (!decoder.Problem().ok()) continue;
    std::string_view text = decoder.Take(Chars(piece));
    if (!outline.Done()) outline.Take(text);
  }
  std::string_view rest = decoder.Finish();
  if (!decoder.Problem().ok()) return decoder.Problem();
  if (!outline.Done()) outline.Take(rest);
  return outline.Finish();
}

XmlInputText::XmlInputText(DocumentPieces& document) : document_(document) { document_.Restart(); }

std::size_t XmlInputText::Read(char* into, std::size_t room) {
  std::size_t read = 0;
  while (read < room && !failed_) {
    if (pending_.empty()) {
      if (ended_) break;
      auto piece = document_.Next();
      if (!piece.empty()) {
        pending_ = decoder_.Take(Chars(piece));
      } else {
        pending_ = decoder_.Finish();
        ended_ = true;
      }
      failed_ = document_.Failed() || !decoder_.Problem().ok();
      continue;
    }
    std::size_t count = std::min(room - read, pending_.size());
    std::memcpy(into + read, pending_.data(), count);
    pending_.remove_prefix(count);
    read += count;
  }
  return failed_ ? 0 : read;
}

}  // namespace tarvik::platform::xml
