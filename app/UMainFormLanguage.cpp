// Language files, the Language submenu, the About box and the help commands
// of the options window. Placeholder definitions until those are built.
#include "UMainForm.h"

void TMainForm::LoadLanguageFile(const std::string& /*fileName*/) {}
void TMainForm::BuildLanguageMenu() {}
void TMainForm::MayMenuClick(int /*tag*/) {}
void TMainForm::Help1Click() {}
void TMainForm::Ourotherproducts1Click() {}
void TMainForm::N5Click() {}
void TMainForm::CreateAboutBox() {}
void TMainForm::DestroyAboutBox() {}
