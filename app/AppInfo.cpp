#include "app/AppInfo.h"

#include "Version.h"

namespace tarvik::app {

std::string VersionText() {
  return "Version " + std::to_string(TARVIK_VERSION_MAJOR) + "." +
         std::to_string(TARVIK_VERSION_MINOR) + "." + std::to_string(TARVIK_VERSION_PATCH);
}

}  // namespace tarvik::app
