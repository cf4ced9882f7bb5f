#pragma once

// How the grid's keys behave at the moment: the user's last moves decide both.
struct GridModes
{
    bool caretMode = false;       // Left/Right move inside the text (after a click in a cell)
    bool extendSelection = false; // a focus gain keeps earlier highlights (Shift+Down)
};
