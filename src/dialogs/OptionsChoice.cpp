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
    m_sfondo = m_settings.Leggi_Colore(QStringLiteral("colsfondo"));
    m_settings.Colore_Sfondo = m_settings.Colori_Sfondo.at(size_t(m_sfondo));
    m_tasti = m_settings.Leggi_Colore(QStringLiteral("coltasti"));
    m_settings.Colore_Tasti = m_settings.Colori_Tasti.at(size_t(m_tasti));
    m_canApply = false;
}

void OptionsChoice::chooseTasti(int index)
{
    m_tasti = paletteIndex(index);
    m_canApply = true;
}

void OptionsChoice::chooseSfondo(int index)
{
    m_sfondo = paletteIndex(index);
    m_canApply = true;
}

void OptionsChoice::apply(const ColourTargets &targets)
{
    QString reason;
    if (!m_settings.Scrivi_Colori(m_sfondo, m_tasti, &reason) && targets.messages)
        targets.messages->show(m_settings.notKeptMessage(reason), MsgStyle::Exclamation | MsgStyle::TopMost);
    m_settings.Colore_Tasti = m_settings.Colori_Tasti.at(size_t(m_tasti));
    m_settings.Colore_Sfondo = m_settings.Colori_Sfondo.at(size_t(m_sfondo));
    for (int k = 0; k < targets.tabCount; ++k)
        targets.setTabColour(k, targets.isTabBold(k) ? m_settings.Colore_Sfondo : m_settings.Colore_Tasti);
    targets.setPageColour(m_settings.Colore_Sfondo);
    m_canApply = false;
}
