#pragma once

// The class of the yardstick program's one window, by which the benchmark
// recognises that the window is up.
namespace tarvik::bench {

inline constexpr const wchar_t* kMinimalClass = L"MinimalWindow";

}  // namespace tarvik::bench
