#pragma once

#include <QByteArrayView>

#include <optional>

class SearchText;
class SheetStore;
class SearchPosition;

// One search step: the walk over the store's records from where the last step stopped, in
// store order, the long cell of a record before its short cell. It reads the store, never
// the grid, and keeps its place in a SearchPosition.
namespace SearchWalk {

struct Hit
{
    int record = 0;         // 1..1936
    bool shortCell = false; // the short cell of the record, else its long cell
};

// `records` holds the store's records from position.nextRecord on, as the file holds them.
// A hit moves the place past it; a walk that reaches the end of the store without one puts
// the place back at the first record and gives nullopt.
std::optional<Hit> step(SearchPosition &position, const SearchText &text, QByteArrayView records);

enum class Outcome {
    Found,
    EndOfStore,
    ReadFailed, // the store could not be read: nothing has changed, the store's error() says why
};

struct Result
{
    Outcome outcome = Outcome::EndOfStore;
    Hit hit;
};

// A step over the open store, whose remaining records are read in one go.
Result stepOverStore(SearchPosition &position, const SearchText &text, SheetStore &store);

} // namespace SearchWalk
