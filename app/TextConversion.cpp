// MultiByteToWideChar, sized in a first call.
#include "TextConversion.h"

#include <windows.h>

namespace tarvok {
namespace {

bool Convert(UINT codePage, std::string_view bytes, std::wstring& text) {
  const int size = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (needed <= 0) return false;
  text.assign(static_cast<std::size_t>(needed), L'\0');
  return MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), needed) == needed;
}

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  const int size = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

std::wstring ToUtf16(std::string_view bytes, unsigned codePage) {
  std::wstring text;
  if (bytes.empty()) return text;
  // 1 to 3 are not code pages but stand-ins (OEM, Macintosh, the thread's).
  // A real one that MultiByteToWideChar still cannot read from (UTF-16 and
  // UTF-32 are valid code pages, but not byte ones) reads as the system's,
  // as a file that names none.
  if (codePage > CP_THREAD_ACP && IsValidCodePage(codePage) && Convert(codePage, bytes, text)) return text;
  if (Convert(CP_ACP, bytes, text)) return text;
  return {};
}

}  // namespace tarvok
