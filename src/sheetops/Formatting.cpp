#include "sheetops/Formatting.h"

#include "editing/AgendaState.h"
#include "model/CellCode.h"
#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "model/SheetModel.h"

namespace Formatting {

CellEdit *toggle(AgendaState &state, Grid &grid, Attribute attribute)
{
    state.Modificato = true;
    const int code = CellCode::ofColumn(state.Colonna_Corrente, state.Riga_Corrente);
    CellEdit *target = grid.cell(code);
    if (!target)
        return nullptr;
    if (attribute == Attribute::Bold)
        grid.model().toggleBold(code);
    else
        grid.model().toggleUnderline(code);
    // The toolbar takes no focus, so usually the cell still has it and nothing more happens;
    // from the search box the cell gains it back with its highlight and caret.
    target->setFocus(Qt::OtherFocusReason);
    return target;
}

} // namespace Formatting
