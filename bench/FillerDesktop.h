#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "bench/ChildProgram.h"

// The crowded desktop the search benchmarks run on: the Route Editor
// stand-in and 50 filler top-level windows of 40 descendants each, held by
// a second copy of the benchmark.
namespace tarvik::bench {

// Creates the filler windows on the calling thread and keeps them until
// WM_QUIT; a benchmark's --fillers mode.
int HoldFillerWindows();

// What any search of the whole desktop must at least do: read every
// window's class name and text. Returns the characters read.
std::size_t BareScan();

// A program started for one benchmark run. It is asked to quit when this
// object goes, and ended by force when it does not.
class HelperProgram {
 public:
  // Throws when the program cannot start.
  explicit HelperProgram(const std::wstring& command_line);
  ~HelperProgram();
  HelperProgram(const HelperProgram&) = delete;
  HelperProgram& operator=(const HelperProgram&) = delete;

  DWORD Id() const { return process_id_; }

 private:
  UniqueKernelHandle process_;
  DWORD process_id_ = 0;
  DWORD thread_id_ = 0;
};

class FillerDesktop {
 public:
  // Starts `benchmark` (a file beside the running program) with --fillers,
  // and routeeditor.exe from the same folder, and waits until both have
  // created their windows. Throws when either cannot start.
  explicit FillerDesktop(const std::wstring& benchmark);

  // Closes the fillers; the Route Editor stays.
  void EndFillers() { fillers_.reset(); }

 private:
  std::optional<HelperProgram> fillers_;
  HelperProgram route_editor_;
};

}  // namespace tarvik::bench
