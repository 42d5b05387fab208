#include "waypoints/exchange/XmlWaypointReader.h"

namespace tarvik::waypoints::exchange {

namespace {

using platform::XmlProblem;

std::string At(const platform::XmlReadResult& read) {
  if (read.line <= 0) return {};
  std::string place = " (line " + std::to_string(read.line);
  bool with_column = read.problem == XmlProblem::Malformed || read.problem == XmlProblem::Stalled;
  if (with_column && read.column > 0) {
    place += ", column " + std::to_string(read.column);
  }
  return place + ")";
}

}  // namespace

std::string ReadProblemReason(const platform::XmlReadResult& read) {
  switch (read.problem) {
    case XmlProblem::NotFound:
      return "the file is not there";
    case XmlProblem::TooLarge:
      return "it is larger than " + std::to_string(platform::kLargestReadable / (1024 * 1024)) +
             " MB";
    case XmlProblem::TextTooLong:
      return "it holds a text of more than " + std::to_string(platform::kMaxXmlTextCharacters) +
             " characters" + At(read);
    case XmlProblem::TooManyNodes:
      return "it holds more than " + std::to_string(platform::kMaxXmlNodes) +
             " XML nodes (tags, texts and comments), more than Tarvik reads in a few seconds";
    case XmlProblem::AttributeTooLong:
      return "it holds an attribute of more than " +
             std::to_string(platform::kMaxXmlAttributeCharacters) + " characters" + At(read);
    case XmlProblem::EndsEarly:
      return "it ends too early";
    case XmlProblem::UnknownEncoding:
      return "it is written in " + read.encoding +
             ", an encoding Tarvik does not read (it reads UTF-8, UTF-16, ISO-8859-1 and "
             "Windows-1252)";
    case XmlProblem::Stalled:
      return "the system's XML library stopped moving on in it" + At(read);
    case XmlProblem::DocumentType:
      return "it holds a document type declaration (DTD), which is not accepted" + At(read);
    case XmlProblem::Encoding:
      return "its bytes are not text in its encoding" + At(read);
    case XmlProblem::Malformed:
      return "it is not well-formed XML" + At(read);
    case XmlProblem::NoLibrary:
      return "the system's XML library (xmllite.dll) cannot be loaded";
    case XmlProblem::Unreadable:
    case XmlProblem::Stopped:
    case XmlProblem::None:
      break;
  }
  return "the file cannot be read";
}

bool XmlWaypointReader::GoOn() {
  if (mapping_ && mapping_->PointsSoFar() > kMaxImportedPoints) too_many_ = true;
  return !too_many_;
}

bool XmlWaypointReader::StartElement(std::string_view local_name,
                                     const std::vector<platform::XmlAttribute>& attributes,
                                     int line) {
  if (!mapping_) {
    if (local_name == "kml")
      mapping_ = NewKmlMapping();
    else if (local_name == "gpx")
      mapping_ = NewGpxMapping();
    else {
      unknown_root_ = local_name;
      return false;
    }
  }
  std::string_view parent = open_.empty() ? std::string_view{} : std::string_view(open_.back());
  mapping_->Start(local_name, attributes, line, parent);
  open_.emplace_back(local_name);
  return GoOn();
}

bool XmlWaypointReader::Text(std::string_view text) {
  if (mapping_) mapping_->Text(text);
  return GoOn();
}

bool XmlWaypointReader::EndElement(std::string_view local_name) {
  if (!open_.empty()) open_.pop_back();
  std::string_view parent = open_.empty() ? std::string_view{} : std::string_view(open_.back());
  if (mapping_) mapping_->End(local_name, parent);
  return GoOn();
}

ImportOutcome XmlWaypointReader::Outcome(const platform::XmlReadResult& read) {
  if (unknown_root_) {
    return {
        {},
        ImportRefusal{"it is neither KML nor GPX (its first element is <" + *unknown_root_ + ">)"}};
  }
  if (too_many_) {
    return {{},
            ImportRefusal{"it holds more than " + std::to_string(kMaxImportedPoints) +
                          " waypoints and track points, more than Tarvik imports from one file"}};
  }
  if (!read.ok()) return {{}, ImportRefusal{ReadProblemReason(read)}};
  if (!mapping_) return {{}, ImportRefusal{"it holds no XML element"}};
  return {mapping_->Take(), std::nullopt};
}

}  // namespace tarvik::waypoints::exchange
