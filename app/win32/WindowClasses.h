#pragma once

// Window class names of the program's windows; tests and benchmarks find
// the program's windows by them.
namespace tarvik::app::win32 {

inline constexpr const wchar_t* kMainClass = L"TarvikMain";
inline constexpr const wchar_t* kSplashClass = L"TarvikSplash";
inline constexpr const wchar_t* kAboutClass = L"TarvikAbout";
inline constexpr const wchar_t* kTransitClass = L"TarvikTransit";
inline constexpr const wchar_t* kOwnerClass = L"TarvikOwner";

}  // namespace tarvik::app::win32
