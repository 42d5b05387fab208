#pragma once

#include <windows.h>

#include "platform/Xml.h"
#include "platform/win32/Handles.h"
#include "platform/win32/XmlLiteWriter.h"

namespace tarvik::platform::win32 {

// XML through XmlLite (xmllite.dll, part of Windows since XP SP2 and of
// Wine). mingw-w64 ships its header but no import library, so the DLL is
// loaded from the system folder when first needed.
class XmlLiteDocuments : public XmlDocuments {
 public:
  XmlReadResult Read(std::string_view path, XmlHandler& handler) override;
  std::unique_ptr<XmlWriter> NewWriter() override;

  using CreateFunction = CreateXmlFunction;

 private:
  // Loads the DLL once; false when it or its functions are missing.
  bool Load();

  UniqueModule library_;
  CreateFunction create_reader_ = nullptr;
  CreateFunction create_writer_ = nullptr;
  bool tried_ = false;
};

}  // namespace tarvik::platform::win32
