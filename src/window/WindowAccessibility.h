#pragma once

// What screen readers are told of the window's own controls: the folder tabs as a tab list with
// the shown folder selected, the toolbar's boxes as buttons with their keys. Each can be
// pressed from the screen reader as by a click. Installing twice does no harm.
void installWindowAccessibility();
