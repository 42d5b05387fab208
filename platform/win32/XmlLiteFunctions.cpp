#include "platform/win32/XmlLiteFunctions.h"

#include <optional>

#include "platform/win32/SystemFunction.h"

namespace tarvik::platform::win32 {

namespace {

std::optional<XmlLiteFunctions> Load() {
  XmlLiteFunctions functions{
      SystemFunction<decltype(CreateXmlReader)>(L"xmllite.dll", "CreateXmlReader"),
      SystemFunction<decltype(CreateXmlWriter)>(L"xmllite.dll", "CreateXmlWriter"),
      SystemFunction<decltype(SHCreateStreamOnFileEx)>(L"shlwapi.dll", "SHCreateStreamOnFileEx"),
      SystemFunction<decltype(SHCreateMemStream)>(L"shlwapi.dll", "SHCreateMemStream")};
  if (!functions.create_reader || !functions.create_writer || !functions.stream_on_file ||
      !functions.memory_stream) {
    return std::nullopt;
  }
  return functions;
}

}  // namespace

const XmlLiteFunctions* LoadXmlLite() {
  static const std::optional<XmlLiteFunctions> functions = Load();
  return functions ? &*functions : nullptr;
}

}  // namespace tarvik::platform::win32
