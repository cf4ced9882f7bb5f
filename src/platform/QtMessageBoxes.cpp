#include "platform/QtMessageBoxes.h"

#include "platform/ApplicationTitle.h"
#include "platform/ItalianTranslations.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

struct BoxButton
{
    QMessageBox::StandardButton button;
    const char *caption;
    int answer;
};

constexpr BoxButton Ok{QMessageBox::Ok, "OK", MsgAnswer::Ok};
constexpr BoxButton Cancel{QMessageBox::Cancel, "Annulla", MsgAnswer::Cancel};
constexpr BoxButton Yes{QMessageBox::Yes, "S\xc3\xac", MsgAnswer::Yes};
constexpr BoxButton No{QMessageBox::No, "No", MsgAnswer::No};
constexpr BoxButton Retry{QMessageBox::Retry, "Riprova", MsgAnswer::Retry};

// In the order Windows shows them; the default-button bits count in this order.
QList<BoxButton> buttonsFor(int style)
{
    switch (style & 0x0F) {
    case MsgStyle::OkCancel:
        return {Ok, Cancel};
    case MsgStyle::YesNoCancel:
        return {Yes, No, Cancel};
    case MsgStyle::YesNo:
        return {Yes, No};
    case MsgStyle::RetryCancel:
        return {Retry, Cancel};
    default:
        return {Ok};
    }
}

QMessageBox::Icon iconFor(int style)
{
    switch (style & 0x70) {
    case MsgStyle::Critical:
        return QMessageBox::Critical;
    case MsgStyle::Question:
        return QMessageBox::Question;
    case MsgStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgStyle::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A carriage return alone or before a line feed is one line break.
QString withLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A label breaks the line at these too, so they count as breaks when the text is fitted.
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

// Windows breaks a word too long for the box and cuts a text too tall for the screen; a label
// does neither, and a search for a long pasted text would open a box taller than the screen,
// its buttons out of reach. Runs without a blank longer than a line are broken, and the text
// ends with "…" once the lines it would take (estimated at `lineLength` characters each) pass
// `maxLines`.
QString fittedToScreen(const QString &text, int lineLength, int maxLines)
{
    QString fitted;
    int lines = 0;
    int run = 0; // characters since the last blank or line break
    int lineChars = 0;
    for (const QChar c : text) {
        // The second half of a character beyond 16 bits stays with the first.
        if (!c.isLowSurrogate()) {
            if (c == u'\n') {
                ++lines;
                lineChars = run = 0;
            } else {
                if (run >= lineLength) {
                    fitted += u'\n';
                    ++lines;
                    lineChars = run = 0;
                }
                run = c.isSpace() ? 0 : run + 1;
                // A tab moves to the next stop, some eight characters on; a character beyond
                // 16 bits (an emoji, mostly) is about two wide.
                lineChars += c == u'\t' ? 8 : c.isHighSurrogate() ? 2 : 1;
                if (lineChars > lineLength) {
                    ++lines; // the label wraps here at a blank
                    lineChars = 1;
                }
            }
            if (lines >= maxLines)
                return fitted + QStringLiteral("…");
        }
        fitted += c;
    }
    return fitted;
}

// A box whose buttons hold no Cancel must be answered with a button, as on Windows: Escape
// and the title bar's close would otherwise pick "No" and drop the user's changes.
class ChoiceBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;
    bool mustChoose = false;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (mustChoose && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent *event) override
    {
        if (mustChoose && !clickedButton()) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

} // namespace

int QtMessageBoxes::show(const QString &text, int style)
{
    // The buttons carry their own words; the box's context menu and spoken names are Qt's.
    ensureItalianTranslations();
    ChoiceBox box(QApplication::activeWindow());
    box.setWindowTitle(ApplicationTitle);
    box.setIcon(iconFor(style));
    box.setTextFormat(Qt::PlainText);
    const QFontMetrics metrics(box.font());
    const QScreen *screen = box.screen();
    // A box's text wraps at about half the screen's width (500 pixels at most) less the icon
    // and the margins; words wrapped whole fill some four fifths of a line. The lines left
    // leave room for the title bar, the margins and the buttons.
    const QSize room = screen ? screen->availableGeometry().size() : QSize(640, 480);
    const int textWidth = (qMin(room.width() / 2, 500) - 120) * 4 / 5;
    const int lineLength = qMax(20, textWidth / qMax(1, metrics.averageCharWidth()));
    const int maxLines = qMax(3, room.height() / metrics.lineSpacing() - 10);
    box.setText(fittedToScreen(withLineFeeds(text), lineLength, maxLines));
    if (style & MsgStyle::TopMost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);

    const QList<BoxButton> kinds = buttonsFor(style);
    QList<QPushButton *> buttons;
    QPushButton *escape = nullptr;
    for (const BoxButton &kind : kinds) {
        QPushButton *button = box.addButton(kind.button);
        button->setText(QString::fromUtf8(kind.caption));
        buttons << button;
        if (kind.button == QMessageBox::Cancel)
            escape = button;
    }
    // Without Cancel, a lone OK is what Escape chooses; Yes and No must be chosen.
    if (!escape && buttons.size() == 1)
        escape = buttons.constFirst();
    box.mustChoose = !escape;
    box.setEscapeButton(escape);

    const int defaultIndex = (style >> 8) & 0x3;
    box.setDefaultButton(buttons.value(defaultIndex, buttons.constFirst()));

    box.exec();

    int chosen = buttons.indexOf(qobject_cast<QPushButton *>(box.clickedButton()));
    if (chosen < 0)
        chosen = escape ? int(buttons.indexOf(escape)) : 0;
    return kinds.at(chosen).answer;
}
