#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DocumentPieces.h"
#include "platform/Files.h"

namespace tarvik::platform {

// Reading and writing XML files through the system's XML library. Texts
// are UTF-8; names are local names, without any namespace prefix.

struct XmlAttribute {
  std::string local_name;
  std::string value;
};

// What a reader reports, in document order. An empty element reports its
// start and its end. Each call returns false to stop the reading.
class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual bool StartElement(std::string_view local_name,
                            const std::vector<XmlAttribute>& attributes, int line) = 0;
  // Character data, also from CDATA sections; one element's text may come
  // in several pieces.
  virtual bool Text(std::string_view text) = 0;
  virtual bool EndElement(std::string_view local_name) = 0;
};

// A reader refuses files larger than Files::ReadAll takes (kLargestReadable)
// before reading any of them, and any single text longer than this.
inline constexpr std::size_t kMaxXmlTextCharacters = 16u * 1024 * 1024;
// Nor more nodes (tags, texts, comments) than this: Wine's XmlLite reads
// about a million a second, and every import has to end within 5 s; a
// GPS track of 100,000 points with time and height takes about 900,000.
inline constexpr std::size_t kMaxXmlNodes = 2'000'000;
// Nor any attribute value longer than this: far beyond a coordinate, a name
// or a link, and small enough that the XML library's copy of it costs a few
// MB, where a 100 MB one cost six times that.
inline constexpr std::size_t kMaxXmlAttributeCharacters = 1024u * 1024;

enum class XmlProblem {
  None,
  NotFound,      // no file at the path
  Unreadable,    // the file cannot be opened or read
  TooLarge,      // over kLargestReadable
  TextTooLong,   // a text over kMaxXmlTextCharacters
  TooManyNodes,  // more than kMaxXmlNodes
  AttributeTooLong,  // an attribute value over kMaxXmlAttributeCharacters
  DocumentType,  // a DTD, which is never processed
  Encoding,      // bytes that are not text in the document's encoding
  UnknownEncoding,  // an encoding that is read neither here nor by every XML library
  EndsEarly,     // the root element is not closed in the bytes: a cut file
  Stalled,       // the library reported the same node again instead of moving on
  Malformed,     // not well-formed XML
  Stopped,       // the handler asked to stop
  NoLibrary,     // the system's XML library cannot be used
};

struct XmlReadResult {
  XmlProblem problem = XmlProblem::None;
  int line = 0;  // where the problem was found, when known
  int column = 0;
  std::string encoding = {};  // the declared name, for UnknownEncoding
  bool ok() const { return problem == XmlProblem::None; }
};

// Writes one document, UTF-8, into memory.
class XmlWriter {
 public:
  virtual ~XmlWriter() = default;
  // The namespace, if given, becomes the element's default namespace.
  virtual void StartElement(std::string_view local_name, std::string_view namespace_uri = {}) = 0;
  virtual void Attribute(std::string_view local_name, std::string_view value) = 0;
  virtual void Text(std::string_view text) = 0;
  virtual void EndElement() = 0;
  // The whole document; nullopt when any call failed on the way.
  virtual std::optional<Bytes> Finish() = 0;
};

class XmlDocuments {
 public:
  virtual ~XmlDocuments() = default;
  virtual XmlReadResult Read(std::string_view path, XmlHandler& handler) = 0;
  // The same for a document handed out in pieces (unpacked from an
  // archive), read through more than once; Unreadable when it fails.
  virtual XmlReadResult ReadPieces(DocumentPieces& document, XmlHandler& handler) = 0;
  virtual std::unique_ptr<XmlWriter> NewWriter() = 0;
};

}  // namespace tarvik::platform
