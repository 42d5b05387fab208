#include "Standin.h"

#include "WindowSearch.h"

namespace tarvik::e2e {

std::optional<Standin> Standin::Start(const StandinProgram& program, std::wstring_view arguments) {
  return StartFrom(TestProgramFolder(), program, arguments);
}

std::optional<Standin> Standin::StartFrom(const std::filesystem::path& folder,
                                          const StandinProgram& program,
                                          std::wstring_view arguments) {
  auto process = TarvikProcess::Start(folder / program.exe, folder, arguments);
  if (!process) return std::nullopt;
  return Standin(std::move(*process), program);
}

HWND Standin::WaitForMain(std::chrono::milliseconds limit) const {
  return WaitForTopWindow(Id(), program_.main_class, limit);
}

HWND Standin::TopWindow(std::wstring_view class_name) const {
  return VisibleTopWindowOf(Id(), class_name);
}

HWND NthChild(HWND parent, int n) {
  if (!parent || n < 1) return nullptr;
  HWND child = GetWindow(parent, GW_CHILD);
  for (int i = 1; child && i < n; ++i) child = GetWindow(child, GW_HWNDNEXT);
  return child;
}

HWND NthDescendantOfClass(HWND parent, std::wstring_view class_name, int n) {
  for (HWND descendant : DescendantsOf(parent)) {
    if (ClassNameOf(descendant) == class_name && --n == 0) return descendant;
  }
  return nullptr;
}

}  // namespace tarvik::e2e
