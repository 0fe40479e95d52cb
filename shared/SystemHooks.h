// The hook library loaded into this process and its two hooks installed for
// every thread of the desktop, which makes Windows load the library into
// every program of its bitness: what the controller does at Enable and the
// helper at its start. Each step says how it went, so that the controller
// can report each failure in its own words. The hooks go before the
// library, also when the object goes.
#pragma once

#include <windows.h>

#include <string>

#include "ScopedHandle.h"

namespace tarvok {

class SystemHooks {
 public:
  enum class LoadOutcome { Loaded, NoLibrary, NoGetMessageProc, NoKeyboardProc };

  SystemHooks() = default;
  ~SystemHooks() = default;  // the members go in reverse order: hooks, then library
  SystemHooks(const SystemHooks&) = delete;
  SystemHooks& operator=(const SystemHooks&) = delete;

  // Loads the library by this full path and finds both hook procedures. A
  // name without a folder would be looked up along the search path, whose
  // folders belong to whoever started the program: it is refused with
  // ERROR_MOD_NOT_FOUND. The system's error stays in GetLastError. A
  // library already loaded from the same path with both procedures is
  // kept as it is, not loaded again.
  LoadOutcome Load(const std::string& fullPath);

  // Each returns the new hook, or null with the system's error in
  // GetLastError.
  HHOOK InstallGetMessageHook();
  HHOOK InstallKeyboardHook();
  // True when the hook went or there was none.
  bool RemoveGetMessageHook() { return getMessageHook_.reset(); }
  bool RemoveKeyboardHook() { return keyboardHook_.reset(); }
  // Lets go of this process's copy of the library; false when FreeLibrary
  // failed.
  bool FreeLibrary();

  [[nodiscard]] bool LibraryLoaded() const { return library_.valid(); }
  // Loaded with both hook procedures found.
  [[nodiscard]] bool LibraryUsable() const {
    return library_.valid() && getMessageProc_ != nullptr && keyboardProc_ != nullptr;
  }
  [[nodiscard]] bool Installed() const { return getMessageHook_.valid() && keyboardHook_.valid(); }
  [[nodiscard]] HHOOK GetMessageHook() const { return getMessageHook_.get(); }
  [[nodiscard]] HHOOK KeyboardHook() const { return keyboardHook_.get(); }

 private:
  HHOOK Install(int kind, HOOKPROC procedure, ScopedHook& hook);

  // Declared so that the hooks go before the library.
  ScopedModule library_;
  std::string libraryPath_;
  HOOKPROC getMessageProc_ = nullptr;
  HOOKPROC keyboardProc_ = nullptr;
  ScopedHook getMessageHook_;
  ScopedHook keyboardHook_;
};

}  // namespace tarvok
