// One Route Editor search through the program's window finder, as a ratio
// to a bare EnumWindows/EnumChildWindows loop that reads the same class
// names and texts, on a desktop of the Route Editor stand-in plus 50 filler
// top-level windows of 40 descendants each, measured in one run.
//
// finder_bench.exe [--rounds N]     runs the benchmark; it starts a second
//                                   copy of itself to hold the fillers, and
//                                   routeeditor.exe from its own folder
// finder_bench.exe --fillers        holds the filler windows until closed
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Win32WindowSystem.h"
#include "target/Module1.h"

namespace {

constexpr int kFillerWindows = 50;
constexpr int kDescendantsEach = 40;
constexpr wchar_t kFillerClass[] = L"FinderBenchFiller";

int RunFillers() {
  WNDCLASSW cls{};
  cls.lpfnWndProc = DefWindowProcW;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = kFillerClass;
  RegisterClassW(&cls);
  for (int w = 0; w < kFillerWindows; ++w) {
    HWND top = CreateWindowExW(0, kFillerClass, L"filler", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                               nullptr, cls.hInstance, nullptr);
    // Four groups of ten, so the descendants nest as real dialogs do.
    for (int g = 0; g < 4; ++g) {
      HWND group = CreateWindowExW(0, L"Static", L"group", WS_CHILD, 0, 0, 5, 5, top, nullptr,
                                   cls.hInstance, nullptr);
      for (int c = 0; c < 9; ++c) {
        CreateWindowExW(0, c % 2 ? L"Edit" : L"Static", L"1.000", WS_CHILD, 0, 0, 5, 5, group,
                        nullptr, cls.hInstance, nullptr);
      }
    }
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

struct Child {
  PROCESS_INFORMATION info{};
  bool started = false;
  ~Child() {
    if (!started) return;
    PostThreadMessageW(info.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(info.hProcess, 3000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 0);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
};

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool Start(Child& child, const std::wstring& command) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring line = command;
  child.started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &child.info) != FALSE;
  if (child.started) WaitForInputIdle(child.info.hProcess, 5000);
  return child.started;
}

void ReadClassAndText(HWND hwnd, size_t& characters) {
  wchar_t name[257];
  characters += static_cast<size_t>(GetClassNameW(hwnd, name, 257));
  int length = GetWindowTextLengthW(hwnd);
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
  characters += static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1));
}

BOOL CALLBACK ReadChild(HWND child, LPARAM characters) {
  ReadClassAndText(child, *reinterpret_cast<size_t*>(characters));
  return TRUE;
}

BOOL CALLBACK ReadTopAndChildren(HWND top, LPARAM characters) {
  ReadClassAndText(top, *reinterpret_cast<size_t*>(characters));
  EnumChildWindows(top, &ReadChild, characters);
  return TRUE;
}

// What any search of the whole desktop must at least do.
size_t BareScan() {
  size_t characters = 0;
  EnumWindows(&ReadTopAndChildren, reinterpret_cast<LPARAM>(&characters));
  return characters;
}

template <class Work>
double MedianMicroseconds(int rounds, Work work) {
  std::vector<double> samples;
  for (int i = 0; i < rounds; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    samples.push_back(elapsed.count());
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

int RunBenchmark(int rounds) {
  std::wstring folder = OwnFolder();
  Child fillers, route_editor;
  if (!Start(fillers, L"\"" + folder + L"finder_bench.exe\" --fillers")) {
    std::printf("cannot start the filler windows\n");
    return 1;
  }
  bool with_standin = Start(route_editor, L"\"" + folder + L"routeeditor.exe\"");
  Sleep(1000);  // let both programs create all their windows

  tarvik::platform::win32::Win32WindowSystem windows;
  tarvik::target::Module1 finder(windows);
  finder.FindRouteEditorWindows();
  std::printf("Route Editor stand-in: %s; Camera %s, Object %s, Placement %s\n",
              with_standin ? "running" : "missing", finder.CameraWnd ? "found" : "not found",
              finder.ObjectWnd ? "found" : "not found", finder.PlacementWnd ? "found" : "not found");

  // Alternate the two, and which goes first, so that drift in the machine
  // and any warming of caches affect both alike.
  std::vector<double> search, bare;
  for (int i = 0; i < rounds; ++i) {
    auto time_search = [&] { search.push_back(MedianMicroseconds(1, [&] { finder.FindRouteEditorWindows(); })); };
    auto time_bare = [&] { bare.push_back(MedianMicroseconds(1, [] { BareScan(); })); };
    if (i % 2 == 0) {
      time_search();
      time_bare();
    } else {
      time_bare();
      time_search();
    }
  }
  std::sort(search.begin(), search.end());
  std::sort(bare.begin(), bare.end());
  double s = search[search.size() / 2];
  double b = bare[bare.size() / 2];
  std::printf("FindRouteEditorWindows median %.0f us, bare scan median %.0f us, ratio %.2f (%d rounds)\n",
              s, b, s / b, rounds);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int rounds = 31;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"--fillers") return RunFillers();
    if (arg == L"--rounds" && i + 1 < argc) rounds = std::max(1, _wtoi(argv[++i]));
  }
  return RunBenchmark(rounds);
}
