// The settings as the hooks see them, and the rules that keep them sound
// before they reach the shared block: precision always within 0..10, the
// registry's result form (0 number, other line) turned into the block's (1, 2).
// Portable, so the rules are tested natively.
#pragma once

#include <cstdint>
#include <string>

#include "NumberText.h"  // kMinPrecision, kMaxPrecision: what the evaluator formats
#include "SharedBlock.h"

namespace tarvok {

inline constexpr int kDefaultPrecision = 2;

// What the options window's controls hold.
struct UserSettings {
  bool autorun = false;
  bool resultAsLine = false;
  int precision = kDefaultPrecision;
  std::uint16_t shortcut = 0;
  bool keepHotKey = false;
};

// What Start and Apply write into the block and the options block.
struct HookSettings {
  std::uint8_t precision = kDefaultPrecision;
  std::uint8_t resultForm = kResultFormNumber;
  std::uint32_t controllerWindow = 0;
  std::uint16_t shortcut = 0;
  bool keepHotKey = false;
};

[[nodiscard]] int ClampPrecision(long long precision);

// The number typed into the precision box, clamped to 0..10; `fallback` when
// the text holds no number at all.
[[nodiscard]] int PrecisionFromText(const std::string& text, int fallback);

[[nodiscard]] HookSettings ToHookSettings(const UserSettings& settings, std::uint32_t controllerWindow);

// Writes the settings fields in the block's documented order: result form,
// controller window, precision, hot key. The hook handle fields are untouched.
void FillBlockSettings(GlobalHookData& block, const HookSettings& settings);
void FillHookOptions(HookOptionsData& options, const HookSettings& settings);

}  // namespace tarvok
