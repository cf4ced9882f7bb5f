#include "search/SearchWalk.h"

#include "editing/AgendaState.h"
#include "search/SearchText.h"
#include "storage/Record_Riga.h"
#include "storage/SheetStore.h"

#include <QByteArray>

#include <algorithm>

namespace SearchWalk {

namespace {

int firstRecordOf(const AgendaState &state)
{
    return std::clamp(state.Prossimo_Record, 1, RecordCount + 1);
}

} // namespace

std::optional<Hit> step(AgendaState &state, const SearchText &text, QByteArrayView records)
{
    const int first = firstRecordOf(state);
    const int available = int(std::min<qsizetype>(records.size() / RecordLength, RecordCount + 1 - first));
    for (int i = 0; i < available; ++i) {
        const int r = first + i;
        const char *record = records.data() + qsizetype(i) * RecordLength;
        if (text.foundInField(record, LongTextLength)) {
            state.Trovato = true;
            state.Prossimo_Record = r;
            // The long cell the last step reported: this step goes on with its short cell.
            if (r != state.Ultimo_Trovato) {
                state.Ultimo_Trovato = r;
                return Hit{r, false};
            }
        }
        if (text.foundInField(record + LongTextLength, ShortTextLength)) {
            state.Trovato = true;
            state.Ultimo_Trovato = r;
            state.Prossimo_Record = r + 1;
            return Hit{r, true};
        }
    }
    state.resetSearch();
    return std::nullopt;
}

Result stepOverStore(AgendaState &state, const SearchText &text, SheetStore &store)
{
    const int first = firstRecordOf(state);
    QByteArray records;
    if (!store.readRange(first, RecordCount + 1 - first, &records))
        return {Outcome::ReadFailed, {}};
    const std::optional<Hit> hit = step(state, text, records);
    return hit ? Result{Outcome::Found, *hit} : Result{Outcome::EndOfStore, {}};
}

} // namespace SearchWalk
