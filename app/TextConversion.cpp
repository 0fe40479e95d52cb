// MultiByteToWideChar, sized in a first call.
#include "TextConversion.h"

#include <windows.h>

namespace tarvok {
namespace {

// MultiByteToWideChar also fails for code pages it only knows one way
// (UTF-16, 1200) and for the ones no table is installed for; those read as
// the system's, like a file that names no code page.
UINT KnownCodePage(unsigned codePage) {
  return codePage != CP_ACP && IsValidCodePage(codePage) && codePage != 1200 && codePage != 1201
             ? codePage
             : CP_ACP;
}

}  // namespace

std::wstring ToUtf16(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return {};
  const UINT page = KnownCodePage(codePage);
  const int size = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(page, 0, bytes.data(), size, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring text(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(page, 0, bytes.data(), size, text.data(), needed);
  return text;
}

}  // namespace tarvok
