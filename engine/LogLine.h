// The calculation log: one line per hot key, "[" timestamp "] " expression
// "=" result, appended to "log.txt" in the program's folder; an expression
// that already ends with "=" (blanks aside) gets no second one. The clock, the
// user's date and time formats and the file are reached through a seam.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace tarvok {

inline constexpr char kLogFileName[] = "log.txt";

struct LocalTime {
  std::uint16_t year = 0, month = 0, day = 0;
  std::uint16_t hour = 0, minute = 0, second = 0;
};

class LogFileSeam {
 public:
  virtual LocalTime Now() noexcept = 0;
  // The user's short date and long time formats.
  virtual std::string FormatShortDate(const LocalTime& time) = 0;
  virtual std::string FormatLongTime(const LocalTime& time) = 0;
  // Appends `bytes` to the file, creating it; false on any file error.
  virtual bool AppendToFile(const std::string& fileName, std::string_view bytes) noexcept = 0;

 protected:
  ~LogFileSeam() = default;
};

class LogFileError : public std::exception {
 public:
  explicit LogFileError(const char* what) noexcept : what_(what) {}
  [[nodiscard]] const char* what() const noexcept override { return what_; }

 private:
  const char* what_;  // a literal
};

// The short date, then a blank and the long time unless it is midnight.
std::string FormatLogTimestamp(LogFileSeam& log, const LocalTime& time);
// Raises LogFileError when the line could not be written.
void AppendLogLine(LogFileSeam& log, std::string_view folder, std::string_view expression,
                   std::string_view resultText);

}  // namespace tarvok
