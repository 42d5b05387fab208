#include "platform/win32/XmlLiteDocuments.h"

#include <wrl/client.h>

#include "platform/win32/Utf.h"
#include "platform/win32/XmlEncodingCheck.h"
#include "platform/win32/XmlLiteFunctions.h"
#include "platform/win32/XmlLiteReading.h"
#include "platform/win32/XmlLiteWriter.h"

namespace tarvik::platform::win32 {

using Microsoft::WRL::ComPtr;

namespace {

XmlProblem ProblemOf(FileStatus status) {
  switch (status) {
    case FileStatus::NotFound:
      return XmlProblem::NotFound;
    case FileStatus::TooLarge:
      return XmlProblem::TooLarge;
    default:
      return XmlProblem::Unreadable;
  }
}

// What the file holds, checked before XmlLite sees it; the bytes are let go
// before XmlLite reads the file again, so that a large one is not held twice.
XmlReadResult CheckBytes(const Files& files, std::string_view path) {
  auto bytes = files.ReadAll(path);
  if (!bytes.ok()) return {ProblemOf(bytes.status)};
  std::string_view text(reinterpret_cast<const char*>(bytes.value.data()), bytes.value.size());
  if (auto line = FirstMalformedUtf8Line(text)) return {XmlProblem::Encoding, *line, 0};
  return {};
}

}  // namespace

XmlReadResult XmlLiteDocuments::Read(std::string_view path, XmlHandler& handler) {
  if (XmlReadResult checked = CheckBytes(files_, path); !checked.ok()) return checked;
  const XmlLiteFunctions* xml_lite = LoadXmlLite();
  if (!xml_lite) return {XmlProblem::NoLibrary};

  ComPtr<IStream> stream;
  HRESULT opened = xml_lite->stream_on_file(Widen(path).c_str(), STGM_READ | STGM_SHARE_DENY_WRITE,
                                            FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, &stream);
  if (FAILED(opened)) {
    DWORD error = HRESULT_CODE(opened);
    bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? XmlProblem::NotFound : XmlProblem::Unreadable};
  }
  ComPtr<IXmlReader> reader;
  if (FAILED(xml_lite->create_reader(__uuidof(IXmlReader),
                                     reinterpret_cast<void**>(reader.GetAddressOf()), nullptr)) ||
      FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetInput(stream.Get()))) {
    return {XmlProblem::NoLibrary};
  }
  return ReadNodes(*reader.Get(), handler);
}

std::unique_ptr<XmlWriter> XmlLiteDocuments::NewWriter() {
  return std::make_unique<XmlLiteWriter>(LoadXmlLite());
}

}  // namespace tarvik::platform::win32
