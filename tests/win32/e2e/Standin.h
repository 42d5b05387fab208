#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

#include "TarvikProcess.h"

namespace tarvik::e2e {

// A stand-in for one of the programs Tarvik drives, built beside tarvik.exe
// (standins/README.md), named by its file and its main window's class.
struct StandinProgram {
  std::wstring_view exe;
  std::wstring_view main_class;
};

inline constexpr StandinProgram kRouteEditor{L"routeeditor.exe", L"TrainSim"};
inline constexpr StandinProgram kMosaic{L"mosaic.exe", L"MosaicStandinFrame"};
inline constexpr StandinProgram kUsaPhotoMaps{L"usaphotomaps.exe", L"USAPhotoMaps"};

// Once its windows are up, the stand-in's thread stops taking messages.
inline constexpr std::wstring_view kHangAfterStart = L"--hang-after-start";

// One running stand-in. Like the program under test, it does not outlive
// the test that started it.
class Standin {
 public:
  // Returns without waiting for its windows, so that it can come up while
  // tarvik.exe shows its splash.
  static std::optional<Standin> Start(const StandinProgram& program,
                                      std::wstring_view arguments = {});
  // The same program from another build's folder, of the other bitness say.
  static std::optional<Standin> StartFrom(const std::filesystem::path& folder,
                                          const StandinProgram& program,
                                          std::wstring_view arguments = {});

  DWORD Id() const { return process_.Id(); }
  // Its visible main window once it is there; nullptr on time-out.
  HWND WaitForMain(std::chrono::milliseconds limit) const;
  // A visible top-level window of this program of that class, or nullptr.
  HWND TopWindow(std::wstring_view class_name) const;

 private:
  Standin(TarvikProcess process, const StandinProgram& program)
      : process_(std::move(process)), program_(program) {}

  TarvikProcess process_;
  StandinProgram program_;
};

// The n-th direct child, counting from 1 in sibling order, or nullptr.
HWND NthChild(HWND parent, int n);
// The n-th descendant of that class, counting from 1 depth first, or nullptr.
HWND NthDescendantOfClass(HWND parent, std::wstring_view class_name, int n = 1);

}  // namespace tarvik::e2e
