// The system's own words for an error code, for messages to the user.
#pragma once

#include <windows.h>

#include <string>

namespace nq {

// The text of a Win32 error code (GetLastError) in UTF-8, without the line
// break that ends it; "error <code>" when the system has no text for it.
std::string SystemErrorText(DWORD code);

} // namespace nq
