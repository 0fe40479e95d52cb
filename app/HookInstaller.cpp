// Installing and removing the hooks. The settings fields of the block are
// filled as soon as the block is mapped, before calc.dll is loaded and before
// the hooks are installed: every copy of calc.dll reads the block when it
// loads, so no program can start with an empty settings copy (no hot key,
// precision 0). The hook handle fields follow as each hook is installed;
// calc.dll only passes them to CallNextHookEx, which the NT family does not
// need.
#include "HookInstaller.h"

#include <stdexcept>

#include "PathText.h"
#include "TextConversion.h"

namespace tarvok {

void MessageBoxReporter::Show(const std::string& text) {
  MessageBoxW(nullptr, ToUtf16(text, CP_UTF8).c_str(), ToUtf16(kMessageCaption, CP_UTF8).c_str(), MB_OK);
}

void HookInstaller::Report(const char* text) { reporter_.Show(text); }

void HookInstaller::Report(TextId text) { reporter_.Show(ToUtf8(texts_[text])); }

void HookInstaller::ReportWithCode(TextId text, DWORD code) {
  reporter_.Show(ToUtf8(texts_[text]) + " - " + std::to_string(code));
}

void HookInstaller::ReportWithCode(const char* text, DWORD code) {
  reporter_.Show(std::string(text) + std::to_string(code));
}

namespace {

// Every copy of calc.dll opens the block for a moment when it loads or
// re-reads its settings. One that does so just as Disable closes the block
// keeps the old block alive for that moment, and an Enable right after
// would meet it and report it. A block still there after this wait is held
// by someone else and is reported.
constexpr int kStaleBlockRetries = 20;
constexpr DWORD kStaleBlockRetryMs = 10;

// Window and hook handles carry only 32 significant bits, also in 64-bit
// Windows, so the block's 32-bit fields hold them whole.
std::uint32_t HookField(HHOOK hook) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hook)); }

HANDLE CreateNewBlock(DWORD& error) {
  for (int retry = 0;; ++retry) {
    SetLastError(ERROR_SUCCESS);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(kGlobalHookDataSize), kGlobalHookDataName);
    error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS || retry == kStaleBlockRetries) return mapping;
    CloseHandle(mapping);
    Sleep(kStaleBlockRetryMs);
  }
}

}  // namespace

bool HookInstaller::CreateBlock() {
  DWORD error = ERROR_SUCCESS;
  mapping_.reset(CreateNewBlock(error));
  if (error == ERROR_ALREADY_EXISTS) {
    Report("ERROR_ALREADY_EXISTS(1)");
    // The handle CreateFileMappingA gave is already a handle to the existing
    // block; it is kept when opening by name fails, so the block stays usable.
    HANDLE opened = OpenFileMappingA(FILE_MAP_ALL_ACCESS, TRUE, kGlobalHookDataName);
    error = GetLastError();
    if (opened != nullptr) {
      mapping_.reset(opened);
    } else {
      ReportWithCode("OpenFileMapping/FGlobalHookDataMMFHandle=0 ! Error-", error);
    }
  }
  if (!mapping_) {
    ReportWithCode("CreateFileMapping=0 ! Error-", error);
    return false;
  }
  return true;
}

// The options block has no failure box of its own: without it every copy of
// calc.dll keeps its default and passes the hot key on, as before the option.
// Another copy of the block (a calc.dll reading it just as the last Disable
// closed it) is taken as it is and overwritten.
void HookInstaller::CreateOptionsBlock(const HookSettings& settings) {
  optionsMapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(kHookOptionsSize), kHookOptionsName));
  if (!optionsMapping_) return;
  optionsView_.reset(MapViewOfFile(optionsMapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, kHookOptionsSize));
  if (optionsView_) FillHookOptions(*static_cast<HookOptionsData*>(optionsView_.get()), settings);
}

void HookInstaller::CloseOptionsBlock() {
  optionsView_.reset();
  optionsMapping_.reset();
}

void HookInstaller::InstallHooks() {
  const HHOOK getMessageHook = hooks_.InstallGetMessageHook();
  MutableBlock()->GetMessageHook = HookField(getMessageHook);
  const HHOOK keyboardHook = hooks_.InstallKeyboardHook();
  MutableBlock()->KeyboardHook = HookField(keyboardHook);
}

void HookInstaller::LoadAndInstallHooks() {
  const bool loadedBefore = hooks_.LibraryUsable();
  switch (hooks_.Load(libraryPath_)) {
    case SystemHooks::LoadOutcome::NoLibrary:
      ReportWithCode(TextId::ErrorLoadLibrary, GetLastError());
      return;
    case SystemHooks::LoadOutcome::NoGetMessageProc:
      Report(TextId::ErrorNoGetMessageProc);
      return;
    case SystemHooks::LoadOutcome::NoKeyboardProc:
      Report(TextId::ErrorNoKeyboardProc);
      return;
    case SystemHooks::LoadOutcome::Loaded:
      InstallHooks();
      // This program's own copy of the library stayed loaded since the last
      // Enable, with the settings it read then; it re-reads the new block
      // as every copy does after Apply.
      if (loadedBefore) PostMessageA(HWND_BROADCAST, optionsUpdateMessage_, 0, 0);
      return;
  }
}

// The helper's hook library sits beside this program's.
void HookInstaller::StartHelper() {
  if (SystemIs64Bit()) helper_.Start(FolderOf(libraryPath_));
}

bool HookInstaller::Start(const HookSettings& settings) {
  try {
    optionsUpdateMessage_ = RegisterWindowMessageA(kOptionsUpdateMessageName);
    if (!CreateBlock()) return true;

    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, kGlobalHookDataSize));
    if (!view_) {
      ReportWithCode("GlobalHookData not set! Error-", GetLastError());
      return true;
    }
    FillBlockSettings(*MutableBlock(), settings);
    CreateOptionsBlock(settings);

    // Where the hooks of both bitnesses meet, Wine runs only the set
    // installed last, so the 64-bit set goes last: the 64-bit programs are
    // the ones to serve. Windows runs both sets whatever the order. The
    // helper's hooks are in when Start returns.
    if constexpr (kHelperHooksFirst) StartHelper();
    LoadAndInstallHooks();
    if constexpr (!kHelperHooksFirst) {
      if (HooksInstalled()) StartHelper();
    }
    if (!HooksInstalled()) helper_.Stop();

    if (!FlushViewOfFile(view_.get(), kGlobalHookDataSize)) {
      ReportWithCode("FlushViewOfFile ! Error-", GetLastError());
    }
    return true;
  } catch (...) {
    ReportWithCode("Start Error - ", GetLastError());
    return false;
  }
}

void HookInstaller::RemoveHooks() {
  // A hook whose installation failed (or never happened because an export
  // was missing) has no handle and goes without a word: unhooking "nothing"
  // would only produce a misleading error box.
  if (!hooks_.RemoveGetMessageHook()) ReportWithCode(TextId::ErrorUnhookGetMessage, GetLastError());
  if (!hooks_.RemoveKeyboardHook()) ReportWithCode(TextId::ErrorUnhookKeyboard, GetLastError());
}

bool HookInstaller::Stop() {
  try {
    helper_.Stop();
    if (hooks_.LibraryLoaded()) {
      RemoveHooks();
      // Windows unloads the hook library from a process only when one of its
      // threads passes through its message loop after the hooks are gone.
      PostMessageA(HWND_BROADCAST, WM_NULL, 0, 0);
      // This program keeps its own copy until it ends: the C++ runtime
      // linked into the library does not give back all it takes, so a
      // load at every Enable and a free at every Disable would grow the
      // process with each switch. One that failed to start is let go, so
      // that the next Enable reads the file afresh.
      if (!hooks_.LibraryUsable()) ReleaseLibrary();
    }
    if (view_) {
      if (!UnmapViewOfFile(view_.release())) ReportWithCode("UnmapViewOfFile Error-", GetLastError());
    }
    if (mapping_) {
      if (!CloseHandle(mapping_.release())) ReportWithCode("CloseHandle Error-", GetLastError());
    }
    CloseOptionsBlock();
    return true;
  } catch (...) {
    ReportWithCode("Stop Error - ", GetLastError());
    return false;
  }
}

void HookInstaller::ReleaseLibrary() {
  if (hooks_.LibraryLoaded() && !hooks_.FreeLibrary()) Report(TextId::ErrorUnloadLibrary);
}

bool HookInstaller::ApplySettings(const HookSettings& settings) {
  if (!view_) return false;
  FillBlockSettings(*MutableBlock(), settings);
  if (optionsView_) FillHookOptions(*static_cast<HookOptionsData*>(optionsView_.get()), settings);
  PostMessageA(HWND_BROADCAST, optionsUpdateMessage_, 0, 0);
  return true;
}

}  // namespace tarvok
