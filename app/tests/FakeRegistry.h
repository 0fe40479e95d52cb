// An in-memory registry with the same rules as the real routines: missing
// texts read as "0", texts of 200+ characters are refused, a value with more
// than 4 bytes of data is no integer, integers are no texts, and a text read
// as an integer is the decimal number it spells, if any.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "RegistryValueKind.h"
#include "SettingsRegistry.h"

namespace tarvok::testing {

class FakeRegistry final : public SettingsRegistry {
 public:
  struct Oversize {};  // data longer than any reader accepts
  using Value = std::variant<std::string, std::int32_t, Oversize>;
  using Key = std::pair<std::string, std::string>;

  std::string ReadString(const char* subkey, const char* name) override {
    const Value* value = Find(subkey, name);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) return "0";
    return std::get<std::string>(*value);
  }
  bool WriteString(const char* subkey, const char* name, const std::string& text) override {
    if (text.size() >= 200) return false;
    values[{subkey, name}] = text;
    return true;
  }
  std::int32_t ReadInteger(const char* subkey, const char* name) override {
    return Integer(subkey, name).value_or(0);
  }
  bool ValueExists(const char* subkey, const char* name) override { return Integer(subkey, name).has_value(); }
  void WriteInteger(const char* subkey, const char* name, std::int32_t value) override {
    values[{subkey, name}] = value;
  }
  void DeleteValue(const char* subkey, const char* name) override { values.erase({subkey, name}); }

  [[nodiscard]] bool Has(const char* subkey, const char* name) const { return values.count({subkey, name}) != 0; }

  std::map<Key, Value> values;

 private:
  std::optional<std::int32_t> Integer(const char* subkey, const char* name) const {
    const Value* value = Find(subkey, name);
    if (value == nullptr) return std::nullopt;
    if (const auto* number = std::get_if<std::int32_t>(value)) return *number;
    if (const auto* text = std::get_if<std::string>(value)) return IntegerFromText(*text);
    return std::nullopt;
  }
  const Value* Find(const char* subkey, const char* name) const {
    const auto found = values.find({subkey, name});
    return found == values.end() ? nullptr : &found->second;
  }
};

}  // namespace tarvok::testing
