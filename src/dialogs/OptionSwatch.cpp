#include "dialogs/OptionSwatch.h"

#include "platform/WinColour.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

OptionSwatch::OptionSwatch(const QString &objectName, const QString &accessibleName, QWidget *parent)
    : QAbstractButton(parent)
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
}

void OptionSwatch::setFill(quint32 colour)
{
    m_fill = colour;
    update();
}

void OptionSwatch::setCaption(const QString &caption, const QRect &captionRect)
{
    setText(caption);
    m_captionRect = captionRect;
}

void OptionSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_fill, palette()));
    // The frame grows inwards, so a thick frame never covers a neighbour; a caption that starts
    // at the frame's edge is moved clear of the thick frame.
    const int width = borderWidth();
    if (!text().isEmpty()) {
        const int inset = qMax(0, 3 + 4 - m_captionRect.left());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(m_captionRect.adjusted(inset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
    }
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < width; ++i)
        painter.drawRect(rect().adjusted(i, i, -1 - i, -1 - i));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(width + 1, width + 1, -width - 1, -width - 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
