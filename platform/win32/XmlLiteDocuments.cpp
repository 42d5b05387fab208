#include "platform/win32/XmlLiteDocuments.h"

#include <wrl/client.h>

#include <cstdlib>

#include "platform/win32/XmlInputStream.h"
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
  BytesInPieces document(bytes.value);
  return ReadPieces(document, handler);
}

// The document is read through twice: by the checks, which keep none of
// it, and then by XmlLite, its text made again a piece at a time. A
// document in memory gives the same bytes both times, so what was checked
// is exactly what is read, and a file that changes meanwhile cannot slip
// past the checks.
XmlReadResult XmlLiteDocuments::ReadPieces(DocumentPieces& document, XmlHandler& handler) {
  const XmlReadResult checked = xml::CheckXmlInput(document);
  if (document.Failed()) return {XmlProblem::Unreadable};
  if (!checked.ok()) return checked;
  const XmlLiteFunctions* xml_lite = LoadXmlLite();
  if (!xml_lite) return {XmlProblem::NoLibrary};

  xml::XmlInputText text(document);
  XmlInputStream stream(text);
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
  if (document.Failed()) return {XmlProblem::Unreadable};
  return result;
}

std::unique_ptr<XmlWriter> XmlLiteDocuments::NewWriter() {
  return std::make_unique<XmlLiteWriter>(LoadXmlLite());
}

}  // namespace tarvik::platform::win32
