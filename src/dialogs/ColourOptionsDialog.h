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
class ColourOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    ColourOptionsDialog(ColourSettings &settings, ColourTargets targets, QWidget *owner);

    // Reads the settings afresh, marks the stored choice and places the dialog below and to the
    // right of the owner's top-left corner, kept clear of the screen's bottom edge.
    void readSettings();

    OptionSwatch *tabSwatch(int index) const { return m_tabSwatches.at(size_t(index)); }
    OptionSwatch *pageSwatch(int index) const { return m_pageSwatches.at(size_t(index)); }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *applyButton() const { return m_apply; }
    int tabChoice() const { return m_choice.tabChoice(); }
    int pageChoice() const { return m_choice.pageChoice(); }

    void tabSwatchClicked(int index);
    void pageSwatchClicked(int index);
    void applyClicked();
    void okClicked();

private:
    void buildGroup(const QString &objectName, const QString &title, int top, int captionLeft,
                    const QString &swatchName, const std::array<const char *, 8> &names,
                    std::array<OptionSwatch *, 8> &swatches, void (ColourOptionsDialog::*click)(int));
    void showChoice();
    void placeBelowOwner();

    ColourSettings &m_settings;
    ColourTargets m_targets;
    OptionsChoice m_choice;
    qreal m_dpi;
    std::array<OptionSwatch *, 8> m_tabSwatches{};
    std::array<OptionSwatch *, 8> m_pageSwatches{};
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_apply = nullptr;
};
