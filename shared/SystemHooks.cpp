#include "SystemHooks.h"

#include "SharedBlock.h"

namespace tarvok {
namespace {

HOOKPROC HookProcedure(HMODULE library, const char* name) {
  return reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

SystemHooks::LoadOutcome SystemHooks::Load(const std::string& fullPath) {
  RemoveKeyboardHook();
  RemoveGetMessageHook();
  if (LibraryUsable() && fullPath == libraryPath_) return LoadOutcome::Loaded;
  FreeLibrary();
  if (fullPath.find_first_of("\\/") == std::string::npos) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return LoadOutcome::NoLibrary;
  }
  libraryPath_ = fullPath;
  library_.reset(LoadLibraryA(fullPath.c_str()));
  if (!library_) return LoadOutcome::NoLibrary;
  getMessageProc_ = HookProcedure(library_.get(), kGetMessageProcName);
  if (getMessageProc_ == nullptr) return LoadOutcome::NoGetMessageProc;
  keyboardProc_ = HookProcedure(library_.get(), kKeyboardProcName);
  if (keyboardProc_ == nullptr) return LoadOutcome::NoKeyboardProc;
  return LoadOutcome::Loaded;
}

HHOOK SystemHooks::InstallGetMessageHook() { return Install(WH_GETMESSAGE, getMessageProc_, getMessageHook_); }

HHOOK SystemHooks::InstallKeyboardHook() { return Install(WH_KEYBOARD, keyboardProc_, keyboardHook_); }

HHOOK SystemHooks::Install(int kind, HOOKPROC procedure, ScopedHook& hook) {
  if (procedure == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  hook.reset(SetWindowsHookExA(kind, procedure, library_.get(), 0));
  return hook.get();
}

bool SystemHooks::FreeLibrary() {
  getMessageProc_ = keyboardProc_ = nullptr;
  libraryPath_.clear();
  return library_.reset();
}

}  // namespace tarvok
