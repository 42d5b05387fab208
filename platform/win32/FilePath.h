#pragma once

#include <string>
#include <string_view>

namespace tarvik::platform::win32 {

// A path as the W file functions should take it. A full, plain drive or UNC
// path gets the \\?\ prefix, which hands it to the file system as it is:
// without it Wine (and Windows before 11) opens a file named like a DOS
// device (nul.mkr, con.gpx, aux.csv) in any folder as that device, an empty
// stream, and paths longer than MAX_PATH fail. A relative path, or one that
// still needs the usual clean-up ("/", "." or ".." parts), is left alone.
std::wstring FilePath(std::string_view utf8_path);

}  // namespace tarvik::platform::win32
