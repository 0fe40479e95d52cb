// Setting up and taking down the hooked test program.
#include "HookedHost.h"

#include "RegistryAccess.h"
#include "RegistryNames.h"

namespace tarvok::resident {
namespace {

constexpr char kWindowClass[] = "TarvokResidentHost";

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    // Keys go to the field, as in a program the user types into.
    if (HWND field = GetWindow(window, GW_CHILD)) SetFocus(field);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HookedHost::HookedHost(const std::string& libraryPath, const std::string& logFolder, HostOptions options) {
  // The library reads the block once, when it is loaded: it must be there
  // before, as the controller makes it before it loads calc.dll.
  if (!WriteSettingsBlock(options.hotKeyModifiers)) return;
  previousPath_ = ReadRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath);
  pathWritten_ = WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath, logFolder);
  if (!pathWritten_) {
    problem_ = "Path not written";
    return;
  }
  if (options.withLibrary && !InstallHooks(libraryPath)) return;
  CreateTargetWindow();
}

HookedHost::~HookedHost() {
  if (keyboardHook_ != nullptr) UnhookWindowsHookEx(keyboardHook_);
  if (messageHook_ != nullptr) UnhookWindowsHookEx(messageHook_);
  if (window_ != nullptr) DestroyWindow(window_);
  if (pathWritten_) {
    if (previousPath_ == kAbsentText) {
      DeleteRegValue(HKEY_CURRENT_USER, kSettingsKey, kValuePath);
    } else {
      WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValuePath, previousPath_);
    }
  }
}

bool HookedHost::WriteSettingsBlock(std::uint8_t hotKeyModifiers) {
  // A controller or host of an earlier test may still be on its way out.
  constexpr int kAttempts = 50;
  constexpr DWORD kAttemptPauseMs = 100;
  bool existed = true;
  for (int attempt = 0; attempt < kAttempts && existed; ++attempt) {
    if (attempt > 0) Sleep(kAttemptPauseMs);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(kGlobalHookDataSize), kGlobalHookDataName);
    existed = GetLastError() == ERROR_ALREADY_EXISTS;
    mapping_.reset(mapping);
  }
  if (!mapping_ || existed) {
    problem_ = "the settings block exists already: is tarvok.exe running?";
    return false;
  }
  const ScopedMappedView view(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, kGlobalHookDataSize));
  if (!view) {
    problem_ = "settings block not mapped";
    return false;
  }
  auto& block = *static_cast<GlobalHookData*>(view.get());
  block = GlobalHookData{};
  block.Precision = 2;
  block.ResultForm = kResultFormNumber;
  block.HotKeyModifiers = hotKeyModifiers;
  block.HotKeyVirtualKey = VK_OEM_PLUS;
  return true;
}

bool HookedHost::InstallHooks(const std::string& libraryPath) {
  library_.reset(LoadLibraryA(libraryPath.c_str()));
  if (!library_) {
    problem_ = "hook library not loaded from " + libraryPath;
    return false;
  }
  const auto procedure = [&](const char* name) {
    return reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library_.get(), name)));
  };
  const DWORD thread = GetCurrentThreadId();
  keyboardHook_ = SetWindowsHookExA(WH_KEYBOARD, procedure(kKeyboardProcName), library_.get(), thread);
  messageHook_ = SetWindowsHookExA(WH_GETMESSAGE, procedure(kGetMessageProcName), library_.get(), thread);
  if (keyboardHook_ == nullptr || messageHook_ == nullptr) {
    problem_ = "hooks not installed";
    return false;
  }
  return true;
}

bool HookedHost::CreateTargetWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HostWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  window_ = CreateWindowExA(0, kWindowClass, "Tarvok Resident Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                            120, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window_ != nullptr) {
    field_ = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 380, 24, window_, nullptr,
                             windowClass.hInstance, nullptr);
  }
  if (field_ == nullptr) {
    problem_ = "window not created";
    return false;
  }
  return true;
}

}  // namespace tarvok::resident
