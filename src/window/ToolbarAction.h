#pragma once

// The 13 toolbar buttons, left to right; the value is the button's place in the strip
// (and the index of its toolBox/toolImage object names).
enum class ToolbarAction {
    Save,
    Cut,
    Copy,
    Paste,
    Bold,
    Underline,
    InsertRow,
    RemoveRow,
    TextColour,
    Search,
    ColourOptions,
    Help,
    Close,
};

constexpr int ToolbarActionCount = 13;

constexpr int toolbarIndex(ToolbarAction action) { return static_cast<int>(action); }
constexpr ToolbarAction toolbarAction(int index) { return static_cast<ToolbarAction>(index); }
