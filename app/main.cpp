// tarvok.exe: the resident controller. Start-up order matters: the options
// window and the single-instance guard's decision come first, then the
// start, the About box after it, and the stored language is applied once
// more when both exist, because only then can it reach the About box.
// "tarvok.exe /exit" starts none of that: it only asks the running copy to
// end (ExitRequest.h).
#include <windows.h>

#include <commctrl.h>

#include "Application.h"
#include "CommandIds.h"
#include "CommandLine.h"
#include "Controller.h"
#include "ExitRequest.h"
#include "RegistryNames.h"
#include "SystemRegistry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  if (tarvok::ParseCommandLine(arguments != nullptr ? arguments : "") == tarvok::StartRequest::ExitRunningCopy) {
    return static_cast<int>(tarvok::AskRunningCopyToExit(tarvok::kExitWaitMs));
  }
  // No library of this process is looked for in the current folder, which
  // belongs to whoever started the program; calc.dll itself goes by full path.
  SetDllDirectoryA("");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  tarvok::SystemRegistry registry;
  tarvok::Application application(instance);
  if (!application.Initialize()) return 1;

  tarvok::Controller controller(application, registry);
  // The same path as Exit in the tray menu, taken when the menu's turn comes.
  application.SetExitRequestHandler([&controller] {
    if (controller.Window().Handle() != nullptr) PostMessageA(controller.Window().Handle(), WM_COMMAND, tarvok::kCmdExit, 0);
  });
  if (!controller.Create()) return 0;  // another copy runs, or the window could not be made

  controller.CreateAboutBox();
  const std::string language = registry.ReadString(tarvok::kSettingsKey, tarvok::kValueLanguage);
  controller.LoadLanguageFile(language != tarvok::kAbsentText ? language : tarvok::kDefaultLanguageFile);

  const int exitCode = application.Run(controller.Window().Handle());
  controller.DestroyAboutBox();
  return exitCode;
}
