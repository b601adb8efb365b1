// CHotStatic: the label that shows the product's home page as a link: blue
// and underlined, red while the mouse is over it, purple once it has been
// opened; a click opens its target through the shell.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/link_label.h"
#include "platform/prompt.h"
#include "platform/shell.h"
#include "platform/types.h"

class CHotStatic final : private ILinkLabelHandler {
public:
    CHotStatic(IShell& shell, IPrompt& prompt) : m_shell(shell), m_prompt(prompt) {}
    CHotStatic(const CHotStatic&) = delete;
    CHotStatic& operator=(const CHotStatic&) = delete;
    ~CHotStatic();

    // Binds the label to its window.
    void Attach(std::unique_ptr<ILinkLabel> label);
    // The address a click opens.
    void SetTarget(std::string_view target) { m_strTarget = target; }

    void OnMouseMove() override;
    void OnMouseLeave() override;
    // Opens the target (the label's own text when none was set); a beep when
    // that fails, else the label shows as visited.
    void OnClicked() override;
    std::uint32_t PaintColour() const override;
    bool CtlColor(std::uint32_t& textColour) override;

    BOOL IsHovering() const { return m_bHover; }
    BOOL IsTracking() const { return m_bTracking; }
    BOOL IsVisited() const { return m_bVisited; }
    const std::string& Target() const { return m_strTarget; }

    static constexpr std::uint32_t kNormalColour = Rgb(0, 0, 255);
    static constexpr std::uint32_t kVisitedColour = Rgb(128, 0, 128);
    static constexpr std::uint32_t kHoverColour = Rgb(255, 0, 0);

private:
    IShell& m_shell;
    IPrompt& m_prompt;
    std::unique_ptr<ILinkLabel> m_label;
    const std::uint32_t m_crNormal = kNormalColour;
    const std::uint32_t m_crVisited = kVisitedColour;
    const std::uint32_t m_crHover = kHoverColour;
    BOOL m_bHover = 0;
    BOOL m_bTracking = 0;
    BOOL m_bVisited = 0;
    std::string m_strTarget;
};
