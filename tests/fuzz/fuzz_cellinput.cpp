// Any text typed or pasted into cells: storable, unchanged when entered again, within the cell's
// limit; a paste's lines go row after row, never past row 44.
#include "FuzzHarness.h"
#include "editing/CellInput.h"
#include "editing/ClipboardText.h"
#include "storage/AnsiCodec.h"

namespace {

bool storable(const QString &text)
{
    const QByteArray bytes = AnsiCodec::encode(text);
    if (bytes.size() != text.size() || AnsiCodec::decode(bytes) != text)
        return false;
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c < u' ' || (c >= u'\x7f' && c <= u'\x9f'); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int startRow = 1 + data[0] % 44;
    const int limit = data[1] % 128;
    // The rest as UTF-16 code units, lone surrogates and all; its first half already in a cell.
    const QString text(reinterpret_cast<const QChar *>(data + 2), qsizetype((size - 2) / 2));
    const QString typed = CellInput::toStorable(text);
    require(storable(typed));
    require(CellInput::toStorable(typed) == typed);
    const QString pasted = CellInput::fromPaste(text);
    require(storable(pasted));
    require(CellInput::fromPaste(pasted) == pasted);

    const QString cell = CellInput::toStorable(text.left(text.size() / 2)).left(limit);
    const QString appended = ClipboardText::appendWithinLimit(cell, text.mid(text.size() / 2), limit);
    require(appended.size() <= limit);
    require(appended.startsWith(cell));
    require(storable(appended));

    const QString clipboard = ClipboardText::unifyLineBreaks(text);
    require(!clipboard.contains(u'\r'));
    const ClipboardText::PastePlan plan = ClipboardText::planPaste(clipboard, startRow);
    const QStringList lines = clipboard.split(u'\n');
    require(plan.lines.size() == std::min<qsizetype>(lines.size(), 45 - startRow));
    for (qsizetype i = 0; i < plan.lines.size(); ++i) {
        require(plan.lines.at(i).row == startRow + i);
        require(plan.lines.at(i).text == lines.at(i));
    }
    require(plan.focusRow >= 1 && plan.focusRow <= 44);
    return 0;
}
