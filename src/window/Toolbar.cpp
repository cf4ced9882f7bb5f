#include "window/Toolbar.h"

#include "editing/AgendaState.h"
#include "platform/ScreenProbe.h"
#include "platform/WinColour.h"
#include "window/LayoutTables.h"

#include "window/RawPicture.h"

#include <QIcon>
#include <QResource>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {
constexpr int PaletteButton = 8;
constexpr int LeaveTestInterval = 55; // ms
} // namespace

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

ToolBox::ToolBox(int index, QWidget *parent)
    : QWidget(parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("Pic_%1").arg(index));
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ToolBox::setBackColour(quint32 colour)
{
    m_backColour = colour;
    update();
}

void ToolBox::setBorder(bool border)
{
    m_border = border;
    update();
}

void ToolBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(m_backColour, palette()));
    if (m_border) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
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

Toolbar::Toolbar(QWidget *window, qreal logicalDpi, AgendaState &state, const ScreenProbe &screen)
    : QObject(window)
    , m_dpi(logicalDpi)
    , m_state(state)
    , m_screen(screen)
    , m_strip(new ToolStrip(window))
{
    m_strip->setGeometry(twipsToPixels(ToolStripRect, logicalDpi));
    const auto &layouts = toolButtonLayouts();
    const qreal imageScale = logicalDpi / 96.0;
    for (int i = 0; i < ToolButtonCount; ++i) {
        const ToolButtonLayout &layout = layouts.at(size_t(i));
        auto *box = new ToolBox(i, m_strip);
        box->setGeometry(twipsToPixels(QRect(layout.boxLeft, ToolBoxTop, layout.boxWidth, ToolBoxHeight), logicalDpi));
        box->setToolTip(QString::fromLatin1(layout.toolTip));
        box->setAccessibleName(QString::fromLatin1(layout.toolTip).trimmed());
        auto *image = new ToolImage(i, QString::fromLatin1(layout.icon), box);
        image->setAccessibleName(box->accessibleName());
        image->resize(qRound(layout.imageWidth * imageScale), qRound(layout.imageHeight * imageScale));
        connect(box, &ToolBox::mouseMoved, this, &Toolbar::hover);
        connect(box, &ToolBox::mousePressed, this, &Toolbar::press);
        connect(box, &ToolBox::mouseReleased, this, &Toolbar::release);
        m_boxes[size_t(i)] = box;
        m_images[size_t(i)] = image;
    }
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(LeaveTestInterval);
    connect(&m_timer, &QTimer::timeout, this, &Toolbar::Timer1_Timer);
    m_timer.start();
}

void Toolbar::initialise(quint32 windowBackground)
{
    m_windowBackground = windowBackground;
    const auto &layouts = toolButtonLayouts();
    for (int i = 0; i < ToolButtonCount; ++i) {
        m_imgTop[size_t(i)] = ToolImageRestTop;
        m_imgLeft[size_t(i)] = layouts.at(size_t(i)).restLeft;
    }
    m_active = None;
    for (int i = 0; i < ToolButtonCount; ++i)
        setIdleLook(i);
}

void Toolbar::placeImage(int index, int shiftTwips)
{
    const size_t i = size_t(index);
    Img(index)->move(twipsToPixels(m_imgLeft[i] - shiftTwips, m_dpi),
                     twipsToPixels(m_imgTop[i] - shiftTwips, m_dpi));
}

void Toolbar::setIdleLook(int index)
{
    if (index == m_held)
        return;
    Pic(index)->setBackColour(m_windowBackground);
    Pic(index)->setBorder(false);
    placeImage(index, 0);
}

void Toolbar::hover(int index)
{
    m_timer.start();
    if (m_state.Tavolozza_Aperta && index != PaletteButton)
        emit closePaletteRequested();
    if (m_active == index)
        return;
    if (m_active < None)
        setIdleLook(m_active);
    m_active = index;
    if (index == m_held)
        return;
    Pic(index)->setBackColour(WinColour::HighlightedBox);
    Pic(index)->setBorder(true);
    placeImage(index, ToolImageHighlightShift);
}

void Toolbar::press(int index)
{
    placeImage(index, 0);
    Pic(index)->setBackColour(WinColour::PressedBox);
    // The action runs inside the press, so a modal dialog keeps the pressed look until it closes.
    emit actionRequested(index);
}

void Toolbar::release(int index)
{
    if (index == m_held)
        return;
    Pic(index)->setBackColour(WinColour::HighlightedBox);
    placeImage(index, ToolImageHighlightShift);
}

void Toolbar::Timer1_Timer()
{
    const QPoint pointer = m_screen.cursorPos();
    const QRect first = m_screen.windowRect(Pic(0));
    const QRect last = m_screen.windowRect(Pic(ToolButtonCount - 1));
    const bool overStrip = first.top() <= pointer.y() && pointer.y() <= first.bottom()
        && first.left() <= pointer.x() && pointer.x() <= last.right();
    if (overStrip)
        return;
    Azzera_Pulsanti();
    m_timer.stop();
}

void Toolbar::Azzera_Pulsanti()
{
    if (m_active < None) {
        setIdleLook(m_active);
        m_active = None;
    }
}

void Toolbar::holdPressed(int index)
{
    m_held = index;
}

// The release that the dialog swallowed happens now; the leave test then decides whether the
// pointer is still on the button.
void Toolbar::endHold()
{
    const int index = m_held;
    m_held = None;
    if (index == None)
        return;
    if (index == m_active)
        release(index);
    else
        setIdleLook(index);
    m_timer.start();
}
