#pragma once

#include <exception>
#include <string>

namespace tarvik::platform {

// The warning for a command that ended in an exception: "The command could
// not be completed: " and why, in words a user can act on where there are
// such words ("not enough memory.").
std::string CommandFailureText(std::exception_ptr failure);
// Just the why: "not enough memory.", or the exception's own words.
std::string FailureReason(std::exception_ptr failure);

}  // namespace tarvik::platform
