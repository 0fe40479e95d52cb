// Move-only owners for Win32 handles. Each acquire/release pair of the
// program becomes one object, so an early return can never leak a key, a
// mapping, a view, a module or an open clipboard.
#pragma once

#include <windows.h>

#include <utility>

namespace tarvok {

template <typename T, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(T value) noexcept : value_(value) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  [[nodiscard]] T get() const noexcept { return value_; }
  [[nodiscard]] bool valid() const noexcept { return Traits::IsValid(value_); }
  explicit operator bool() const noexcept { return valid(); }

  T release() noexcept { return std::exchange(value_, Traits::Invalid()); }
  // Closes the current handle (if any) and takes ownership of `value`.
  // Returns whether the close succeeded, for callers that must report it.
  bool reset(T value = Traits::Invalid()) noexcept {
    bool closed = true;
    if (valid()) closed = Traits::Close(value_);
    value_ = value;
    return closed;
  }

 private:
  T value_ = Traits::Invalid();
};

struct KernelHandleTraits {  // CloseHandle; null means none
  static HANDLE Invalid() noexcept { return nullptr; }
  static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static bool Close(HANDLE h) noexcept { return CloseHandle(h) != FALSE; }
};
struct RegKeyTraits {
  static HKEY Invalid() noexcept { return nullptr; }
  static bool IsValid(HKEY h) noexcept { return h != nullptr; }
  static bool Close(HKEY h) noexcept { return RegCloseKey(h) == ERROR_SUCCESS; }
};
struct MappedViewTraits {
  static void* Invalid() noexcept { return nullptr; }
  static bool IsValid(void* p) noexcept { return p != nullptr; }
  static bool Close(void* p) noexcept { return UnmapViewOfFile(p) != FALSE; }
};
struct ModuleTraits {
  static HMODULE Invalid() noexcept { return nullptr; }
  static bool IsValid(HMODULE h) noexcept { return h != nullptr; }
  static bool Close(HMODULE h) noexcept { return FreeLibrary(h) != FALSE; }
};
struct IconTraits {
  static HICON Invalid() noexcept { return nullptr; }
  static bool IsValid(HICON h) noexcept { return h != nullptr; }
  static bool Close(HICON h) noexcept { return DestroyIcon(h) != FALSE; }
};
struct MenuTraits {
  static HMENU Invalid() noexcept { return nullptr; }
  static bool IsValid(HMENU h) noexcept { return h != nullptr; }
  static bool Close(HMENU h) noexcept { return DestroyMenu(h) != FALSE; }
};
struct GdiObjectTraits {
  static HGDIOBJ Invalid() noexcept { return nullptr; }
  static bool IsValid(HGDIOBJ h) noexcept { return h != nullptr; }
  static bool Close(HGDIOBJ h) noexcept { return DeleteObject(h) != FALSE; }
};
struct FindFileTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE; }
  static bool Close(HANDLE h) noexcept { return FindClose(h) != FALSE; }
};

struct HookTraits {
  static HHOOK Invalid() noexcept { return nullptr; }
  static bool IsValid(HHOOK h) noexcept { return h != nullptr; }
  static bool Close(HHOOK h) noexcept { return UnhookWindowsHookEx(h) != FALSE; }
};

using ScopedHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using ScopedHook = UniqueHandle<HHOOK, HookTraits>;
using ScopedRegKey = UniqueHandle<HKEY, RegKeyTraits>;
using ScopedMappedView = UniqueHandle<void*, MappedViewTraits>;
using ScopedModule = UniqueHandle<HMODULE, ModuleTraits>;
using ScopedIcon = UniqueHandle<HICON, IconTraits>;
using ScopedMenu = UniqueHandle<HMENU, MenuTraits>;
using ScopedGdiObject = UniqueHandle<HGDIOBJ, GdiObjectTraits>;
using ScopedFindFile = UniqueHandle<HANDLE, FindFileTraits>;

// An open clipboard: OpenClipboard in the constructor, CloseClipboard when it
// goes out of scope, so no path can leave the clipboard locked for every
// other program.
class ScopedClipboard {
 public:
  explicit ScopedClipboard(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
  ~ScopedClipboard() { close(); }
  ScopedClipboard(const ScopedClipboard&) = delete;
  ScopedClipboard& operator=(const ScopedClipboard&) = delete;

  [[nodiscard]] bool isOpen() const noexcept { return open_; }
  // Closes early; returns whether CloseClipboard succeeded (true if not open).
  bool close() noexcept {
    if (!open_) return true;
    open_ = false;
    return CloseClipboard() != FALSE;
  }

 private:
  bool open_;
};

}  // namespace tarvok
