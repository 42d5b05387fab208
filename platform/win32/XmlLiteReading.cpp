#include "platform/win32/XmlLiteReading.h"

#include <string>
#include <vector>

#include "platform/win32/Utf.h"

namespace tarvik::platform::win32 {

namespace {

// XmlLite's own error codes all lie in this range (xmllite.h: MX_, WC_, NC_).
constexpr HRESULT kFirstXmlError = static_cast<HRESULT>(0xC00CEE00);
constexpr HRESULT kLastXmlError = static_cast<HRESULT>(0xC00CEEFF);
// Texts come out of the reader in pieces of this many characters, so that
// an enormous one is refused before it is held whole.
constexpr UINT kChunkCharacters = 64 * 1024;

XmlProblem ProblemOf(HRESULT error) {
  switch (static_cast<unsigned long>(error)) {
    case MX_E_ENCODING:
    case MX_E_ENCODINGSWITCH:
    case MX_E_ENCODINGSIGNATURE:
    case WC_E_XMLCHARACTER:
      return XmlProblem::Encoding;
    case WC_E_DTDPROHIBITED:
      return XmlProblem::DocumentType;
    default:
      break;
  }
  if (error >= kFirstXmlError && error <= kLastXmlError) return XmlProblem::Malformed;
  return XmlProblem::Unreadable;
}

class Reading {
 public:
  Reading(IXmlReader& reader, XmlHandler& handler) : reader_(reader), handler_(handler) {}

  // Every node must stand somewhere else than the one before: at the end of
  // an input cut inside a text, a comment or a CDATA section, Wine's reader
  // answers S_OK with the same node at the same place, for ever.
  XmlReadResult Run() {
    XmlNodeType type = XmlNodeType_None;
    HRESULT result = S_OK;
    Place last{};
    std::size_t nodes = 0;
    while ((result = reader_.Read(&type)) == S_OK) {
      if (++nodes > kMaxXmlNodes) return At(XmlProblem::TooManyNodes);
      Place here = PlaceOf(type);
      if (here == last) return At(XmlProblem::Stalled);
      last = here;
      XmlProblem problem = Take(type);
      if (problem != XmlProblem::None) return At(problem);
    }
    if (FAILED(result)) return At(ProblemOf(result));
    return {};
  }

 private:
  struct Place {
    XmlNodeType type = XmlNodeType_None;
    UINT line = 0;
    UINT column = 0;
    bool operator==(const Place&) const = default;
  };

  Place PlaceOf(XmlNodeType type) {
    Place place{type, 0, 0};
    reader_.GetLineNumber(&place.line);
    reader_.GetLinePosition(&place.column);
    return place;
  }

  XmlProblem Take(XmlNodeType type) {
    switch (type) {
      case XmlNodeType_Element:
        return Element();
      case XmlNodeType_EndElement:
        return Go(handler_.EndElement(Narrow(LocalName())));
      case XmlNodeType_Text:
      case XmlNodeType_CDATA:
      case XmlNodeType_Whitespace:
        return Text();
      case XmlNodeType_DocumentType:
        // Never expanded; should a reader ever pass one on, it is still refused.
        return XmlProblem::DocumentType;
      default:
        return XmlProblem::None;
    }
  }

  XmlProblem Element() {
    std::string name = Narrow(LocalName());
    UINT line = 0;
    reader_.GetLineNumber(&line);
    // Read before the attributes move the reader away from the element.
    bool empty = reader_.IsEmptyElement() != FALSE;
    attributes_.clear();
    for (HRESULT more = reader_.MoveToFirstAttribute(); more == S_OK;
         more = reader_.MoveToNextAttribute()) {
      const wchar_t* value = nullptr;
      UINT length = 0;
      if (FAILED(reader_.GetValue(&value, &length))) return XmlProblem::Malformed;
      if (length > kMaxXmlAttributeCharacters) return XmlProblem::AttributeTooLong;
      attributes_.push_back({Narrow(LocalName()), Narrow(std::wstring_view(value, length))});
    }
    reader_.MoveToElement();
    if (!handler_.StartElement(name, attributes_, static_cast<int>(line))) {
      return XmlProblem::Stopped;
    }
    return empty ? Go(handler_.EndElement(name)) : XmlProblem::None;
  }

  XmlProblem Text() {
    text_.clear();
    for (;;) {
      UINT read = 0;
      HRESULT result = reader_.ReadValueChunk(chunk_.data(), kChunkCharacters, &read);
      if (FAILED(result)) return ProblemOf(result);
      text_.append(chunk_.data(), read);
      if (text_.size() > kMaxXmlTextCharacters) return XmlProblem::TextTooLong;
      if (result == S_FALSE || read == 0) break;
    }
    return Go(handler_.Text(Narrow(text_)));
  }

  std::wstring_view LocalName() {
    const wchar_t* name = nullptr;
    UINT length = 0;
    if (FAILED(reader_.GetLocalName(&name, &length)) || !name) return {};
    return {name, length};
  }

  static XmlProblem Go(bool go) { return go ? XmlProblem::None : XmlProblem::Stopped; }

  XmlReadResult At(XmlProblem problem) {
    UINT line = 0;
    UINT column = 0;
    reader_.GetLineNumber(&line);
    reader_.GetLinePosition(&column);
    return {problem, static_cast<int>(line), static_cast<int>(column)};
  }

  IXmlReader& reader_;
  XmlHandler& handler_;
  std::vector<XmlAttribute> attributes_;
  std::wstring text_;
  std::vector<wchar_t> chunk_ = std::vector<wchar_t>(kChunkCharacters);
};

}  // namespace

XmlReadResult ReadNodes(IXmlReader& reader, XmlHandler& handler) {
  return Reading(reader, handler).Run();
}

}  // namespace tarvik::platform::win32
