// Each seam does one Win32 job with its handles held by scoped owners.
#include "Win32Services.h"

#include <cstring>

#include "RegistryAccess.h"
#include "RegistryNames.h"
#include "ScopedHandle.h"

namespace tarvok {
namespace {

SYSTEMTIME ToSystemTime(const LocalTime& time) noexcept {
  SYSTEMTIME st{};
  st.wYear = time.year;
  st.wMonth = time.month;
  st.wDay = time.day;
  st.wHour = time.hour;
  st.wMinute = time.minute;
  st.wSecond = time.second;
  return st;
}

// The plug-in is outside code: whatever it does to the x87 unit (control
// word, exception flags) must not stay behind in the program we run in. The
// whole environment is put back, flags included, so a flag the plug-in left
// cannot trap later in a program that runs with exceptions unmasked. x64
// code does its floating point in SSE, so there MXCSR (rounding, masks,
// flags) comes back too.
class FpuEnvironmentKeeper {
 public:
  FpuEnvironmentKeeper() noexcept {
    asm volatile("fnstenv %0\n\tfldenv %0" : "+m"(saved_));
#if defined(__x86_64__)
    asm volatile("stmxcsr %0" : "=m"(savedMxcsr_));
#endif
  }
  ~FpuEnvironmentKeeper() {
    asm volatile("fldenv %0" : : "m"(saved_));
#if defined(__x86_64__)
    asm volatile("ldmxcsr %0" : : "m"(savedMxcsr_));
#endif
  }
  FpuEnvironmentKeeper(const FpuEnvironmentKeeper&) = delete;
  FpuEnvironmentKeeper& operator=(const FpuEnvironmentKeeper&) = delete;

 private:
  struct {
    unsigned char bytes[28];  // the 32-bit protected-mode layout
  } saved_{};
#if defined(__x86_64__)
  std::uint32_t savedMxcsr_ = 0;
#endif
};

}  // namespace

std::uintptr_t Win32Timers::SetTimer(WindowRef window, std::uintptr_t id, unsigned milliseconds) noexcept {
  const UINT_PTR result = ::SetTimer(static_cast<HWND>(window), id, milliseconds, procedure_);
  if (result == 0) return 0;
  return window != nullptr ? id : result;
}

void Win32Timers::KillTimer(WindowRef window, std::uintptr_t id) noexcept {
  ::KillTimer(static_cast<HWND>(window), id);
}

bool Win32Timers::WindowExists(WindowRef window) noexcept { return IsWindow(static_cast<HWND>(window)) != FALSE; }

namespace {

bool CopyNamedMapping(const char* name, void* out, std::size_t size) noexcept {
  const ScopedHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name));
  if (!mapping) return false;
  const ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, size));
  if (!view) return false;
  std::memcpy(out, view.get(), size);
  return true;
}

}  // namespace

bool Win32SharedBlock::ReadSharedBlock(GlobalHookData& out) noexcept {
  return CopyNamedMapping(kGlobalHookDataName, &out, kGlobalHookDataSize);
}

bool Win32SharedBlock::ReadHookOptions(HookOptionsData& out) noexcept {
  return CopyNamedMapping(kHookOptionsName, &out, kHookOptionsSize);
}

std::string Win32Registry::ReadPathSetting() {
  return ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath);
}

LocalTime Win32LogFile::Now() noexcept {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string Win32LogFile::FormatShortDate(const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  char text[128] = {};
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, sizeof text) == 0) return {};
  return text;
}

std::string Win32LogFile::FormatLongTime(const LocalTime& time) {
  const SYSTEMTIME st = ToSystemTime(time);
  char text[128] = {};
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, text, sizeof text) == 0) return {};
  return text;
}

bool Win32LogFile::AppendToFile(const std::string& fileName, std::string_view bytes) noexcept {
  // Append-only access makes each write land at the end even when several
  // programs log at once.
  ScopedHandle file(CreateFileA(fileName.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  const bool closed = file.reset();
  return ok != FALSE && written == bytes.size() && closed;
}

bool Win32Plugin::Load(const std::string& fileName) noexcept {
  Unload();
  // No "cannot load" box may appear inside the user's program.
  DWORD previousMode = 0;
  const bool modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
  HMODULE module = LoadLibraryA(fileName.c_str());
  if (modeSet) SetThreadErrorMode(previousMode, nullptr);
  if (reinterpret_cast<std::uintptr_t>(module) <= 32) return false;
  auto* function = GetProcAddress(module, kConverterFunctionName);
  if (function == nullptr) {
    FreeLibrary(module);
    return false;
  }
  module_ = module;
  convert_ = reinterpret_cast<ConvertValueFunction>(reinterpret_cast<void*>(function));
  return true;
}

const char* Win32Plugin::Convert(long double value) noexcept {
  if (convert_ == nullptr) return nullptr;
  const FpuEnvironmentKeeper keeper;
#if defined(_WIN64)
  unsigned char bytes[kExtendedValueBytes] = {};
  std::memcpy(bytes, &value, sizeof bytes);
  return convert_(bytes, GetKeyboardLayout(0));
#else
  return convert_(value, GetKeyboardLayout(0));
#endif
}

void Win32Plugin::Unload() noexcept {
  if (module_ != nullptr) FreeLibrary(module_);
  module_ = nullptr;
  convert_ = nullptr;
}

std::intptr_t Win32HookChain::CallNextHook(std::uint32_t hook, int code, std::uintptr_t wParam,
                                           std::intptr_t lParam) noexcept {
  return CallNextHookEx(reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(hook)), code, wParam, lParam);
}

}  // namespace tarvok
