#include "window/FolderOrder.h"

#include "window/LayoutTables.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
bool isLetterFolder(int index)
{
    return std::isalpha(static_cast<unsigned char>(folderTabLayouts().at(size_t(index)).caption[0])) != 0;
}
} // namespace

// The lettered captions sort as text ("G2" < "HJK" < "I1"); the others come last, in the order
// of their tabs.
const std::array<int, 44> &foldersInBookOrder()
{
    static const std::array<int, 44> order = [] {
        std::array<int, 44> folders{};
        for (int i = 0; i < FolderTabCount; ++i)
            folders[size_t(i)] = i;
        std::stable_sort(folders.begin(), folders.end(), [](int a, int b) {
            if (isLetterFolder(a) != isLetterFolder(b))
                return isLetterFolder(a);
            return isLetterFolder(a)
                && std::strcmp(folderTabLayouts().at(size_t(a)).caption, folderTabLayouts().at(size_t(b)).caption) < 0;
        });
        return folders;
    }();
    return order;
}

int folderAfter(int index, int step)
{
    const auto &order = foldersInBookOrder();
    const auto place = std::find(order.begin(), order.end(), index);
    if (place == order.end())
        return order.front();
    const int count = int(order.size());
    const int at = int(place - order.begin());
    return order.at(size_t(((at + step) % count + count) % count));
}
