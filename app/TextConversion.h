// Text at the Windows boundary: 8-bit text in a named code page to UTF-16,
// and UTF-16 to UTF-8. Texts that reach the screen go through the W calls in
// UTF-16, so nothing is read in the system's ANSI code page unless it was
// written in it.
#pragma once

#include <string>
#include <string_view>

namespace tarvok {

// `codePage` 0 is the system's ANSI code page; a code page Windows does not
// know (not installed, or not a code page at all) reads as that one too.
std::wstring ToUtf16(std::string_view bytes, unsigned codePage);

// UTF-16 to UTF-8, the form of the texts the hook controller reports.
std::string ToUtf8(std::wstring_view text);

}  // namespace tarvok
