#pragma once

#include <array>

// The folders in the order of the book rather than of the tabs on screen: A1, A2, B1, B2, ...,
// HJK, I1, ..., WXY, Z1, Z2, then "*" and "#".
const std::array<int, 44> &foldersInBookOrder();

// The folder `step` places after tab `index` in the book, wrapping at both ends.
int folderAfter(int index, int step);
