// CMainApp: the application. It runs the main dialog modally and ends the
// program when the dialog ends; there is no message loop of its own. It
// speaks one language, chosen once at start.
#pragma once

#include <string>
#include <vector>

#include "lang/languages.h"
#include "platform/types.h"
#include "platform/win32/win32.h"

class CMainApp {
public:
    // Always false: the program ends once the dialog has ended.
    BOOL InitInstance();
    // A run from the command line, without the dialog; its exit code.
    int RunCommandLine(const std::vector<std::string>& words);

    // The user's language: from the interface language of Windows, or
    // `chosen` (by /lang) where given.
    void ChooseLanguage(std::optional<Language> chosen);
    Language UiLanguage() const { return m_language; }

private:
    Language m_language = kFirstLanguage;
};

// The application object's language, for the paths that end the program
// after an unexpected error.
Language ProgramLanguage();
