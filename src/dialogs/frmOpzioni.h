#pragma once

#include "dialogs/OptionsChoice.h"

#include <QDialog>

#include <array>

class ColourSettings;
class OptionSwatch;
class QPushButton;

// The colour options: eight swatches for the folder tabs and eight for the page and the
// selected tab. Modal over the address book window; created for each opening and deleted when
// it closes. Closing it by the title bar or Esc is "Annulla".
class frmOpzioni : public QDialog
{
    Q_OBJECT
public:
    frmOpzioni(ColourSettings &settings, ColourTargets targets, QWidget *owner);

    // Reads the settings afresh, marks the stored choice and places the dialog below and to the
    // right of the owner's top-left corner, kept clear of the screen's bottom edge.
    void Form_Load();

    OptionSwatch *lblColTasti(int index) const { return m_tasti.at(size_t(index)); }
    OptionSwatch *lblColSfondo(int index) const { return m_sfondo.at(size_t(index)); }
    QPushButton *cmdOk() const { return m_ok; }
    QPushButton *cmdAnnulla() const { return m_annulla; }
    QPushButton *cmdApplica() const { return m_applica; }
    int Scelta_Tasti() const { return m_choice.Scelta_Tasti(); }
    int Scelta_Sfondo() const { return m_choice.Scelta_Sfondo(); }

    void lblColTasti_Click(int Index);
    void lblColSfondo_Click(int Index);
    void cmdApplica_Click();
    void cmdOk_Click();

private:
    void buildGroup(const QString &objectName, const QString &title, int top, int captionLeft,
                    const QString &swatchName, const std::array<const char *, 8> &names,
                    std::array<OptionSwatch *, 8> &swatches, void (frmOpzioni::*click)(int));
    void showChoice();
    void placeBelowOwner();

    ColourSettings &m_settings;
    ColourTargets m_targets;
    OptionsChoice m_choice;
    qreal m_dpi;
    std::array<OptionSwatch *, 8> m_tasti{};
    std::array<OptionSwatch *, 8> m_sfondo{};
    QPushButton *m_ok = nullptr;
    QPushButton *m_annulla = nullptr;
    QPushButton *m_applica = nullptr;
};
