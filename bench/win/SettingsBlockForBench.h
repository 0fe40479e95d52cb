// A settings block as a running controller leaves it (hot key Ctrl+=,
// precision 2, the number form), so that the hook library finds what it
// finds in real use when a benchmark loads it without tarvok.exe. The
// mapping lives as long as the object.
#pragma once

#include <windows.h>

#include "ScopedHandle.h"
#include "SharedBlock.h"

namespace tarvok::bench {

class SettingsBlockForBench {
 public:
  SettingsBlockForBench() {
    mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(kGlobalHookDataSize), kGlobalHookDataName));
    if (!mapping_) return;
    ScopedMappedView view(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, kGlobalHookDataSize));
    if (!view) return;
    auto* block = static_cast<GlobalHookData*>(view.get());
    *block = GlobalHookData{};
    block->Precision = 2;
    block->ResultForm = kResultFormNumber;
    block->HotKeyModifiers = kModCtrl;
    block->HotKeyVirtualKey = VK_OEM_PLUS;
    ready_ = true;
  }
  bool Ready() const { return ready_; }

  // The handles the library chains with, as the controller writes them.
  void SetHooks(HHOOK keyboard, HHOOK getMessage) {
    ScopedMappedView view(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, kGlobalHookDataSize));
    if (!view) return;
    auto* block = static_cast<GlobalHookData*>(view.get());
    block->KeyboardHook = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(keyboard));
    block->GetMessageHook = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(getMessage));
  }

 private:
  ScopedHandle mapping_;
  bool ready_ = false;
};

}  // namespace tarvok::bench
