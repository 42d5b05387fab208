#pragma once

#include <windows.h>

#include <objidl.h>
#include <wrl/client.h>
#include <xmllite.h>

#include "platform/Xml.h"
#include "platform/win32/XmlLiteFunctions.h"

namespace tarvik::platform::win32 {

// A document written by XmlLite into memory: UTF-8 without a byte-order
// mark, indented. Any failing call makes Finish give nothing.
class XmlLiteWriter : public XmlWriter {
 public:
  // Null functions (no XmlLite) give a writer that only fails.
  explicit XmlLiteWriter(const XmlLiteFunctions* xml_lite);

  void StartElement(std::string_view local_name, std::string_view namespace_uri) override;
  void Attribute(std::string_view local_name, std::string_view value) override;
  void Text(std::string_view text) override;
  void EndElement() override;
  std::optional<Bytes> Finish() override;

 private:
  bool Usable() const { return writer_ && !failed_; }
  void Check(HRESULT result) {
    if (FAILED(result)) failed_ = true;
  }

  Microsoft::WRL::ComPtr<IStream> stream_;
  Microsoft::WRL::ComPtr<IXmlWriter> writer_;
  bool failed_ = false;
};

}  // namespace tarvik::platform::win32
