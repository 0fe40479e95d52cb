// The resident program's start, the tray icon and its menu, and calculation
// on and off.
#include "Controller.h"

#include "CommandIds.h"
#include "PathText.h"
#include "RegistryNames.h"
#include "UserSettingsStore.h"

namespace tarvok {

namespace {

// The notice when the helper of the other bitness cannot serve its programs.
#if defined(_WIN64)
constexpr wchar_t kHelperNoticeTitle[] = L"Tarvok - 32-bit programs";
constexpr wchar_t kHelperMissingText[] =
    L"tarvok32.exe or calc.dll is missing from Tarvok's folder: the hot key works in 64-bit programs only.";
constexpr wchar_t kHelperFailedText[] =
    L"The 32-bit helper tarvok32.exe did not start: the hot key works in 64-bit programs only.";
#else
constexpr wchar_t kHelperNoticeTitle[] = L"Tarvok - 64-bit programs";
constexpr wchar_t kHelperMissingText[] =
    L"tarvok64.exe or calc64.dll is missing from Tarvok's folder: the hot key works in 32-bit programs only.";
constexpr wchar_t kHelperFailedText[] =
    L"The 64-bit helper tarvok64.exe did not start: the hot key works in 32-bit programs only.";
#endif

// The click reaches this thread through the shell, not as keyboard input of
// its own, so the thread's key state can lag behind; the physical state
// settles it.
bool CtrlHeld() { return GetKeyState(VK_CONTROL) < 0 || GetAsyncKeyState(VK_CONTROL) < 0; }

bool OpensNoWindow(UINT command) { return command == kCmdDisableEnable || IsLanguageItem(command); }

}  // namespace

Controller::Controller(Application& application, SettingsRegistry& registry)
    : Controller(application, registry, boxReporter_) {}

Controller::Controller(Application& application, SettingsRegistry& registry, MessageReporter& reporter)
    : application_(application), registry_(registry), calculation_(reporter), window_(application, registry, *this) {}

Controller::~Controller() = default;

bool Controller::Create() {
  if (!window_.Create()) return false;
  // The guard decides once the window exists and before anything starts.
  guard_ = std::make_unique<SingleInstanceGuard>(application_);
  if (guard_->GiveWayToRunningCopy()) return false;
  Start();
  return true;
}

void Controller::SetProgramFolder(const std::string& folder) {
  programFolder_ = folder;
  languageFolder_ = LanguageFolderOf(folder);
  window_.SetProgramFolder(folder);
}

void Controller::Start() {
  SetProgramFolder(FolderOf(application_.ExeName()));
  const std::string language = registry_.ReadString(kSettingsKey, kValueLanguage);
  LoadLanguageFile(language != kAbsentText ? language : kDefaultLanguageFile);

  trayIcon_.AddTrayIcon(window_.Handle(), application_.Instance());
  window_.LoadStoredSettings();
  QuoteOwnAutorunEntry(registry_, application_.ExeName());
  if (TakeFirstRun(registry_)) {
    trayIcon_.ShowTrayBalloon(firstRunTitle_, firstRunText_, kBalloonInfoIcon, window_.Handle());
  }
  RecordProgramFolders(registry_, programFolder_);
  ListLanguages();

  calculation_.Installer().SetLibraryPath(programFolder_ + kHookLibraryFileName);
  TurnCalculationOn();
  Application::TrimWorkingSet();
  ExitIfRequested();
}

// ---- Calculation on and off ----

void Controller::SwitchCalculation() {
  if (calculation_.Busy()) return;
  if (calculation_.On()) {
    calculation_.TurnOff();
    ShowCalculating(false);
  } else {
    TurnCalculationOn();
  }
  ExitIfRequested();
}

void Controller::TurnCalculationOn() {
  calculation_.TurnOn(window_.Settings());
  ShowCalculating(calculation_.On());
  if (calculation_.On()) NoticeHelperProblem();
}

void Controller::ShowCalculating(bool on) {
  menu_.ShowCalculating(on);
  // The icon is added showing "on"; it changes only when the state differs.
  const char* icon = on ? kIconOn : kIconOff;
  if (trayIcon_.CurrentIconName() != icon) trayIcon_.ChangeTrayIcon(window_.Handle(), application_.Instance(), icon);
}

void Controller::NoticeHelperProblem() {
  const auto problem = calculation_.TakeHelperProblem();
  if (!problem) return;
  trayIcon_.ShowTrayBalloon(kHelperNoticeTitle,
                            *problem == HelperProcess::Outcome::Missing ? kHelperMissingText : kHelperFailedText,
                            NIIF_WARNING, window_.Handle());
}

void Controller::OnSettingsStored() {
  if (!calculation_.On()) return;  // the next start takes the settings from the window
  const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  calculation_.Apply(window_.Settings());
  SetCursor(previous);
}

// An Exit chosen while a switch runs (from inside one of its boxes) waits
// for its end.
void Controller::Exit() {
  if (calculation_.Busy()) {
    exitRequested_ = true;
    return;
  }
  exitRequested_ = false;
  // Taking the icon away can block for seconds; the helper's hooks are out
  // before that.
  calculation_.Installer().StopHelper();
  trayIcon_.DeleteTrayIcon(window_.Handle());
  calculation_.Shutdown();
  application_.Terminate();
}

void Controller::ExitIfRequested() {
  if (exitRequested_) Exit();
}

// ---- The tray icon and its menu ----

void Controller::OnTrayIcon(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
      if (CtrlHeld()) SwitchCalculation();
      break;
    case WM_RBUTTONDOWN: ShowTrayMenu(); break;
    case WM_LBUTTONDBLCLK: window_.Open(); break;
    default: break;
  }
}

void Controller::OnTaskbarCreated() {
  // Without this the running program could no longer be reached.
  trayIcon_.ReAddTrayIcon(window_.Handle(), application_.Instance());
}

void Controller::ShowTrayMenu() {
  POINT cursor{};
  GetCursorPos(&cursor);
  application_.ProcessMessages();
  const HWND userWindow = WindowBeforeTrayClick();
  const UINT command = menu_.Choose(window_.Handle(), cursor);
  if (command != 0) OnProgramCommand(command);
  // A menu closed without a choice, or a command that opens no window, would
  // leave the foreground with the hidden options window, and the user's next
  // keys would go nowhere.
  if (command == 0 || OpensNoWindow(command)) GiveForegroundBack(userWindow);
}

void Controller::OnProgramCommand(UINT command) {
  if (IsLanguageItem(command)) {
    ChooseLanguage(command);
    return;
  }
  switch (command) {
    case kCmdOptions: window_.Open(); break;
    case kCmdDisableEnable: SwitchCalculation(); break;
    case kCmdInfo: ShowWhatsNew(); break;
    case kCmdHelp: OpenHelp(); break;
    case kCmdAbout: ShowAbout(); break;
    case kCmdExit: Exit(); break;
    default: break;
  }
}

}  // namespace tarvok
