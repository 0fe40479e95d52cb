// The options window's language side: applying a language file to the tray
// menu, the window, the first-run notice and the About box; the Language
// submenu; and the commands About..., Help... and Info.
#include <windows.h>

#include <shellapi.h>

#include "Application.h"
#include "HtmlHelpAPI.h"
#include "LanguageFile.h"
#include "LanguageFileWin32.h"
#include "RegistryNames.h"
#include "UAbout.h"
#include "UMainForm.h"

namespace {

using tarvok::LanguageTexts;
using tarvok::TextId;

constexpr char kHelpFileName[] = "Tarvok HTML help.chm";
constexpr char kInfoTopic[] = "::/new_page_7.htm";

// The language folder holds no state of its own, so one reader serves the
// window and the About box for the whole run.
const tarvok::LanguageFileSystem& LanguageFolderFiles() {
  static const tarvok::Win32LanguageFileSystem files;
  return files;
}

// The options window and its About box as the target of a language file.
class MainFormLanguageTarget final : public tarvok::LanguageTarget {
 public:
  explicit MainFormLanguageTarget(TMainForm& form) : form_(form) {}

  void RememberLanguage(const std::string& fileName) override {
    form_.Registry().WriteString(tarvok::kSettingsKey, tarvok::kValueLanguage, fileName);
  }

  void ApplyMessages(const LanguageTexts& texts) override {
    form_.FirstRunTitle = texts[TextId::FirstRunTitle];
    form_.FirstRunText = texts[TextId::FirstRunText];
    form_.Work().SetTexts(texts);
  }

  void ApplyMenu(const LanguageTexts& texts) override {
    form_.SetMenuItemText(TrayMenuItem::Options, texts[TextId::MenuOptions]);
    form_.DisableText = texts[TextId::MenuDisable];
    form_.EnableText = texts[TextId::MenuEnable];
    form_.SetMenuItemText(TrayMenuItem::DisableEnable,
                          tarvok::SwitchItemText(texts, form_.HooksActive()));
    form_.SetMenuItemText(TrayMenuItem::Language, texts[TextId::MenuLanguage]);
    form_.SetMenuItemText(TrayMenuItem::About, texts[TextId::MenuAbout]);
    form_.SetMenuItemText(TrayMenuItem::Exit, texts[TextId::MenuExit]);
    form_.SetMenuItemText(TrayMenuItem::Help, texts[TextId::MenuHelp]);
  }

  void ApplyMainWindow(const LanguageTexts& texts) override {
    form_.SetCaption(texts[TextId::WindowCaption]);
    const std::pair<HWND, TextId> controls[] = {
        {form_.RadioButton1, TextId::RadioNumber},  {form_.Label1, TextId::PrecisionLabel},
        {form_.RadioButton2, TextId::RadioLine},    {form_.CheckBox2, TextId::Autorun},
        {form_.Button1, TextId::ButtonOK},          {form_.Button2, TextId::ButtonCancel},
        {form_.Button3, TextId::ButtonApply},       {form_.Label2, TextId::HotKeyLabel},
        {form_.Label3, TextId::FormulaNote},        {form_.HotKeyWarning, TextId::HotKeyWarning},
        {form_.CheckBox3, TextId::KeepHotKey},
    };
    for (const auto& [control, id] : controls) form_.SetControlText(control, texts[id]);
    form_.SetControlText(form_.LineFormNote, tarvok::NameOwnConverter(texts[TextId::LineFormNote], tarvok::kConverterFileName));
  }

  bool ApplyAbout(const LanguageTexts& texts) override {
    if (form_.About == nullptr) return false;
    form_.About->SetCaption(texts[TextId::AboutCaption]);
    form_.About->SetCreditsLabel(texts[TextId::CreditsLabel]);
    form_.About->SetOkText(texts[TextId::ButtonOK]);
    return true;
  }

 private:
  TMainForm& form_;
};

}  // namespace

void TMainForm::LoadLanguageFile(const std::string& fileName) {
  MainFormLanguageTarget target(*this);
  tarvok::LoadLanguage(LanguageFolderFiles(), LanguageFolder, fileName, target);
}

void TMainForm::BuildLanguageMenu() {
  LanguageFiles.clear();
  ClearLanguageMenu();
  for (tarvok::LanguageMenuEntry& entry : tarvok::ListLanguageMenu(LanguageFolderFiles(), LanguageFolder)) {
    const int tag = static_cast<int>(LanguageFiles.size());
    LanguageFiles.push_back(std::move(entry.fileName));
    AddLanguageMenuItem(tag, entry.caption);
  }
}

void TMainForm::MayMenuClick(int tag) {
  if (tag < 0 || static_cast<std::size_t>(tag) >= LanguageFiles.size()) return;
  LoadLanguageFile(LanguageFiles[static_cast<std::size_t>(tag)]);
}

void TMainForm::Help1Click() {
  ShellExecuteA(Handle, "open", (ProgramFolder + kHelpFileName).c_str(), nullptr, nullptr, SW_SHOW);
}

void TMainForm::Ourotherproducts1Click() {
  const std::string topic = ProgramFolder + kHelpFileName + kInfoTopic;
  tarvok::ProcessHtmlHelp().HtmlHelp(Application().Handle(), topic.c_str(), tarvok::kHhDisplayTopic, 0);
}

void TMainForm::N5Click() {
  if (About != nullptr) About->ShowModal();
}

void TMainForm::CreateAboutBox() {
  if (About != nullptr) return;
  About = new TAbout(Application().Instance(), LanguageFolder, LanguageFolderFiles());
  if (!About->Create(Handle)) DestroyAboutBox();
  tarvok::ProcessHtmlHelp();  // the HTML Help library is bound once, at start-up
}

void TMainForm::DestroyAboutBox() {
  delete About;
  About = nullptr;
}
