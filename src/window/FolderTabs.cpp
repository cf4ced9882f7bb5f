#include "window/FolderTabs.h"

#include "platform/ScreenReader.h"
#include "platform/WinColour.h"
#include "window/FolderOrder.h"
#include "window/LayoutTables.h"
#include "window/RovingFocus.h"
#include "window/ToolButtonWidgets.h"
#include "window/WindowAccessibility.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

FolderTab::FolderTab(int index, const QString &caption, bool upperRow, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
    , m_caption(caption)
    , m_upperRow(upperRow)
{
    setObjectName(QStringLiteral("lblFolder_%1").arg(index));
    setAccessibleName(caption);
    setAttribute(Qt::WA_NoMousePropagation);
}

void FolderTab::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    update();
}

void FolderTab::setBackColour(quint32 colour)
{
    m_backColour = colour;
    update();
}

void FolderTab::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, 0.5);
    const qreal radius = qMin(4.0, r.height() / 3);
    QPainterPath outline;
    outline.moveTo(r.bottomLeft());
    outline.lineTo(r.left(), r.top() + radius);
    outline.quadTo(r.topLeft(), QPointF(r.left() + radius, r.top()));
    outline.lineTo(r.right() - radius, r.top());
    outline.quadTo(r.topRight(), QPointF(r.right(), r.top() + radius));
    outline.lineTo(r.bottomRight());
    painter.fillPath(outline, toQColor(m_backColour, palette()));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawPath(outline);
    // An unselected tab of the front row stops at the page's edge; the selected one runs into
    // the page, which is what makes it read as the open folder.
    if (!isBold() && !m_upperRow) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    if (isBold()) {
        // Drawn twice a pixel apart, the regular face reads as bold, as the window system's
        // own emboldening does; a bold face of its own would be loaded for this one letter.
        QFont regular = font();
        regular.setWeight(parentWidget() ? parentWidget()->font().weight() : QFont::Normal);
        painter.setFont(regular);
        // One pixel of the screen, not of the layout, or a scaled screen blurs the letter.
        const qreal pixel = 1 / devicePixelRatioF();
        const QRectF box(rect());
        painter.drawText(box, Qt::AlignCenter, m_caption);
        painter.drawText(box.translated(pixel, 0), Qt::AlignCenter, m_caption);
    } else {
        painter.drawText(rect(), Qt::AlignCenter, m_caption);
    }
    painter.end();
    if (hasFocus())
        drawFocusMark(this, 2);
}

void FolderTab::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void FolderTab::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void FolderTab::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

// A label reports its click on release, over the label, after a press on it.
void FolderTab::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked(m_index);
}

// A double click is one click for a tab, not two sheet switches.
void FolderTab::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void FolderTab::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    emit menuRequested(m_index, event->globalPos());
}

SheetPage::SheetPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("lblScheda"));
    setAccessibleName(QStringLiteral("Foglio della cartella"));
    setAttribute(Qt::WA_NoMousePropagation);
}

void SheetPage::setBackColour(quint32 colour)
{
    m_backColour = colour;
    update();
}

void SheetPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColour, palette()));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SheetPage::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void SheetPage::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void SheetPage::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void SheetPage::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    emit menuRequested(event->globalPos());
}

FolderTabList::FolderTabList(QWidget *window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("Cartelle"));
    setAccessibleName(QStringLiteral("Cartelle della Rubrica"));
}

FolderTabs::FolderTabs(QWidget *window, qreal logicalDpi)
    : QObject(window)
{
    installWindowAccessibility();
    m_page = new SheetPage(window);
    m_page->setGeometry(twipsToPixels(SheetPageRect, logicalDpi));
    connect(m_page, &SheetPage::menuRequested, this, [this](const QPoint &at) { emit menuRequested(-1, at); });
    // At the window's origin, so that each tab's place in it is its place in the window.
    m_list = new FolderTabList(window);
    const auto &layouts = folderTabLayouts();
    QRegion reach;
    for (int i = 0; i < FolderTabCount; ++i) {
        const FolderTabLayout &layout = layouts.at(size_t(i));
        auto *tab = new FolderTab(i, QString::fromLatin1(layout.caption), layout.upperRow, m_list);
        tab->setGeometry(twipsToPixels(folderTabRect(i), logicalDpi));
        connect(tab, &FolderTab::clicked, this, &FolderTabs::folderTabClicked);
        connect(tab, &FolderTab::menuRequested, this, &FolderTabs::menuRequested);
        m_tabs[size_t(i)] = tab;
        reach += tab->geometry();
    }
    m_list->setGeometry(0, 0, reach.boundingRect().right() + 1, reach.boundingRect().bottom() + 1);
    m_list->setMask(reach);
    // The front row overlaps both the back row and the page's top edge.
    for (FolderTab *tab : m_tabs) {
        if (!layouts.at(size_t(tab->index())).upperRow)
            tab->raise();
    }
    std::vector<QWidget *> inBook;
    for (int index : foldersInBookOrder())
        inBook.push_back(folderTab(index));
    m_focus = new RovingFocus(std::move(inBook), [this](int place) { folderTab(foldersInBookOrder().at(size_t(place)))->activate(); }, this);
}

QWidget *FolderTabs::focusTab() const
{
    return m_focus->current();
}

void FolderTabs::setTabLook(int index, bool selected, quint32 colour)
{
    FolderTab *tab = folderTab(index);
    tab->setBold(selected);
    tab->setBackColour(colour);
    if (selected && index != m_selected)
        tellSelection(index);
}

// The first selection, at start-up, is no change to tell of.
void FolderTabs::tellSelection(int index)
{
    const int before = m_selected;
    m_selected = index;
    m_focus->setCurrent(folderTab(index));
    if (before < 0)
        return;
    QAccessible::State selection;
    selection.selected = true;
    QAccessibleStateChangeEvent unselected(folderTab(before), selection);
    ScreenReader::tell(&unselected);
    QAccessibleStateChangeEvent selected(folderTab(index), selection);
    ScreenReader::tell(&selected);
    QAccessibleEvent moved(folderTab(index), QAccessible::Selection);
    ScreenReader::tell(&moved);
    ScreenReader::announce(folderTab(index), QStringLiteral("Cartella %1").arg(folderTab(index)->caption()));
}
