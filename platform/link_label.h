// Port: the window of the link label, as its class drives it, and what the
// label's class answers when the window hears from the user or its parent.
#pragma once

#include <cstdint>
#include <string>

// Colours with the values Windows gives them: 0x00BBGGRR.
constexpr std::uint32_t Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return red | (std::uint32_t{green} << 8) | (std::uint32_t{blue} << 16);
}

// Static control styles the label's class reads.
inline constexpr std::uint32_t kStaticNotify = 0x0100;   // SS_NOTIFY
inline constexpr std::uint32_t kStaticTypeMask = 0x00FF;  // the static type: 0 left, 1 centred, ...

class ILinkLabelHandler {
public:
    virtual void OnMouseMove() = 0;
    // The mouse left the label after a leave notification was requested.
    virtual void OnMouseLeave() = 0;
    // The label's own click notification, reflected back to it.
    virtual void OnClicked() = 0;
    // The colour to paint the text in now.
    virtual std::uint32_t PaintColour() const = 0;
    // The parent's colour request for the label, reflected back to it: false
    // leaves it to the parent's default; true answers it with `textColour`,
    // the link font and a transparent background.
    virtual bool CtlColor(std::uint32_t& textColour) = 0;

protected:
    ~ILinkLabelHandler() = default;
};

class ILinkLabel {
public:
    ILinkLabel() = default;
    ILinkLabel(const ILinkLabel&) = delete;
    ILinkLabel& operator=(const ILinkLabel&) = delete;
    virtual ~ILinkLabel() = default;

    // Routes the label's messages to `handler` (null: none).
    virtual void SetHandler(ILinkLabelHandler* handler) = 0;
    virtual std::string Text() const = 0;
    virtual std::uint32_t Style() const = 0;
    virtual void SetStyle(std::uint32_t style) = 0;
    // Asks for one notification when the mouse leaves the label.
    virtual void RequestMouseLeave() = 0;
    // Invalidates the whole label, erasing its background or not.
    virtual void Invalidate(bool erase) = 0;
    // Paints what is invalid now.
    virtual void Update() = 0;
};
