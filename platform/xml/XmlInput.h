#pragma once

#include <cstddef>
#include <string_view>

#include "platform/DocumentPieces.h"
#include "platform/Xml.h"
#include "platform/xml/XmlDecoder.h"

namespace tarvik::platform::xml {

// A document as the XML library is given it: UTF-8 whose declaration, if
// any, says so (XmlDecoder), its outline checked (StructureCheck). It is
// read twice, a piece at a time, and never held whole: once through the
// checks, then again for the library.

// None, or why the document is refused before the library sees it. Every
// piece is read, also after a fault, so that a document that checks itself
// as it ends (a zip entry's size and CRC) has done so; one that fails has
// its own reason, and this result does not count.
XmlReadResult CheckXmlInput(DocumentPieces& document);

// The checked document's text, made again from its start as the library
// asks for it.
class XmlInputText {
 public:
  explicit XmlInputText(DocumentPieces& document);

  // Up to `room` bytes of the text into `into`; fewer only at its end.
  std::size_t Read(char* into, std::size_t room);
  // The document could not be read again as it was checked.
  bool Failed() const { return failed_; }

 private:
  DocumentPieces& document_;
  XmlDecoder decoder_ = XmlDecoder::ForCheckedBytes();
  std::string_view pending_;  // decoded and not yet read
  bool ended_ = false;
  bool failed_ = false;
};

}  // namespace tarvik::platform::xml
