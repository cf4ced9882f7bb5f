#include "dialogs/ColourOptionsDialog.h"

#include "dialogs/OptionSwatch.h"
#include "platform/Twips.h"
#include "storage/ColourSettings.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int ClientWidth = 3675; // twips, as every position below
constexpr int ClientHeight = 3720;
constexpr int FrameLeft = 80, FrameWidth = 3495, FrameHeight = 1455;
constexpr int TabsFrameTop = 90, SfondoFrameTop = 1640;
constexpr int OwnerOffsetTop = 1600, OwnerOffsetLeft = 6000;
constexpr int ScreenBottomMargin = 400;

const QString NoFill = QStringLiteral("Nessun riempimento (colore finestra)");

// Spoken names of the swatches; a tab colour is the paler shade of the page colour below it.
const std::array<const char *, 8> TastiNames = {
    nullptr, "Lavanda chiaro", "Verde menta chiaro", "Pesca chiaro",
    "Rosa chiaro", "Albicocca chiaro", "Salvia chiaro", "Grigio chiaro"};
const std::array<const char *, 8> SfondoNames = {
    nullptr, "Lavanda", "Verde menta", "Pesca", "Rosa", "Albicocca", "Salvia", "Grigio"};

// Swatch 0 is a bar across the frame; 1 to 7 are squares in a row under the separator.
QRect swatchRect(int index)
{
    return index == 0 ? QRect(120, 240, 3255, 360) : QRect(120 + 480 * (index - 1), 840, 360, 360);
}

} // namespace

ColourOptionsDialog::ColourOptionsDialog(ColourSettings &settings, ColourTargets targets, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_settings(settings)
    , m_targets(std::move(targets))
    , m_choice(settings)
    , m_dpi(owner ? owner->logicalDpiX() : logicalDpiX())
{
    setObjectName(QStringLiteral("frmOpzioni"));
    setWindowTitle(QStringLiteral("  Opzioni Colore Rubrica"));
    setAccessibleName(windowTitle().trimmed());
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    setFixedSize(twipsToPixels(ClientWidth, m_dpi), twipsToPixels(ClientHeight, m_dpi));

    // The caption of swatch 0 starts further in on the tab colours than on the page colours.
    buildGroup(QStringLiteral("Frame2"), QStringLiteral("Colore pulsanti rubrica"), TabsFrameTop, 240,
               QStringLiteral("lblColTasti_%1"), TastiNames, m_tabSwatches, &ColourOptionsDialog::tabSwatchClicked);
    buildGroup(QStringLiteral("Frame1"), QStringLiteral("Colore sfondo rubrica"), SfondoFrameTop, 120,
               QStringLiteral("lblColSfondo_%1"), SfondoNames, m_pageSwatches, &ColourOptionsDialog::pageSwatchClicked);

    const auto button = [this](const char *name, const QString &caption, const QRect &twips) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsToPixels(twips, m_dpi));
        return b;
    };
    m_ok = button("cmdOk", QStringLiteral("Ok"), QRect(600, 3240, 975, 375));
    m_cancel = button("cmdAnnulla", QStringLiteral("Annulla"), QRect(1680, 3240, 855, 375));
    m_apply = button("cmdApplica", QStringLiteral("Applica"), QRect(2640, 3240, 940, 375));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &ColourOptionsDialog::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, &ColourOptionsDialog::applyClicked);
}

// The swatches of one frame are its only buttons, so auto-exclusivity makes them one group.
void ColourOptionsDialog::buildGroup(const QString &objectName, const QString &title, int top, int captionLeft,
                            const QString &swatchName, const std::array<const char *, 8> &names,
                            std::array<OptionSwatch *, 8> &swatches, void (ColourOptionsDialog::*click)(int))
{
    auto *frame = new QGroupBox(title, this);
    frame->setObjectName(objectName);
    frame->setGeometry(twipsToPixels(QRect(FrameLeft, top, FrameWidth, FrameHeight), m_dpi));

    auto *separator = new QFrame(frame);
    separator->setObjectName(objectName == QLatin1String("Frame2") ? QStringLiteral("Frame4") : QStringLiteral("Frame3"));
    separator->setAccessibleName(QStringLiteral("Separatore"));
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setGeometry(twipsToPixels(QRect(120, 675, 2780, 25), m_dpi));

    for (int i = 0; i < 8; ++i) {
        const QString name = i == 0 ? NoFill : QString::fromLatin1(names.at(size_t(i)));
        auto *swatch = new OptionSwatch(swatchName.arg(i), name, frame);
        const QRect rect = twipsToPixels(swatchRect(i), m_dpi);
        swatch->setGeometry(rect);
        if (i == 0) {
            const QRect caption = twipsToPixels(QRect(captionLeft, 315, 3375 - captionLeft, 255), m_dpi);
            swatch->setCaption(NoFill, caption.translated(-rect.topLeft()));
        }
        swatch->setAutoExclusive(true);
        connect(swatch, &QAbstractButton::clicked, this, [this, click, i] { (this->*click)(i); });
        swatches[size_t(i)] = swatch;
    }
}

void ColourOptionsDialog::readSettings()
{
    m_choice.load();
    showChoice();
    placeBelowOwner();
    for (int i = 1; i < 8; ++i) {
        m_tabSwatches[size_t(i)]->setFill(m_settings.tabColours.at(size_t(i)));
        m_pageSwatches[size_t(i)]->setFill(m_settings.pageColours.at(size_t(i)));
    }
    m_ok->setFocus(Qt::OtherFocusReason);
}

// The thick frame and the one Tab stop of each group are on the chosen swatch.
void ColourOptionsDialog::showChoice()
{
    const auto mark = [](const std::array<OptionSwatch *, 8> &swatches, int chosen) {
        for (int i = 0; i < 8; ++i) {
            OptionSwatch *swatch = swatches.at(size_t(i));
            swatch->setChecked(i == chosen);
            swatch->setFocusPolicy(i == chosen ? Qt::StrongFocus : Qt::ClickFocus);
            swatch->update();
        }
    };
    mark(m_tabSwatches, m_choice.tabChoice());
    mark(m_pageSwatches, m_choice.pageChoice());
    m_apply->setEnabled(m_choice.canApply());
}

void ColourOptionsDialog::placeBelowOwner()
{
    QWidget *owner = parentWidget();
    if (!owner)
        return;
    // The frame is known once the native window exists; the placement counts it in, as the
    // window system measures a window's height.
    winId();
    const QRect ownerFrame = owner->frameGeometry();
    const int height = frameGeometry().height();
    int top = ownerFrame.top() + twipsToPixels(OwnerOffsetTop, m_dpi);
    const QScreen *screen = owner->screen();
    const int screenBottom = screen ? screen->geometry().top() + screen->geometry().height() : top + height;
    if (top + height > screenBottom)
        top = screenBottom - height - twipsToPixels(ScreenBottomMargin, m_dpi);
    move(ownerFrame.left() + twipsToPixels(OwnerOffsetLeft, m_dpi), top);
}

void ColourOptionsDialog::tabSwatchClicked(int index)
{
    m_choice.chooseTasti(index);
    showChoice();
}

void ColourOptionsDialog::pageSwatchClicked(int index)
{
    m_choice.chooseSfondo(index);
    showChoice();
}

void ColourOptionsDialog::applyClicked()
{
    m_choice.apply(m_targets);
    showChoice();
}

void ColourOptionsDialog::okClicked()
{
    m_choice.apply(m_targets);
    accept();
}
