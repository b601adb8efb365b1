// Prompts answered without a window: each question takes the next scripted
// answer (or the default), and every box and beep is recorded in order.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/prompt.h"

class MemoryPrompt final : public IPrompt {
public:
    struct Shown {
        std::string text;  // "<beep>" for a beep
        std::uint32_t flags;
    };

    void Answer(int answer) { m_answers.push_back(answer); }
    void SetDefaultAnswer(int answer) { m_defaultAnswer = answer; }
    const std::vector<Shown>& History() const { return m_shown; }

    int Show(std::string_view text, std::uint32_t flags) override
    {
        m_shown.push_back({std::string(text), flags});
        if (m_answers.empty())
            return m_defaultAnswer;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    void Beep() override { m_shown.push_back({"<beep>", 0}); }

private:
    std::deque<int> m_answers;
    int m_defaultAnswer = kAnswerOk;
    std::vector<Shown> m_shown;
};
