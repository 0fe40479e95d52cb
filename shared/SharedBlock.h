// The contract between tarvok.exe and every copy of calc.dll: the names both
// sides must spell identically and the byte layout of the shared settings
// block. Both deliverables compile this one definition; the block carries no
// version field, so a layout change here is a change for both at once.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvok {

inline constexpr char kGlobalHookDataName[] =
    "tarvok_HookName_{6037B0FD-CF6E-469B-AC4F-FAB4BF61AF8E}";
inline constexpr char kOptionsUpdateMessageName[] =
    "WM_OptionsUpdateName_tarvok_{C5F8803D-0950-4458-8C07-45E534B40C0D}";
// Windows loads a hook library only into programs of its own bitness; each
// bitness has its own file.
#if defined(_WIN64)
inline constexpr char kHookLibraryFileName[] = "calc64.dll";
#else
inline constexpr char kHookLibraryFileName[] = "calc.dll";
#endif
inline constexpr char kGetMessageProcName[] = "GetMessageProc";
inline constexpr char kKeyboardProcName[] = "KeyboardProc";
// The converter plug-in of the line form, in the program folder: calc.dll
// loads it, the options window says when it is missing. A 64-bit program
// cannot load the 32-bit plug-in; calc64.dll looks for one of its own, with
// the x64 interface (a pointer to the value's bytes).
#if defined(_WIN64)
inline constexpr char kConverterFileName[] = "convert64.dll";
#else
inline constexpr char kConverterFileName[] = "convert.dll";
#endif

// Values of GlobalHookData::ResultForm. The library treats every value other
// than kResultFormNumber as the line form.
inline constexpr std::uint8_t kResultFormNumber = 1;
inline constexpr std::uint8_t kResultFormLine = 2;

// Modifier bits of GlobalHookData::HotKeyModifiers. Alt comes before Ctrl here,
// the reverse of the shortcut code below.
inline constexpr std::uint8_t kModShift = 1;
inline constexpr std::uint8_t kModAlt = 2;
inline constexpr std::uint8_t kModCtrl = 4;

// Bits of the 16-bit shortcut code held by the options window's hot-key field.
inline constexpr std::uint16_t kShortcutShift = 0x2000;
inline constexpr std::uint16_t kShortcutCtrl = 0x4000;
inline constexpr std::uint16_t kShortcutAlt = 0x8000;

// The 36-byte block in the named mapping, read by programs of both
// bitnesses. Handles are stored as 32-bit values: window and hook handles
// carry only 32 significant bits in 64-bit Windows too, so they fit whole,
// and every build (the native one used for tests as well) sees the same
// bytes.
struct GlobalHookData {
  std::uint32_t GetMessageHook;    // WH_GETMESSAGE hook running GetMessageProc
  std::uint32_t CallWndProcHook;   // never installed, always 0
  std::uint32_t Reserved;          // always 0, not read
  std::uint32_t ShellHook;         // never installed, always 0
  std::uint8_t Precision;          // digits after the point, 0..10
  std::uint8_t Padding1[3];
  std::uint32_t KeyboardHook;      // WH_KEYBOARD hook running KeyboardProc
  std::uint8_t ResultForm;         // kResultFormNumber or kResultFormLine
  std::uint8_t Padding2[3];
  std::uint32_t ControllerWindow;  // the options window; the library ignores it
  std::uint8_t HotKeyModifiers;    // kModShift | kModAlt | kModCtrl
  std::uint8_t Padding3;
  std::uint16_t HotKeyVirtualKey;  // Windows virtual-key code of the main key
};

static_assert(sizeof(GlobalHookData) == 36);
static_assert(offsetof(GlobalHookData, GetMessageHook) == 0);
static_assert(offsetof(GlobalHookData, CallWndProcHook) == 4);
static_assert(offsetof(GlobalHookData, Reserved) == 8);
static_assert(offsetof(GlobalHookData, ShellHook) == 12);
static_assert(offsetof(GlobalHookData, Precision) == 16);
static_assert(offsetof(GlobalHookData, KeyboardHook) == 20);
static_assert(offsetof(GlobalHookData, ResultForm) == 24);
static_assert(offsetof(GlobalHookData, ControllerWindow) == 28);
static_assert(offsetof(GlobalHookData, HotKeyModifiers) == 32);
static_assert(offsetof(GlobalHookData, HotKeyVirtualKey) == 34);

inline constexpr std::size_t kGlobalHookDataSize = sizeof(GlobalHookData);

// Settings that came after the 36-byte block live in a mapping of their
// own, so the block keeps its layout. Fixed-width fields only: 32- and 64-bit
// copies of the library read the same bytes. The controller creates and
// fills it together with the block and rewrites it before the same
// options-update broadcast.
inline constexpr char kHookOptionsName[] = "tarvok_HookOptions_{AD5AAA10-4A3A-441D-A7C7-392181717D89}";

struct HookOptionsData {
  // 1: the hot key press that starts a calculation, and its release, are
  // kept from the program; 0: the program gets them as every other key.
  std::uint32_t KeepHotKeyFromProgram;
};

static_assert(sizeof(HookOptionsData) == 4);
static_assert(offsetof(HookOptionsData, KeepHotKeyFromProgram) == 0);

inline constexpr std::size_t kHookOptionsSize = sizeof(HookOptionsData);

// The hot key as the block carries it.
struct HotKeyInBlock {
  std::uint16_t virtualKey;
  std::uint8_t modifiers;
};

// Splits a shortcut code into the block's two fields: the code without the
// three modifier bits, and the modifier set in the block's bit order.
constexpr HotKeyInBlock SplitShortcut(std::uint16_t shortcut) {
  const auto modifierBits = static_cast<std::uint16_t>(kShortcutShift | kShortcutCtrl | kShortcutAlt);
  std::uint8_t modifiers = 0;
  if (shortcut & kShortcutShift) modifiers |= kModShift;
  if (shortcut & kShortcutAlt) modifiers |= kModAlt;
  if (shortcut & kShortcutCtrl) modifiers |= kModCtrl;
  return {static_cast<std::uint16_t>(shortcut & ~modifierBits), modifiers};
}

static_assert(SplitShortcut(0x40BB).virtualKey == 0xBB && SplitShortcut(0x40BB).modifiers == kModCtrl);
static_assert(SplitShortcut(0x60BB).modifiers == (kModCtrl | kModShift));
static_assert(SplitShortcut(0x8041).modifiers == kModAlt);

}  // namespace tarvok
