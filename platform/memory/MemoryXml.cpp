#include "platform/memory/MemoryXml.h"

#include <vector>

namespace tarvik::platform::memory {

namespace {

// The first line of every document a memory writer makes.
constexpr std::string_view kHeader = "memory-xml";

std::string Escape(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\')
      escaped += "\\\\";
    else if (c == '\n')
      escaped += "\\n";
    else
      escaped += c;
  }
  return escaped;
}

std::string Unescape(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      plain += text[i + 1] == 'n' ? '\n' : text[i + 1];
      ++i;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

class MemoryXmlWriter : public XmlWriter {
 public:
  explicit MemoryXmlWriter(int fail_at) : fail_at_(fail_at) { text_ = std::string(kHeader) + "\n"; }

  void StartElement(std::string_view local_name, std::string_view namespace_uri) override {
    if (!Call()) return;
    text_ += "<" + Escape(local_name) + "\t" + Escape(namespace_uri) + "\n";
    open_.emplace_back(local_name);
    attributes_allowed_ = true;
  }
  void Attribute(std::string_view local_name, std::string_view value) override {
    // As in XML, attributes belong right after their element's start.
    if (!Call() || !attributes_allowed_) return Fail();
    text_ += "@" + Escape(local_name) + "=" + Escape(value) + "\n";
  }
  void Text(std::string_view text) override {
    if (!Call() || open_.empty()) return Fail();
    text_ += "=" + Escape(text) + "\n";
    attributes_allowed_ = false;
  }
  void EndElement() override {
    if (!Call() || open_.empty()) return Fail();
    open_.pop_back();
    text_ += ">\n";
    attributes_allowed_ = false;
  }
  std::optional<Bytes> Finish() override {
    if (failed_ || !open_.empty()) return std::nullopt;
    return Bytes(text_.begin(), text_.end());
  }

 private:
  bool Call() {
    if (++calls_ == fail_at_) failed_ = true;
    return !failed_;
  }
  void Fail() { failed_ = true; }

  std::string text_;
  std::vector<std::string> open_;
  bool attributes_allowed_ = false;
  bool failed_ = false;
  int calls_ = 0;
  int fail_at_;
};

class Replay {
 public:
  explicit Replay(XmlHandler& handler) : handler_(handler) {}

  XmlReadResult Run(std::string_view text) {
    int line = 0;
    bool ok = true;
    // Not a memory document at all, rather than one cut short.
    if (!text.starts_with(std::string(kHeader) + "\n")) return Malformed(1);
    while (ok && !text.empty()) {
      ++line;
      size_t end = text.find('\n');
      if (end == std::string_view::npos) return EndsEarly(line);
      std::string_view record = text.substr(0, end);
      text.remove_prefix(end + 1);
      ok = line == 1 ? record == kHeader : Take(record, line);
    }
    if (ok) ok = line >= 2 && Flush();
    if (stopped_) return {XmlProblem::Stopped, line};
    if (!ok) return Malformed(line);
    // As the system's reader is checked: a document cut short is refused,
    // though every element it did open was reported.
    if (!open_.empty()) return EndsEarly(line);
    return {};
  }

 private:
  static XmlReadResult Malformed(int line) { return {XmlProblem::Malformed, line, 1}; }
  static XmlReadResult EndsEarly(int line) { return {XmlProblem::EndsEarly, line, 0}; }

  bool Take(std::string_view record, int line) {
    if (record.empty()) return false;
    std::string_view rest = record.substr(1);
    switch (record[0]) {
      case '<': {
        if (!Flush()) return false;
        pending_ = Unescape(rest.substr(0, rest.find('\t')));
        pending_line_ = line;
        return true;
      }
      case '@': {
        size_t equals = rest.find('=');
        if (!pending_ || equals == std::string_view::npos) return false;
        attributes_.push_back(
            {Unescape(rest.substr(0, equals)), Unescape(rest.substr(equals + 1))});
        return true;
      }
      case '=':
        return Flush() && !open_.empty() && Go(handler_.Text(Unescape(rest)));
      case '>': {
        if (!Flush() || open_.empty()) return false;
        std::string name = std::move(open_.back());
        open_.pop_back();
        return Go(handler_.EndElement(name));
      }
      default:
        return false;
    }
  }

  bool Flush() {
    if (!pending_) return true;
    std::string name = std::move(*pending_);
    pending_.reset();
    open_.push_back(name);
    bool go = handler_.StartElement(name, attributes_, pending_line_);
    attributes_.clear();
    return Go(go);
  }

  bool Go(bool go) {
    if (!go) stopped_ = true;
    return go;
  }

  XmlHandler& handler_;
  std::optional<std::string> pending_;
  int pending_line_ = 0;
  std::vector<XmlAttribute> attributes_;
  std::vector<std::string> open_;
  bool stopped_ = false;
};

}  // namespace

XmlReadResult MemoryXmlDocuments::Read(std::string_view path, XmlHandler& handler) {
  auto failure = failures_.find(std::string(path));
  if (failure != failures_.end()) return failure->second;
  auto bytes = files_.ReadAll(path);
  if (bytes.status == FileStatus::NotFound) return {XmlProblem::NotFound};
  if (!bytes.ok()) return {XmlProblem::Unreadable};
  BytesInPieces document(bytes.value);
  return ReadPieces(document, handler);
}

XmlReadResult MemoryXmlDocuments::ReadPieces(DocumentPieces& document, XmlHandler& handler) {
  std::string text;
  document.Restart();
  for (auto piece = document.Next(); !piece.empty(); piece = document.Next()) {
    text.append(reinterpret_cast<const char*>(piece.data()), piece.size());
  }
  if (document.Failed()) return {XmlProblem::Unreadable};
  return Replay(handler).Run(text);
}

std::unique_ptr<XmlWriter> MemoryXmlDocuments::NewWriter() {
  int fail_at = fail_writing_at_;
  fail_writing_at_ = 0;
  return std::make_unique<MemoryXmlWriter>(fail_at);
}

void MemoryXmlDocuments::FailReading(std::string_view path, XmlReadResult result) {
  failures_[std::string(path)] = result;
}

}  // namespace tarvik::platform::memory
