// What tarvok.exe is asked to do by its command line. A start without
// arguments (or with any it does not know) is the resident program as
// always; "/exit" asks a running copy to end instead, which the installer
// and the uninstaller need before they replace or remove the files.
#pragma once

#include <string_view>

namespace tarvok {

enum class StartRequest { RunResident, ExitRunningCopy };

[[nodiscard]] StartRequest ParseCommandLine(std::string_view arguments);

}  // namespace tarvok
