#include "sheetops/Formatting.h"

#include "editing/AgendaState.h"
#include "editing/CellCode.h"
#include "editing/CellEdit.h"
#include "editing/Grid.h"

namespace Formatting {

CellEdit *toggle(AgendaState &state, Grid &grid, Attribute attribute)
{
    state.Modificato = true;
    CellEdit *target = grid.cell(CellCode::ofColumn(state.Colonna_Corrente, state.Riga_Corrente));
    if (!target)
        return nullptr;
    if (attribute == Attribute::Bold)
        target->setBold(!target->isBold());
    else
        target->setUnderlined(!target->isUnderlined());
    // The toolbar takes no focus, so usually the cell still has it and nothing more happens;
    // from the search box the cell gains it back with its highlight and caret.
    target->setFocus(Qt::OtherFocusReason);
    return target;
}

} // namespace Formatting
