// libFuzzer entry: any bytes as a typed text, through evaluation and number
// text. Beyond the sanitizers' own checks it insists that every outcome is a
// value or one of the evaluator's errors, that the caller's x87 control word
// comes back, and that the text fits its buffer.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FpuEnvironment.h"
#include "NumberText.h"
#include "SafeCalc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the caller's control word and the precision.
  const int precision = data[0] % 12 - 1;
  const std::uint16_t callerControl = (data[0] & 0x80) ? 0x027F : 0x037F;
  std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);
  typed += ' ';

  tarvok::WriteX87ControlWord(callerControl);
  const std::uint16_t expectedControl = tarvok::ReadX87ControlWord();
  long double value = 0;
  bool evaluated = false;
  try {
    value = tarvok::EvaluateText(typed);
    evaluated = true;
  } catch (const tarvok::Exception& error) {
    if (error.Message().empty()) std::abort();
  }
  if (tarvok::ReadX87ControlWord() != expectedControl) std::abort();

  if (evaluated) {
    std::array<char, tarvok::kNumberTextCapacity> buffer;
    const std::size_t length = tarvok::WriteNumberText(value, precision, buffer);
    if (length == 0 || length >= buffer.size() - 1 || std::strlen(buffer.data()) != length) {
      std::abort();
    }
  }
  tarvok::WriteX87ControlWord(0x037F);
  return 0;
}
