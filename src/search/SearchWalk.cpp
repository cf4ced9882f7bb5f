#include "search/SearchWalk.h"

#include "search/SearchPosition.h"
#include "search/SearchText.h"
#include "storage/RowRecord.h"
#include "storage/SheetStore.h"

#include <QByteArray>

#include <algorithm>

namespace SearchWalk {

namespace {

int firstRecordOf(const SearchPosition &position)
{
    return std::clamp(position.nextRecord, 1, RecordCount + 1);
}

} // namespace

std::optional<Hit> step(SearchPosition &position, const SearchText &text, QByteArrayView records)
{
    const int first = firstRecordOf(position);
    const int available = int(std::min<qsizetype>(records.size() / RecordLength, RecordCount + 1 - first));
    for (int i = 0; i < available; ++i) {
        const int r = first + i;
        const char *record = records.data() + qsizetype(i) * RecordLength;
        if (text.foundInField(record, LongTextLength)) {
            position.found = true;
            position.nextRecord = r;
            // The long cell the last step reported: this step goes on with its short cell.
            if (r != position.lastHit) {
                position.lastHit = r;
                return Hit{r, false};
            }
        }
        if (text.foundInField(record + LongTextLength, ShortTextLength)) {
            position.found = true;
            position.lastHit = r;
            position.nextRecord = r + 1;
            return Hit{r, true};
        }
    }
    position.endSearch();
    return std::nullopt;
}

Result stepOverStore(SearchPosition &position, const SearchText &text, SheetStore &store)
{
    const int first = firstRecordOf(position);
    QByteArray records;
    if (!store.readRange(first, RecordCount + 1 - first, &records))
        return {Outcome::ReadFailed, {}};
    const std::optional<Hit> hit = step(position, text, records);
    return hit ? Result{Outcome::Found, *hit} : Result{Outcome::EndOfStore, {}};
}

} // namespace SearchWalk
