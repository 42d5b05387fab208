#include "platform/win32/XmlEncodingCheck.h"

#include <windows.h>

#include <string>

namespace tarvik::platform::win32 {

namespace {

// The encoding a document declares, when it is UTF-8 by its byte-order mark,
// by its declaration or by the lack of one, as XML has it.
bool IsUtf8Document(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return true;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return false;
  if (!bytes.starts_with("<?xml")) return true;
  std::string_view declaration = bytes.substr(0, bytes.find("?>"));
  size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return true;
  size_t quote = declaration.find_first_of("\"'", at);
  if (quote == std::string_view::npos) return true;
  size_t end = declaration.find(declaration[quote], quote + 1);
  std::string name(
      declaration.substr(quote + 1, end == std::string_view::npos ? 0 : end - quote - 1));
  for (auto& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return name == "utf-8" || name == "utf8";
}

bool IsUtf8(std::string_view bytes) {
  return bytes.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, 0) > 0;
}

// Where the first byte that is no UTF-8 stands; a sequence never spans a
// line end, so each line can be checked alone.
std::optional<int> FirstNonUtf8Line(std::string_view bytes) {
  if (IsUtf8(bytes)) return std::nullopt;
  int line = 1;
  for (size_t start = 0; start < bytes.size(); ++line) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    if (!IsUtf8(bytes.substr(start, end - start))) return line;
    start = end + 1;
  }
  return line;
}

}  // namespace

std::optional<int> FirstMalformedUtf8Line(std::string_view bytes) {
  if (!IsUtf8Document(bytes)) return std::nullopt;
  return FirstNonUtf8Line(bytes);
}

}  // namespace tarvik::platform::win32
