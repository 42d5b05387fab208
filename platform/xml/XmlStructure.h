#pragma once

#include <string_view>

#include "platform/Xml.h"

namespace tarvik::platform::xml {

// What an XML library cannot be trusted to say the same way everywhere,
// read from the bytes before it sees them: whether the root element is
// closed in them (a file cut short is refused, where a library may close
// the open elements itself or report the last node over and over), and
// whether an attribute value is longer than kMaxXmlAttributeCharacters (the
// library would hold it whole before anything could refuse it).
//
// Only the markup's outline is followed: where tags, comments, CDATA
// sections and processing instructions begin and end, quotes within tags,
// and which element each end tag closes. Whether the rest is well-formed
// is the library's to say: an end tag that closes another element than the
// one open is left to it, which reports its place.
// EndsEarly or AttributeTooLong with its line, or None.
XmlReadResult CheckStructure(std::string_view utf8);

}  // namespace tarvik::platform::xml
