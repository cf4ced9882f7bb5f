#include "dialogs/OptionsChoice.h"

#include "platform/MessageBoxes.h"
#include "storage/ColourSettings.h"

#include <algorithm>

namespace {
int paletteIndex(int index)
{
    return std::clamp(index, 0, 7);
}
} // namespace

OptionsChoice::OptionsChoice(ColourSettings &settings)
    : m_settings(settings)
{
}

void OptionsChoice::load()
{
    m_pageSwatches = m_settings.readColourIndex(QStringLiteral("colsfondo"));
    m_settings.pageColour = m_settings.pageColours.at(size_t(m_pageSwatches));
    m_tabSwatches = m_settings.readColourIndex(QStringLiteral("coltasti"));
    m_settings.tabColour = m_settings.tabColours.at(size_t(m_tabSwatches));
    m_canApply = false;
}

void OptionsChoice::chooseTasti(int index)
{
    m_tabSwatches = paletteIndex(index);
    m_canApply = true;
}

void OptionsChoice::chooseSfondo(int index)
{
    m_pageSwatches = paletteIndex(index);
    m_canApply = true;
}

void OptionsChoice::apply(const ColourTargets &targets)
{
    QString reason;
    if (!m_settings.writeColours(m_pageSwatches, m_tabSwatches, &reason) && targets.messages)
        targets.messages->show(m_settings.notKeptMessage(reason), MsgStyle::Exclamation | MsgStyle::TopMost);
    m_settings.tabColour = m_settings.tabColours.at(size_t(m_tabSwatches));
    m_settings.pageColour = m_settings.pageColours.at(size_t(m_pageSwatches));
    for (int k = 0; k < targets.tabCount; ++k)
        targets.setTabColour(k, targets.isTabBold(k) ? m_settings.pageColour : m_settings.tabColour);
    targets.setPageColour(m_settings.pageColour);
    m_canApply = false;
}
