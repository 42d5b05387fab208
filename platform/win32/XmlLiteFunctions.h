#pragma once

#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>
#include <xmllite.h>

namespace tarvik::platform::win32 {

// XmlLite (xmllite.dll, part of Windows since XP SP2 and of Wine) and the
// shell's streams it reads and writes through. mingw-w64 ships XmlLite's
// header but no import library, and most runs of the program never import
// or export, so both DLLs are loaded on first use (see SystemFunction).
struct XmlLiteFunctions {
  decltype(&CreateXmlReader) create_reader = nullptr;
  decltype(&CreateXmlWriter) create_writer = nullptr;
  decltype(&SHCreateStreamOnFileEx) stream_on_file = nullptr;
  decltype(&SHCreateMemStream) memory_stream = nullptr;
};

// Loaded once; null when a DLL or one of its functions is missing.
const XmlLiteFunctions* LoadXmlLite();

}  // namespace tarvik::platform::win32
