#include "sheetops/Formatting.h"

#include "model/CellCode.h"
#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "model/SheetModel.h"
#include "model/ShownSheet.h"

namespace Formatting {

CellEdit *toggle(ShownSheet &sheet, Grid &grid, Attribute attribute)
{
    sheet.modified = true;
    const int code = sheet.currentCell();
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
