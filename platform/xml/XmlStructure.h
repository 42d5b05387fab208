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
// sections and processing instructions begin and end, and quotes within
// tags. Whether the rest is well-formed is the library's to say.
// EndsEarly or AttributeTooLong with its line, or None.
XmlReadResult CheckStructure(std::string_view utf8);

}  // namespace tarvik::platform::xml
