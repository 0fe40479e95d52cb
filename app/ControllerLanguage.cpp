// The resident program's language side: a language file applied to the tray
// menu, the options window, the notices and the About box; the Language
// submenu; and the commands About..., Help... and Info.
#include <windows.h>

#include <shellapi.h>

#include "CommandIds.h"
#include "Controller.h"
#include "HtmlHelpAPI.h"
#include "LanguageFile.h"
#include "LanguageFileWin32.h"
#include "RegistryNames.h"

namespace tarvok {

namespace {

constexpr char kInfoTopic[] = "::/whats-new.htm";

// The language folder holds no state of its own, so one reader serves the
// window and the About box for the whole run.
const LanguageFileSystem& LanguageFolderFiles() {
  static const Win32LanguageFileSystem files;
  return files;
}

}  // namespace

class Controller::TextTarget final : public LanguageTarget {
 public:
  explicit TextTarget(Controller& controller) : controller_(controller) {}

  void RememberLanguage(const std::string& fileName) override {
    controller_.registry_.WriteString(kSettingsKey, kValueLanguage, fileName);
  }

  void ApplyMessages(const LanguageTexts& texts) override {
    controller_.firstRunTitle_ = texts[TextId::FirstRunTitle];
    controller_.firstRunText_ = texts[TextId::FirstRunText];
    controller_.calculation_.Installer().SetTexts(texts);
  }

  void ApplyMenu(const LanguageTexts& texts) override { controller_.menu_.ApplyTexts(texts); }

  void ApplyMainWindow(const LanguageTexts& texts) override { controller_.window_.ApplyTexts(texts); }

  bool ApplyAbout(const LanguageTexts& texts) override {
    AboutBox* about = controller_.about_.get();
    if (about == nullptr) return false;
    about->SetCaption(texts[TextId::AboutCaption]);
    about->SetCreditsLabel(texts[TextId::CreditsLabel]);
    about->SetOkText(texts[TextId::ButtonOK]);
    return true;
  }

 private:
  Controller& controller_;
};

void Controller::LoadLanguageFile(const std::string& fileName) {
  TextTarget target(*this);
  LoadLanguage(LanguageFolderFiles(), languageFolder_, fileName, target);
}

void Controller::ListLanguages() { menu_.ListLanguages(ListLanguageMenu(LanguageFolderFiles(), languageFolder_)); }

// An item whose file was deleted meanwhile changes nothing.
void Controller::ChooseLanguage(UINT command) {
  if (const std::string* fileName = menu_.LanguageFileOf(command)) LoadLanguageFile(*fileName);
}

void Controller::OpenHelp() const {
  ShellExecuteA(window_.Handle(), "open", (programFolder_ + kHelpFileName).c_str(), nullptr, nullptr, SW_SHOW);
}

void Controller::ShowWhatsNew() const {
  const std::string topic = programFolder_ + kHelpFileName + kInfoTopic;
  ProcessHtmlHelp().HtmlHelp(application_.Handle(), topic.c_str(), kHhDisplayTopic, 0);
}

void Controller::ShowAbout() {
  if (about_ != nullptr) about_->ShowModal();
}

void Controller::CreateAboutBox() {
  if (about_ != nullptr) return;
  about_ = std::make_unique<AboutBox>(application_.Instance(), languageFolder_, LanguageFolderFiles());
  if (!about_->Create(window_.Handle())) about_.reset();
  ProcessHtmlHelp();  // the HTML Help library is bound once, at start-up
}

void Controller::DestroyAboutBox() { about_.reset(); }

}  // namespace tarvok
