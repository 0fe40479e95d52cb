// Calculation on and off.
#include "CalculationSwitch.h"

namespace tarvok {

template <typename Operation>
void CalculationSwitch::RunBusy(Operation operation) {
  busy_ = true;
  operation();
  busy_ = false;
}

void CalculationSwitch::TurnOn(const HookSettings& settings) {
  RunBusy([&] { installer_.Start(settings); });
  on_ = installer_.HooksInstalled();
  if (!on_) RunBusy([this] { installer_.Stop(); });
}

void CalculationSwitch::TurnOff() {
  RunBusy([this] { installer_.Stop(); });
  on_ = false;
}

void CalculationSwitch::Apply(const HookSettings& settings) {
  if (on_) installer_.ApplySettings(settings);
}

void CalculationSwitch::Shutdown() {
  RunBusy([this] {
    if (on_) installer_.Stop();
    installer_.ReleaseLibrary();
  });
  on_ = false;
}

std::optional<HelperProcess::Outcome> CalculationSwitch::TakeHelperProblem() {
  const auto outcome = installer_.HelperOutcome();
  if (helperProblemTaken_ || (outcome != HelperProcess::Outcome::Missing && outcome != HelperProcess::Outcome::Failed)) {
    return std::nullopt;
  }
  helperProblemTaken_ = true;
  return outcome;
}

}  // namespace tarvok
