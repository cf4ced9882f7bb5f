#pragma once

#include "platform/Twips.h"

#include <QRect>
#include <QString>

#include <array>

// The window's fixed geometry, in twips (1/1440 inch) as the window was designed.

constexpr int ClientWidthTwips = 10020;
constexpr int ClientHeightTwips = 6555;

struct FolderTabLayout
{
    const char *caption;
    int left;
    int width;
    bool upperRow;
};
constexpr int FolderTabCount = 44;
constexpr int FolderTabHeight = 270;
constexpr int LowerTabRowTop = 740;
constexpr int UpperTabRowTop = 480;
const std::array<FolderTabLayout, FolderTabCount> &folderTabLayouts();
QRect folderTabRect(int index);

constexpr QRect SheetPageRect{45, 990, 9930, 5510};
constexpr QRect ToolStripRect{-30, -100, 10100, 550};
constexpr QRect SearchBoxRect{3780, 75, 1455, 290};
constexpr int SeparatorCount = 8;
QRect separatorRect(int index);

struct ToolButtonLayout
{
    const char *toolTip;
    int boxLeft;      // within the strip
    int boxWidth;
    int imageWidth;   // pixels
    int imageHeight;  // pixels
    int restLeft;     // Img_Left, twips within the box
    const char *icon; // resource path of the picture at its own size
};
constexpr int ToolButtonCount = 13;
constexpr int ToolBoxTop = 150; // within the strip
constexpr int ToolBoxHeight = 360;
constexpr int ToolImageRestTop = 40;
constexpr int ToolImageHighlightShift = 20;
const std::array<ToolButtonLayout, ToolButtonCount> &toolButtonLayouts();
