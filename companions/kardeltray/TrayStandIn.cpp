#include "TrayStandIn.h"

#include "platform/ProgramDirectory.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QString ProductName = QStringLiteral("Tessavo");
const QString OpenCaption = QStringLiteral("Apri la Rubrica");
const QString QuitCaption = QStringLiteral("Esci");

#ifdef Q_OS_WIN
const QString AddressBookExecutable = QStringLiteral("rubrica.exe");
#else
const QString AddressBookExecutable = QStringLiteral("rubrica");
#endif

// A closed book seen from the front: cover, spine and the edge of the pages.
QPixmap bookPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xF4, 0xF1, 0xE6));
    painter.drawRect(QRectF(4 * unit, 2.5 * unit, 10 * unit, 12 * unit));
    painter.setBrush(QColor(0x8B, 0x1A, 0x1A));
    painter.drawRoundedRect(QRectF(2 * unit, 1 * unit, 11 * unit, 13 * unit), unit, unit);
    painter.setBrush(QColor(0x5E, 0x10, 0x10));
    painter.drawRect(QRectF(2 * unit, 1 * unit, 2 * unit, 13 * unit));
    painter.setBrush(QColor(0xE8, 0xC5, 0x6A));
    painter.drawRect(QRectF(6 * unit, 4 * unit, 5 * unit, 2 * unit));
    return pixmap;
}

QIcon bookIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(bookPixmap(size));
    return icon;
}

// The window stands in for the tray: closing it ends the program, like "Esci".
class StandInWindow : public QWidget
{
public:
    explicit StandInWindow(TrayStandIn *owner) : m_owner(owner) {}

protected:
    void closeEvent(QCloseEvent *event) override
    {
        QWidget::closeEvent(event);
        emit m_owner->quitRequested();
    }

private:
    TrayStandIn *m_owner;
};

} // namespace

TrayStandIn::TrayStandIn(QObject *parent) : QObject(parent) {}

TrayStandIn::~TrayStandIn()
{
    delete m_window;
    delete m_trayIcon;
    delete m_menu;
}

void TrayStandIn::show()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        showWindow();
        return;
    }
    m_menu = new QMenu;
    m_menu->addAction(OpenCaption, this, &TrayStandIn::openAddressBook);
    m_menu->addSeparator();
    m_menu->addAction(QuitCaption, this, &TrayStandIn::quitRequested);

    m_trayIcon = new QSystemTrayIcon(bookIcon(), this);
    m_trayIcon->setToolTip(ProductName);
    m_trayIcon->setContextMenu(m_menu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            openAddressBook();
    });
    m_trayIcon->show();
}

// Titled after the product, not "KardelTray": the registration is what the address book finds,
// and a visible window of that title would be a second, unrelated match on Windows.
void TrayStandIn::showWindow()
{
    auto *window = new StandInWindow(this);
    window->setWindowTitle(ProductName);
    window->setWindowIcon(bookIcon());

    auto *open = new QPushButton(OpenCaption, window);
    open->setObjectName(QStringLiteral("cmdApriRubrica"));
    open->setDefault(true);
    connect(open, &QPushButton::clicked, this, &TrayStandIn::openAddressBook);
    auto *quit = new QPushButton(QuitCaption, window);
    quit->setObjectName(QStringLiteral("cmdEsci"));
    connect(quit, &QPushButton::clicked, this, &TrayStandIn::quitRequested);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(quit);
    auto *layout = new QVBoxLayout(window);
    auto *icon = new QLabel(window);
    icon->setPixmap(bookPixmap(48));
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    layout->addLayout(buttons);

    m_window = window;
    window->show();
}

void TrayStandIn::openAddressBook()
{
    const QString directory = programDirectory();
    const QString program = programFile(directory, AddressBookExecutable);
    if (QProcess::startDetached(program, {}, directory))
        return;
    QMessageBox::warning(m_window, ProductName,
                         QStringLiteral("Impossibile avviare la Rubrica:\n%1").arg(program));
}
