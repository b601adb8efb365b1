// Port: questions and notices to the user, through the message box, and the
// default beep. Tests answer the questions without a window.
#pragma once

#include <cstdint>
#include <string_view>

// Message box flags and answers, with the values Windows gives them.
enum PromptFlags : std::uint32_t {
    kPromptOk = 0x00,
    kPromptOkCancel = 0x01,
    kPromptYesNo = 0x04,
    kPromptIconQuestion = 0x20,
    kPromptIconWarning = 0x30,
};

enum PromptAnswer : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

class IPrompt {
public:
    IPrompt() = default;
    IPrompt(const IPrompt&) = delete;
    IPrompt& operator=(const IPrompt&) = delete;
    virtual ~IPrompt() = default;

    // Shows `text` with the buttons and icon of `flags` and the default
    // title; returns the answer.
    virtual int Show(std::string_view text, std::uint32_t flags) = 0;
    virtual void Beep() = 0;
};
