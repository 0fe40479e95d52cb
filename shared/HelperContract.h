// The contract between tarvok.exe and its helper, the small program that
// installs the hook library of the other bitness on 64-bit Windows: the file
// names, and the named objects through which the controller starts and
// stops it. One source builds the helper of each bitness. The helper is
// told the controller's process id on its command line; the names of the
// events carry that id, so two controllers (one ending while the next
// starts) never meet each other's events.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvok {

// Each helper is named after its own bitness and installs the hook library
// of that bitness (kHookLibraryFileName in its build). The controller starts
// the one of the other bitness.
#if defined(_WIN64)
inline constexpr char kOtherHelperFileName[] = "tarvok32.exe";
inline constexpr char kOtherHookLibraryFileName[] = "calc.dll";
// Held by the running helper of this build: one per user session and bitness.
inline constexpr char kHelperMutexName[] = "tarvok64_Running_{07F41A8B-6890-4F1D-81EB-9E23CDF9FC56}";
#else
inline constexpr char kOtherHelperFileName[] = "tarvok64.exe";
inline constexpr char kOtherHookLibraryFileName[] = "calc64.dll";
inline constexpr char kHelperMutexName[] = "tarvok32_Running_{07F41A8B-6890-4F1D-81EB-9E23CDF9FC56}";
#endif

// The helper's exit codes, which tell each reason to end apart from a stop on
// request (0).
enum HelperExitCode : int {
  kHelperStopped = 0,
  kHelperBadCommandLine = 2,
  kHelperControllerGone = 3,
  kHelperAlreadyRunning = 4,
  kHelperNoLibrary = 5,
  kHelperNoHooks = 6,
};

// Set by the helper once its hooks are in.
inline constexpr char kHelperReadyEventPrefix[] = "tarvokHelper_Ready_{6D01413C-2927-4C92-AF9C-D097AACF1E2A}_";
// Set by the controller to have the helper remove its hooks and end.
inline constexpr char kHelperStopEventPrefix[] = "tarvokHelper_Stop_{31C1904C-CC04-4BB2-9436-D95EFAAEBC16}_";

inline std::string HelperEventName(const char* prefix, std::uint32_t controllerProcessId) {
  return prefix + std::to_string(controllerProcessId);
}

// The helper's command line is the controller's process id in decimal;
// anything else (blanks around it aside) is refused.
inline std::optional<std::uint32_t> ParseControllerProcessId(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::uint32_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || id == 0) return std::nullopt;
  return id;
}

}  // namespace tarvok
