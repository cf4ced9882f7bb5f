#pragma once

#include <QtGlobal>

#include <functional>

class ColourSettings;
class MessageBoxes;

// What the colour options repaint in the address book window: its folder tabs and its page.
struct ColourTargets
{
    int tabCount = 0;
    std::function<bool(int index)> isTabBold; // the bold tab is the selected one
    std::function<void(int index, quint32 colour)> setTabColour;
    std::function<void(quint32 colour)> setPageColour;
    MessageBoxes *messages = nullptr; // tells the user when the settings file refuses the colours
};

// The two palette indices the colour options dialog edits. Each opening starts from the
// settings file, never from a choice made earlier and cancelled.
class OptionsChoice
{
public:
    explicit OptionsChoice(ColourSettings &settings);

    int tabChoice() const { return m_tabSwatches; }
    int pageChoice() const { return m_pageSwatches; }
    bool canApply() const { return m_canApply; }

    // Reads both indices and puts their colours in effect at once: another program may have
    // changed the file since start-up, and the next folder switch then paints with them.
    void load();
    void chooseTasti(int index);
    void chooseSfondo(int index);
    // Writes both indices, puts them in effect and repaints the window.
    void apply(const ColourTargets &targets);

private:
    ColourSettings &m_settings;
    int m_tabSwatches = 0;
    int m_pageSwatches = 0;
    bool m_canApply = false;
};
