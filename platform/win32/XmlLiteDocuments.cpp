#include "platform/win32/XmlLiteDocuments.h"

#include <wrl/client.h>

#include <cstdlib>

#include "platform/win32/MemoryStream.h"
#include "platform/win32/XmlLiteFunctions.h"
#include "platform/win32/XmlLiteReading.h"
#include "platform/win32/XmlLiteWriter.h"
#include "platform/xml/XmlInput.h"

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

}  // namespace

XmlReadResult XmlLiteDocuments::Read(std::string_view path, XmlHandler& handler) {
  auto bytes = files_.ReadAll(path);
  if (!bytes.ok()) return {ProblemOf(bytes.status)};
  return ReadBytes(std::move(bytes.value), handler);
}

// The whole document stays in memory while XmlLite reads it: what was
// checked is exactly what is read, and a file that changes meanwhile
// cannot slip past the checks.
XmlReadResult XmlLiteDocuments::ReadBytes(Bytes document, XmlHandler& handler) {
  const xml::XmlInput input = xml::XmlInput::From(std::move(document));
  if (!input.Problem().ok()) return input.Problem();
  const XmlLiteFunctions* xml_lite = LoadXmlLite();
  if (!xml_lite) return {XmlProblem::NoLibrary};

  MemoryStream stream(input.Text());
  XmlReadResult result{XmlProblem::NoLibrary};
  {
    ComPtr<IXmlReader> reader;
    if (SUCCEEDED(xml_lite->create_reader(__uuidof(IXmlReader),
                                          reinterpret_cast<void**>(reader.GetAddressOf()),
                                          nullptr)) &&
        SUCCEEDED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) &&
        SUCCEEDED(reader->SetInput(&stream))) {
      result = ReadNodes(*reader.Get(), handler);
    }
    if (reader) reader->SetInput(nullptr);
  }
  // XmlLite lets go of its input with the reader; a library that kept it
  // would read freed memory later, so that is no reason to go on.
  if (stream.Held()) std::abort();
  return result;
}

std::unique_ptr<XmlWriter> XmlLiteDocuments::NewWriter() {
  return std::make_unique<XmlLiteWriter>(LoadXmlLite());
}

}  // namespace tarvik::platform::win32
