#include "platform/xml/XmlInput.h"

#include "platform/xml/XmlEncoding.h"
#include "platform/xml/XmlStructure.h"

namespace tarvik::platform::xml {

namespace {

std::string_view View(const Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

XmlInput XmlInput::From(Bytes document) {
  XmlInput input;
  DeclaredEncoding declared = EncodingOf(View(document));
  switch (declared.encoding) {
    case Encoding::Other:
      input.problem_ = {XmlProblem::UnknownEncoding, 1, 0, declared.name};
      return input;
    case Encoding::Utf8:
      if (auto line = FirstMalformedUtf8Line(View(document))) {
        input.problem_ = {XmlProblem::Encoding, *line, 0};
        return input;
      }
      input.original_ = std::move(document);
      break;
    default: {
      Converted converted = ToUtf8(View(document), declared.encoding);
      document = Bytes();  // not held twice
      if (!converted.text) {
        input.problem_ = {XmlProblem::Encoding, converted.bad_line, 0};
        return input;
      }
      input.converted_ = std::move(*converted.text);
      input.is_converted_ = true;
    }
  }
  input.problem_ = CheckStructure(input.Text());
  return input;
}

std::string_view XmlInput::Text() const {
  return is_converted_ ? std::string_view(converted_) : View(original_);
}

}  // namespace tarvik::platform::xml
