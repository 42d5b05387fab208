// Loading and writing a Marker file of 100,000 waypoints through the
// portable reader and writer, each as a ratio to the bare work underneath
// (UTF-16LE decode and line split; UTF-16LE encode of the same lines),
// measured in one run. Prints figures; asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/GeneratedRows.h"
#include "waypoints/MarkerFile.h"
#include "waypoints/RowOrder.h"
#include "waypoints/Utf16.h"
#include "waypoints/WaypointRow.h"

namespace {

using namespace tarvik::waypoints;
using Bytes = std::vector<std::uint8_t>;

constexpr int kWaypoints = 100000;
constexpr int kRounds = 7;

std::vector<std::string> SortedGeneratedRows() {
  std::vector<std::string> rows = tarvik::bench::GeneratedRows(kWaypoints);
  SortRows(rows);
  return rows;
}

double MedianMilliseconds(const std::function<std::size_t()>& work, std::size_t& sink) {
  std::vector<double> samples;
  for (int i = 0; i < kRounds; ++i) {
    auto start = std::chrono::steady_clock::now();
    sink += work();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    samples.push_back(elapsed.count());
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

std::size_t BareDecodeAndSplit(const Bytes& file) {
  auto text = DecodeUtf16Le(file.data() + 2, file.size() - 2);
  std::vector<std::string> lines;
  std::string_view rest = *text;
  for (std::size_t end; (end = rest.find("\r\n")) != std::string_view::npos;) {
    lines.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end + 2);
  }
  return lines.size();
}

// What opening a file costs without the window: decode, parse, build the
// rows and put them in the list's order, the bytes taken in the pieces the
// program reads.
std::size_t PortableRead(const Bytes& file) {
  constexpr std::size_t kPieceBytes = 64 * 1024;
  MarkerRowReader reader;
  for (std::size_t at = 0; at < file.size(); at += kPieceBytes) {
    reader.Take(Bytes(file.begin() + static_cast<std::ptrdiff_t>(at),
                      file.begin() + static_cast<std::ptrdiff_t>(std::min(at + kPieceBytes, file.size()))));
  }
  return reader.Finish()->SortedRows().size();
}

std::size_t BareEncode(const std::vector<std::string>& lines) {
  Bytes out;
  for (const auto& line : lines) AppendUtf16Le(line, out);
  return out.size();
}

void Report(const char* what, double measured, double bare) {
  std::printf("%-6s portable %8.1f ms   bare %8.1f ms   ratio %.2f\n", what, measured, bare,
              measured / bare);
}

}  // namespace

int main() {
  const std::vector<std::string> rows = SortedGeneratedRows();
  const Bytes file = EncodeMarkerFile(rows);
  std::vector<std::string> lines;  // the text the writer produces, line ends included
  lines.push_back(std::string(kMarkerHeader) + "\r\n");
  for (const auto& row : rows) lines.push_back(MarkerLine(*SplitRow(row)) + "\r\n");

  std::size_t sink = 0;
  std::printf("Marker file of %d waypoints, %zu bytes; medians of %d rounds\n", kWaypoints,
              file.size(), kRounds);
  double read = MedianMilliseconds([&] { return PortableRead(file); }, sink);
  double decode = MedianMilliseconds([&] { return BareDecodeAndSplit(file); }, sink);
  Report("load", read, decode);
  double write = MedianMilliseconds([&] { return EncodeMarkerFile(rows).size(); }, sink);
  double encode = MedianMilliseconds([&] { return BareEncode(lines); }, sink);
  Report("write", write, encode);
  return sink == 0;  // uses the results, so the work cannot be optimised away
}
