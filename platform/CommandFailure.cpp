#include "platform/CommandFailure.h"

#include <new>

namespace tarvik::platform {

namespace {

constexpr const char* kUnknown = "an unexpected error.";

}  // namespace

std::string FailureReason(std::exception_ptr failure) {
  if (!failure) return kUnknown;
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

std::string CommandFailureText(std::exception_ptr failure) {
  return "The command could not be completed: " + FailureReason(failure);
}

}  // namespace tarvik::platform
