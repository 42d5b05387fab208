#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/Xml.h"
#include "platform/memory/MemoryFiles.h"

namespace tarvik::platform::memory {

// XML documents for native tests, kept in MemoryFiles. What a writer made,
// a reader gives back event for event: the bytes are a plain record of the
// writer's calls, not XML, so no parser is needed. Tests of real XML run
// under Wine against the system's library.
class MemoryXmlDocuments : public XmlDocuments {
 public:
  explicit MemoryXmlDocuments(MemoryFiles& files) : files_(files) {}

  XmlReadResult Read(std::string_view path, XmlHandler& handler) override;
  XmlReadResult ReadPieces(DocumentPieces& document, XmlHandler& handler) override;
  std::unique_ptr<XmlWriter> NewWriter() override;

  // Reading this path ends in `result` without a single event, as the
  // system's reader does for a DTD or a file that is too large.
  void FailReading(std::string_view path, XmlReadResult result);
  // The next writer fails on its `call`th call (from 1).
  void FailWriting(int call) { fail_writing_at_ = call; }

 private:
  MemoryFiles& files_;
  std::map<std::string, XmlReadResult> failures_;
  int fail_writing_at_ = 0;
};

}  // namespace tarvik::platform::memory
