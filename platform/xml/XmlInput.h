#pragma once

#include <string>
#include <string_view>

#include "platform/Files.h"
#include "platform/Xml.h"

namespace tarvik::platform::xml {

// A document as the XML library is given it: UTF-8 whose declaration, if
// any, says so, checked as CheckStructure checks it.
class XmlInput {
 public:
  // The file's bytes, kept as they are when they are UTF-8 already.
  static XmlInput From(Bytes document);

  // None, or why the document is refused before the library sees it.
  const XmlReadResult& Problem() const { return problem_; }
  std::string_view Text() const;

 private:
  XmlReadResult problem_;
  Bytes original_;
  std::string converted_;
  bool is_converted_ = false;
};

}  // namespace tarvik::platform::xml
