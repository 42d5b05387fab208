#include "waypoints/DocumentPaths.h"

#include "waypoints/RowOrder.h"

namespace tarvik::waypoints {

std::string FileNamePart(std::string_view path) {
  size_t slash = path.rfind('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string BackupPathFor(std::string_view path) {
  // Only the file name is searched: a ".mkr" in a folder name must not
  // send the backup elsewhere, let alone onto an unrelated file.
  size_t name_start = path.rfind('\\');
  name_start = name_start == std::string_view::npos ? 0 : name_start + 1;
  std::string_view name = path.substr(name_start);

  std::string backup;
  size_t mkr = name.rfind(".mkr");
  if (mkr != std::string_view::npos) {
    backup = std::string(path.substr(0, name_start + mkr + 1)) + "bak";
  } else {
    size_t dot = name.rfind('.');
    backup = dot == std::string_view::npos || dot == 0
                 ? std::string(path) + ".bak"
                 : std::string(path.substr(0, name_start + dot)) + ".bak";
  }
  // Saving over "route.bak" must not delete the document as its own backup.
  if (EqualIgnoringCase(backup, path)) backup = std::string(path) + ".bak";
  return backup;
}

std::string SavingPathFor(std::string_view path) { return std::string(path) + ".saving"; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return !RowLess(a, b) && !RowLess(b, a);
}

}  // namespace tarvik::waypoints
