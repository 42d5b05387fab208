#pragma once

#include <windows.h>

#include <objidl.h>
#include <xmllite.h>

#include "platform/Xml.h"

namespace tarvik::platform::win32 {

// Walks an XmlLite reader's nodes and hands elements, attributes and texts
// to the handler; a problem comes back with the reader's line and column.
XmlReadResult ReadNodes(IXmlReader& reader, XmlHandler& handler);

}  // namespace tarvik::platform::win32
