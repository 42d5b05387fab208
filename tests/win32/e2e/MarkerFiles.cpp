#include "MarkerFiles.h"

#include <fstream>
#include <iterator>

namespace tarvik::e2e {

namespace {

// wchar_t is a UTF-16 unit on Windows: each goes out low byte first.
void AppendUtf16Le(std::string& bytes, const std::wstring& text) {
  for (wchar_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
  }
}

}  // namespace

std::wstring RowOf(const TypedWaypoint& waypoint) {
  return waypoint.name + L'\t' + waypoint.latitude + L'\t' + waypoint.longitude + L"\t2";
}

std::vector<std::wstring> RowsOf(const std::vector<TypedWaypoint>& waypoints) {
  std::vector<std::wstring> rows;
  for (const auto& waypoint : waypoints) rows.push_back(RowOf(waypoint));
  return rows;
}

std::string MarkerFileBytes(const std::vector<TypedWaypoint>& waypoints) {
  std::string bytes = "\xFF\xFE";
  AppendUtf16Le(bytes, L"SIMISA@@@@@@@@@@JINX0I0t______\r\n");
  for (const auto& waypoint : waypoints) {
    AppendUtf16Le(bytes, L"Marker ( " + waypoint.longitude + L' ' + waypoint.latitude + L" \"" +
                             waypoint.name + L"\" 2 )\r\n");
  }
  return bytes;
}

std::wstring ReadableText(const std::string& bytes) {
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto unit = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (unit == 0xFEFF) text += L"<BOM>";
    else if (unit == L'\r') text += L"\\r";
    else if (unit == L'\n') text += L"\\n\n";
    else text += unit;
  }
  if (bytes.size() % 2 != 0) text += L"<odd byte>";
  return text;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return std::nullopt;
  return bytes;
}

bool WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace tarvik::e2e
