#include "app/hot_static.h"

#include <utility>

CHotStatic::~CHotStatic()
{
    if (m_label)
        m_label->SetHandler(nullptr);
}

void CHotStatic::Attach(std::unique_ptr<ILinkLabel> label)
{
    m_label = std::move(label);
    if (m_label)
        m_label->SetHandler(this);
}

void CHotStatic::OnMouseMove()
{
    // One leave notification at a time: the next is asked for once the
    // mouse has left.
    if (m_bTracking || !m_label)
        return;
    m_label->RequestMouseLeave();
    m_bTracking = 1;
    m_bHover = 1;
    m_label->Invalidate(false);
    m_label->Update();
}

void CHotStatic::OnMouseLeave()
{
    m_bTracking = 0;
    if (!m_bHover || !m_label)
        return;
    m_bHover = 0;
    m_label->Invalidate(false);
    m_label->Update();
}

void CHotStatic::OnClicked()
{
    if (m_strTarget.empty() && m_label)
        m_strTarget = m_label->Text();
    if (m_shell.Execute("open", m_strTarget, {}, {}, kShowNormal) <= 32) {
        m_prompt.Beep();
        return;
    }
    m_bVisited = 1;
    if (m_label)
        m_label->Invalidate(true);
}

std::uint32_t CHotStatic::PaintColour() const
{
    if (m_bHover)
        return m_crHover;
    return m_bVisited ? m_crVisited : m_crNormal;
}

bool CHotStatic::CtlColor(std::uint32_t& textColour)
{
    if (!m_label)
        return false;
    // Without the notify style the label would hear of no click.
    const std::uint32_t style = m_label->Style();
    if (!(style & kStaticNotify))
        m_label->SetStyle(style | kStaticNotify);
    // Left-aligned and centred text are left to the parent.
    if ((style & kStaticTypeMask) < 2)
        return false;
    textColour = m_bVisited ? m_crVisited : m_crNormal;
    return true;
}
