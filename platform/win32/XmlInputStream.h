#pragma once

#include <windows.h>

#include <objidl.h>

#include "platform/xml/XmlInput.h"

namespace tarvik::platform::win32 {

// A read-only sequential stream over a checked document's text, made a
// piece at a time as the XML library reads it, so that neither the
// document nor its text is ever held whole. It lives on the caller's
// stack: whoever is handed it must let it go before the caller returns,
// and its reference count only guards against a release too many.
class XmlInputStream final : public ISequentialStream {
 public:
  explicit XmlInputStream(xml::XmlInputText& text) : text_(text) {}
  XmlInputStream(const XmlInputStream&) = delete;
  XmlInputStream& operator=(const XmlInputStream&) = delete;
  ~XmlInputStream() = default;

  // Still held by someone: the caller must not end while this is true.
  bool Held() const { return references_ > 1; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return references_ > 1 ? --references_ : 1; }

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG wanted, ULONG* read) override;
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }

 private:
  xml::XmlInputText& text_;
  ULONG references_ = 1;  // the caller's own
};

}  // namespace tarvik::platform::win32
