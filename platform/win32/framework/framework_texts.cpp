#include "platform/win32/framework/framework_texts.h"

#include "platform/win32/text.h"

namespace {

constexpr LANGID kGerman = 0x0407;
constexpr LANGID kEnglish = 0x0409;

struct FrameworkTexts {
    const wchar_t* unexpectedError;
    const wchar_t* cannotCreate;  // before the template's number
    const wchar_t* colon;         // between the number and the reason
    const wchar_t* error;         // before an error code
};

constexpr FrameworkTexts kChinese{L"發生未預期的錯誤（可能是記憶體不足），程式必須結束。", L"無法建立對話方塊 ", L"：",
                                  L"錯誤 "};
constexpr FrameworkTexts kGermanTexts{
    L"Ein unerwarteter Fehler ist aufgetreten (vielleicht ist der Speicher knapp); das Programm muss enden.",
    L"Der Dialog ", L" lässt sich nicht erstellen: ", L"Fehler "};
constexpr FrameworkTexts kEnglishTexts{L"An unexpected error occurred (perhaps the memory ran out); the program must end.",
                                       L"Cannot create the dialog ", L": ", L"Error "};

const FrameworkTexts& TextsOf(LANGID language)
{
    return language == kGerman ? kGermanTexts : language == kEnglish ? kEnglishTexts : kChinese;
}

}  // namespace

const wchar_t* UnexpectedErrorText(LANGID language) { return TextsOf(language).unexpectedError; }

std::wstring CannotCreateDialogText(LANGID language, unsigned templateId, const std::wstring& reason)
{
    const FrameworkTexts& texts = TextsOf(language);
    return texts.cannotCreate + Decimal(templateId) + texts.colon + reason;
}

std::wstring ErrorNumberText(LANGID language, unsigned long error) { return TextsOf(language).error + Decimal(error); }
