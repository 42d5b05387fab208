#include "platform/win32/XmlLiteDocuments.h"

#include <shlwapi.h>
#include <wrl/client.h>
#include <xmllite.h>

#include "platform/win32/Utf.h"
#include "platform/win32/XmlEncodingCheck.h"
#include "platform/win32/XmlLiteReading.h"
#include "platform/win32/XmlLiteWriter.h"

namespace tarvik::platform::win32 {

using Microsoft::WRL::ComPtr;

namespace {

XmlReadResult OpenProblem(DWORD error) {
  bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  return {missing ? XmlProblem::NotFound : XmlProblem::Unreadable};
}

}  // namespace

bool XmlLiteDocuments::Load() {
  if (!tried_) {
    tried_ = true;
    // From the system folder only, never from beside a file being opened.
    library_.reset(LoadLibraryExW(L"xmllite.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (library_) {
      create_reader_ = reinterpret_cast<CreateFunction>(
          reinterpret_cast<void*>(GetProcAddress(library_.get(), "CreateXmlReader")));
      create_writer_ = reinterpret_cast<CreateFunction>(
          reinterpret_cast<void*>(GetProcAddress(library_.get(), "CreateXmlWriter")));
    }
  }
  return create_reader_ && create_writer_;
}

XmlReadResult XmlLiteDocuments::Read(std::string_view path, XmlHandler& handler) {
  std::wstring wide_path = Widen(path);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide_path.c_str(), GetFileExInfoStandard, &data)) {
    return OpenProblem(GetLastError());
  }
  ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  if (size > kMaxXmlFileBytes) return {XmlProblem::TooLarge};
  if (!Load()) return {XmlProblem::NoLibrary};
  {
    auto bytes = ReadWholeFile(wide_path, size);
    if (!bytes) return {XmlProblem::Unreadable};
    if (auto line = FirstMalformedUtf8Line(*bytes)) return {XmlProblem::Encoding, *line, 0};
  }

  ComPtr<IStream> stream;
  HRESULT opened = SHCreateStreamOnFileEx(wide_path.c_str(), STGM_READ | STGM_SHARE_DENY_WRITE,
                                          FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, &stream);
  if (FAILED(opened)) return OpenProblem(HRESULT_CODE(opened));
  ComPtr<IXmlReader> reader;
  if (FAILED(create_reader_(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.GetAddressOf()),
                            nullptr)) ||
      FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetInput(stream.Get()))) {
    return {XmlProblem::NoLibrary};
  }
  return ReadNodes(*reader.Get(), handler);
}

std::unique_ptr<XmlWriter> XmlLiteDocuments::NewWriter() {
  return std::make_unique<XmlLiteWriter>(Load() ? create_writer_ : nullptr);
}

}  // namespace tarvik::platform::win32
