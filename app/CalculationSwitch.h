// Calculation on and off: the hook installer's start, stop and settings
// updates, and whether one of them runs. Their failure boxes are modal, and
// a modal loop still delivers the tray icon's clicks and menu commands: a
// switch chosen meanwhile would start or stop the hooks inside the running
// operation, so the controller asks Busy first.
#pragma once

#include <optional>

#include "HookInstaller.h"
#include "HookSettings.h"
#include "MessageReporter.h"

namespace tarvok {

class CalculationSwitch {
 public:
  explicit CalculationSwitch(MessageReporter& reporter) : installer_(reporter) {}

  // Installs the hooks. A start that installed none is undone at once, so
  // the next TurnOn starts afresh instead of meeting its own old block.
  void TurnOn(const HookSettings& settings);
  void TurnOff();
  // New settings for the programs that calculate; nothing while off.
  void Apply(const HookSettings& settings);
  // For the end of the program: the hooks out and the library let go.
  void Shutdown();

  [[nodiscard]] bool On() const { return on_; }
  // An operation runs, and this call came from inside one of its boxes.
  [[nodiscard]] bool Busy() const { return busy_; }
  // Once per run of the program: why the helper of the other bitness does
  // not serve its programs, after the first start that found it so.
  [[nodiscard]] std::optional<HelperProcess::Outcome> TakeHelperProblem();

  [[nodiscard]] HookInstaller& Installer() { return installer_; }

 private:
  template <typename Operation>
  void RunBusy(Operation operation);

  HookInstaller installer_;
  bool on_ = false;
  bool busy_ = false;
  bool helperProblemTaken_ = false;
};

}  // namespace tarvok
