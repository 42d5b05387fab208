#pragma once

#include "platform/Files.h"
#include "platform/Xml.h"

namespace tarvik::platform::win32 {

// XML files through XmlLite, which never processes a DTD here.
class XmlLiteDocuments : public XmlDocuments {
 public:
  // `files` reads a document whole: it is checked, and converted to UTF-8
  // when it is not, as XmlLite reads it from memory.
  explicit XmlLiteDocuments(const Files& files) : files_(files) {}

  XmlReadResult Read(std::string_view path, XmlHandler& handler) override;
  XmlReadResult ReadPieces(DocumentPieces& document, XmlHandler& handler) override;
  std::unique_ptr<XmlWriter> NewWriter() override;

 private:
  const Files& files_;
};

}  // namespace tarvik::platform::win32
