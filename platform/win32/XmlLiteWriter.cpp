#include "platform/win32/XmlLiteWriter.h"

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

XmlLiteWriter::XmlLiteWriter(const XmlLiteFunctions* xml_lite) {
  if (!xml_lite) return;
  stream_.Attach(xml_lite->memory_stream(nullptr, 0));
  if (!stream_) return;
  Check(xml_lite->create_writer(__uuidof(IXmlWriter), reinterpret_cast<void**>(writer_.GetAddressOf()),
                                nullptr));
  if (!writer_) return;
  Check(writer_->SetProperty(XmlWriterProperty_Indent, TRUE));
  // Some GPS programs take a byte-order mark for content.
  Check(writer_->SetProperty(XmlWriterProperty_ByteOrderMark, FALSE));
  Check(writer_->SetOutput(stream_.Get()));
  Check(writer_->WriteStartDocument(XmlStandalone_Omit));
}

void XmlLiteWriter::StartElement(std::string_view local_name, std::string_view namespace_uri) {
  if (!Usable()) return;
  std::wstring uri = Widen(namespace_uri);
  Check(writer_->WriteStartElement(nullptr, Widen(local_name).c_str(),
                                   namespace_uri.empty() ? nullptr : uri.c_str()));
}

void XmlLiteWriter::Attribute(std::string_view local_name, std::string_view value) {
  if (!Usable()) return;
  Check(writer_->WriteAttributeString(nullptr, Widen(local_name).c_str(), nullptr,
                                      Widen(value).c_str()));
}

void XmlLiteWriter::Text(std::string_view text) {
  if (Usable()) Check(writer_->WriteString(Widen(text).c_str()));
}

void XmlLiteWriter::EndElement() {
  if (Usable()) Check(writer_->WriteFullEndElement());
}

std::optional<Bytes> XmlLiteWriter::Finish() {
  if (!Usable()) return std::nullopt;
  Check(writer_->WriteEndDocument());
  Check(writer_->Flush());
  STATSTG stat{};
  Check(stream_->Stat(&stat, STATFLAG_NONAME));
  Check(stream_->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
  if (failed_) return std::nullopt;
  Bytes bytes(static_cast<size_t>(stat.cbSize.QuadPart));
  ULONG read = 0;
  Check(stream_->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read));
  if (failed_ || read != bytes.size()) return std::nullopt;
  return bytes;
}

}  // namespace tarvik::platform::win32
