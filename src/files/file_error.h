#pragma once
// What the system said about a failed file operation, in the words the
// tools use in their messages: "no space left on device", "file too large".
#include <string>

// strerror(errnum) with its first letter in lower case.
std::string SystemReason(int errnum);
