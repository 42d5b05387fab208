#include "platform/CommandFailure.h"

#include <new>

namespace tarvik::platform {

namespace {

constexpr const char* kUnknown = "an unexpected error.";

std::string Reason(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    return "not enough memory.";
  } catch (const std::exception& error) {
    std::string what = error.what();
    return what.empty() ? kUnknown : what;
  } catch (...) {
    return kUnknown;
  }
}

}  // namespace

std::string CommandFailureText(std::exception_ptr failure) {
  return "The command could not be completed: " + (failure ? Reason(failure) : kUnknown);
}

}  // namespace tarvik::platform
