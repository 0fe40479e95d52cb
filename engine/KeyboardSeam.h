// The keyboard calls the typing capture and the simulated paste make, as a
// small interface: calc.dll implements it with the Win32 calls, the native
// tests with a stateful fake.
#pragma once

#include <array>
#include <cstdint>

namespace tarvok {

using KeyboardState = std::array<std::uint8_t, 256>;
using WindowRef = void*;

inline constexpr unsigned kVkBack = 0x08;
inline constexpr unsigned kVkShift = 0x10;
inline constexpr unsigned kVkControl = 0x11;
inline constexpr unsigned kVkMenu = 0x12;
inline constexpr unsigned kVkCapital = 0x14;
inline constexpr unsigned kVkLShift = 0xA0;
inline constexpr unsigned kVkRShift = 0xA1;
inline constexpr unsigned kVkRControl = 0xA3;
inline constexpr unsigned kVkLMenu = 0xA4;
inline constexpr unsigned kVkRMenu = 0xA5;
inline constexpr unsigned kVkV = 0x56;
inline constexpr unsigned kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kKeyEventExtended = 0x1;
inline constexpr std::uint32_t kKeyEventKeyUp = 0x2;

class KeyboardSeam {
 public:
  // MapVirtualKeyA(vk, 0): virtual key to scan code.
  virtual unsigned ScanCodeOf(unsigned virtualKey) noexcept = 0;
  virtual bool GetKeyboardState(KeyboardState& state) noexcept = 0;
  virtual bool SetKeyboardState(const KeyboardState& state) noexcept = 0;
  // ToAscii with no menu active; returns the count of characters written.
  virtual int ToAscii(unsigned virtualKey, unsigned scanCode, const KeyboardState& state,
                      std::uint16_t& out) noexcept = 0;
  virtual std::int16_t GetKeyState(unsigned virtualKey) noexcept = 0;
  // The key as the user holds it now, ahead of the thread's queued input.
  virtual std::int16_t GetAsyncKeyState(unsigned virtualKey) noexcept = 0;
  virtual void SendKeyEvent(std::uint8_t virtualKey, std::uint32_t flags) noexcept = 0;
  virtual WindowRef FocusedWindow() noexcept = 0;
  // Where the key being handled goes, asked once per key: every question
  // about the focus may cost a trip to the window system.
  struct KeyFocus {
    // The window with the keyboard focus (on the whole desktop) belongs to
    // another process. False when no window has it.
    bool inOtherProcess = false;
    // The focused window is an Edit control with the password style: what
    // is typed there is nobody's business, not even the log's.
    bool passwordField = false;
  };
  virtual KeyFocus FocusOfKey() noexcept = 0;

 protected:
  ~KeyboardSeam() = default;
};

}  // namespace tarvok
