// tarvok.exe: the resident controller. Start-up order matters: the options
// window (which runs the single-instance guard and then FormCreate) comes
// first, the About box after it, and the stored language is applied once
// more when both exist, because only then can it reach the About box.
// "tarvok.exe /exit" starts none of that: it only asks the running copy to
// end (ExitRequest.h).
#include <windows.h>

#include <commctrl.h>

#include "Application.h"
#include "CommandLine.h"
#include "ExitRequest.h"
#include "RegistryNames.h"
#include "RozadarRegistry.h"
#include "UMainForm.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  if (tarvok::ParseCommandLine(arguments != nullptr ? arguments : "") == tarvok::StartRequest::ExitRunningCopy) {
    return static_cast<int>(tarvok::AskRunningCopyToExit(tarvok::kExitWaitMs));
  }
  // No library of this process is looked for in the current folder, which
  // belongs to whoever started the program; calc.dll itself goes by full path.
  SetDllDirectoryA("");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_HOTKEY_CLASS | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  tarvok::RozadarRegistry registry;
  tarvok::TApplication application(instance);
  if (!application.Initialize()) return 1;

  TMainForm form(application, registry);
  // The same path as Exit in the tray menu, taken when the menu's turn comes.
  application.SetExitRequestHandler([&form] {
    if (form.Handle != nullptr) PostMessageA(form.Handle, WM_COMMAND, kCmdExit, 0);
  });
  if (!form.Create()) return 0;  // another copy runs, or the window could not be made

  form.CreateAboutBox();
  const std::string language = registry.ReadString(tarvok::kSettingsKey, tarvok::kValueLanguage);
  form.LoadLanguageFile(language != tarvok::kAbsentText ? language : "eng.ini");

  const int exitCode = application.Run(form.Handle);
  form.DestroyAboutBox();
  return exitCode;
}
