// Each process's copy of the shared settings block: taken whole when the
// library loads, its settings fields taken again on the options-update
// message. The block itself is read through a seam (the named mapping in
// calc.dll, a plain struct in tests).
#pragma once

#include <cstdint>

#include "SharedBlock.h"

namespace tarvok {

struct SettingsCopy {
  std::uint32_t GetMessageHook = 0;
  std::uint32_t CallWndProcHook = 0;
  std::uint32_t ShellHook = 0;
  std::uint32_t KeyboardHook = 0;
  std::uint8_t Precision = 2;
  std::uint8_t ResultForm = 0;
  std::uint16_t HotKeyVirtualKey = 0;  // 0 matches no key
  std::uint8_t HotKeyModifiers = 0;
  bool KeepHotKeyFromProgram = false;
};

class SharedBlockSeam {
 public:
  // Copies the 36-byte block; false when it does not exist or cannot be mapped.
  virtual bool ReadSharedBlock(GlobalHookData& out) noexcept = 0;
  // Copies the block of the later options; false as above.
  virtual bool ReadHookOptions(HookOptionsData& out) noexcept = 0;

 protected:
  ~SharedBlockSeam() = default;
};

// All eight fields and the later options; the defaults stay for a block
// that cannot be read.
void LoadSharedSettings(SharedBlockSeam& block, SettingsCopy& settings) noexcept;
// The four settings fields and the later options only: the hook handles are
// fixed for the life of the hooks, and a failed read leaves the copy as it
// was.
void RefreshSharedSettings(SharedBlockSeam& block, SettingsCopy& settings) noexcept;

}  // namespace tarvok
