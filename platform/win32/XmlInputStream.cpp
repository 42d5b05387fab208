#include "platform/win32/XmlInputStream.h"

namespace tarvik::platform::win32 {

HRESULT XmlInputStream::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (id == __uuidof(IUnknown) || id == __uuidof(ISequentialStream)) {
    *object = static_cast<ISequentialStream*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

// Fewer bytes than wanted only at the end of the text; a document that
// cannot be made again as it was checked is a read fault.
HRESULT XmlInputStream::Read(void* buffer, ULONG wanted, ULONG* read) {
  if (!buffer) return STG_E_INVALIDPOINTER;
  std::size_t count = text_.Read(static_cast<char*>(buffer), wanted);
  if (read) *read = static_cast<ULONG>(count);
  if (text_.Failed()) return STG_E_READFAULT;
  return count == wanted ? S_OK : S_FALSE;
}

}  // namespace tarvik::platform::win32
