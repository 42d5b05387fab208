#include "platform/win32/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace tarvik::platform::win32 {

HRESULT MemoryStream::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (id == __uuidof(IUnknown) || id == __uuidof(ISequentialStream) || id == __uuidof(IStream)) {
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT MemoryStream::Read(void* buffer, ULONG wanted, ULONG* read) {
  if (!buffer) return STG_E_INVALIDPOINTER;
  std::size_t count = std::min<std::size_t>(wanted, bytes_.size() - position_);
  std::memcpy(buffer, bytes_.data() + position_, count);
  position_ += count;
  if (read) *read = static_cast<ULONG>(count);
  return count == wanted ? S_OK : S_FALSE;
}

HRESULT MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
  LONGLONG base = origin == STREAM_SEEK_SET   ? 0
                  : origin == STREAM_SEEK_CUR ? static_cast<LONGLONG>(position_)
                  : origin == STREAM_SEEK_END ? static_cast<LONGLONG>(bytes_.size())
                                              : -1;
  if (base < 0) return STG_E_INVALIDFUNCTION;
  LONGLONG target = base + move.QuadPart;
  if (target < 0 || target > static_cast<LONGLONG>(bytes_.size())) return STG_E_INVALIDFUNCTION;
  position_ = static_cast<std::size_t>(target);
  if (position) position->QuadPart = static_cast<ULONGLONG>(target);
  return S_OK;
}

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD) {
  if (!stat) return STG_E_INVALIDPOINTER;
  *stat = {};
  stat->type = STGTY_STREAM;
  stat->cbSize.QuadPart = bytes_.size();
  stat->grfMode = STGM_READ;
  return S_OK;
}

}  // namespace tarvik::platform::win32
