#include "window/ToolButtonWidgets.h"

#include "platform/WinColour.h"
#include "window/LayoutTables.h"
#include "window/RawPicture.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QResource>
#include <QtMath>

namespace {
// Not through QImageReader: left to guess a format, it first loads every image format plugin
// installed (SVG, JPEG, ...) to ask each whether it wants the file.
QPixmap loadPicture(const QString &resource)
{
    const QByteArray bytes = QResource(resource).uncompressedData();
    return QPixmap::fromImage(RawPicture::decode(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()));
}
} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(loadPicture(QStringLiteral(":/icons/app_rubrica_%1.argb").arg(size)));
    return icon;
}

void drawFocusMark(QWidget *widget, int inset)
{
    QPainter painter(widget);
    QPen pen(widget->palette().color(QPalette::WindowText), 0, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(widget->rect().adjusted(inset, inset, -inset - 1, -inset - 1));
}

ToolStrip::ToolStrip(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    setAccessibleName(QStringLiteral("Barra degli strumenti"));
    setAttribute(Qt::WA_NoMousePropagation);
}

void ToolStrip::paintEvent(QPaintEvent *)
{
    // An etched frame whose top and left edges lie outside the window.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -2, -2));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

void ToolStrip::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

ToolSeparator::ToolSeparator(int index, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Frame2_%1").arg(index));
    setAccessibleName(QStringLiteral("Separatore"));
    setAttribute(Qt::WA_NoMousePropagation);
}

void ToolSeparator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int x = qMax(0, width() / 2 - 1);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(x, 0, x, height() - 1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(x + 1, 0, x + 1, height() - 1);
}

ToolImage::ToolImage(int index, const QString &resource, QWidget *parent)
    : QWidget(parent)
    , m_resource(resource)
{
    setObjectName(QStringLiteral("Img_%1").arg(index));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QPixmap ToolImage::picture(const QString &resource, int neededWidth)
{
    QPixmap single = loadPicture(resource);
    if (!single.isNull() && single.width() >= neededWidth)
        return single;
    QString doubled = resource;
    doubled.insert(doubled.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    QPixmap large = loadPicture(doubled);
    return large.isNull() ? single : large;
}

void ToolImage::paintEvent(QPaintEvent *)
{
    // Scaled screens and a large logical dpi both ask for more pixels than the plain picture has.
    const int needed = qCeil(width() * devicePixelRatioF());
    if (needed != m_pictureFor) {
        m_picture = picture(m_resource, needed);
        m_pictureFor = needed;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

ToolBox::ToolBox(int index, const ToolButtonLayout &layout, qreal logicalDpi, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
    , m_dpi(logicalDpi)
{
    setObjectName(QStringLiteral("Pic_%1").arg(index));
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setGeometry(twipsToPixels(QRect(layout.boxLeft, ToolBoxTop, layout.boxWidth, ToolBoxHeight), logicalDpi));
    setToolTip(QString::fromLatin1(layout.toolTip));
    setAccessibleName(QString::fromLatin1(layout.toolTip).trimmed());
    m_image = new ToolImage(index, QString::fromLatin1(layout.icon), this);
    m_image->setAccessibleName(accessibleName());
    const qreal imageScale = logicalDpi / 96.0;
    m_image->resize(qRound(layout.imageWidth * imageScale), qRound(layout.imageHeight * imageScale));
}

void ToolBox::setRest(int leftTwips, int topTwips, quint32 idleColour)
{
    m_restLeft = leftTwips;
    m_restTop = topTwips;
    m_idleColour = idleColour;
}

void ToolBox::setBackColour(quint32 colour)
{
    m_backColour = colour;
    update();
}

void ToolBox::placeImage(int shiftTwips)
{
    m_image->move(twipsToPixels(m_restLeft - shiftTwips, m_dpi), twipsToPixels(m_restTop - shiftTwips, m_dpi));
}

void ToolBox::showIdle()
{
    m_look = Idle;
    setBackColour(m_idleColour);
    m_border = false;
    placeImage(0);
}

void ToolBox::showHighlighted()
{
    m_look = Highlighted;
    setBackColour(WinColour::HighlightedBox);
    m_border = true;
    placeImage(ToolImageHighlightShift);
}

void ToolBox::showPressed()
{
    m_look = Pressed;
    placeImage(0);
    setBackColour(WinColour::PressedBox);
}

void ToolBox::showReleased()
{
    m_look = Highlighted;
    setBackColour(WinColour::HighlightedBox);
    placeImage(ToolImageHighlightShift);
}

void ToolBox::paintEvent(QPaintEvent *)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), toQColor(m_backColour, palette()));
        if (m_border) {
            painter.setPen(palette().color(QPalette::Shadow));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    if (hasFocus())
        drawFocusMark(this, 1);
}

void ToolBox::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved(m_index);
}

void ToolBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mousePressed(m_index);
}

void ToolBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseReleased(m_index);
}

// The second press of a double click is no new press: a button acts once per double click.
void ToolBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void ToolBox::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void ToolBox::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
