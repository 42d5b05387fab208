#pragma once

#include <string>
#include <string_view>

namespace tarvik::waypoints {

// The part of a path after its last backslash (the whole path without one).
std::string FileNamePart(std::string_view path);

// Where the previous version of a Marker file is kept, always beside it:
// C:\Routes\pass.mkr gives C:\Routes\pass.bak. A file name without a
// lower-case ".mkr" has its extension replaced by ".bak" (or ".bak"
// appended when it has none). Never the document's own path.
std::string BackupPathFor(std::string_view path);

// Where a save writes the new list before it takes the document's place:
// beside the document, so that the final rename stays within one folder.
std::string SavingPathFor(std::string_view path);

// Letter case ignored, as for the Recent Files lookup.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tarvik::waypoints
