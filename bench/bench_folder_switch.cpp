// Cost of one folder switch in the real window: the 44 records of the sheet read from the
// store, the 88 cells shown, and the two tabs that change look repainted. Every sheet of the
// store is full, so each switch replaces the text of every cell.
#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "editing/GridView.h"
#include "platform/Clipboard.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenProbe.h"
#include "platform/WindowDirectory.h"
#include "storage/SheetCodec.h"
#include "storage/SheetStore.h"
#include "window/FolderTabs.h"
#include "window/SheetPager.h"
#include "window/AddressBookApplication.h"

#include <QApplication>
#include <QImage>
#include <QWindow>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Everything outside the process: no other copy, a tray program, no boxes, no pointer, an
// empty clipboard.
struct Surroundings : InstanceGuard, WindowDirectory, MessageBoxes, ScreenProbe, Clipboard
{
    QString text() const override { return {}; }
    void setText(const QString &) override {}
    bool anotherInstanceRunning() override { return false; }
    quintptr findWindow(const QString &title) override { return title == QLatin1String("KardelTray") ? 1 : 0; }
    void postClose(quintptr) override {}
    int show(const QString &, int) override { return MsgAnswer::No; }
    QPoint cursorPos() const override { return {-1000, -1000}; }
    QRect windowRect(const QWidget *) const override { return {}; }
};

// A sheet in use: a name and address in every long cell, a telephone number in every short
// one, every fifth row bold and every seventh underlined, a few in colour; sheets differ in
// all their texts and in some of their styles.
std::array<RowContent, RowsPerSheet> fullSheet(int sheet)
{
    static const char *const surnames[] = {"Rossi", "Bianchi", "Esposito", "Colombo", "Ricci", "Marino", "Greco"};
    static const char *const streets[] = {"via Roma", "corso Italia", "piazza Garibaldi", "viale Mazzini"};
    std::array<RowContent, RowsPerSheet> rows;
    for (int r = 0; r < RowsPerSheet; ++r) {
        const int n = sheet * RowsPerSheet + r;
        CellContent &longCell = rows[size_t(r)].longCell;
        longCell.text = QStringLiteral("%1 %2, %3 %4, Bolzano")
                            .arg(QLatin1String(surnames[n % 7]), QChar(u'A' + sheet % 26), QLatin1String(streets[n % 4]))
                            .arg(1 + n % 120);
        longCell.font = {(r + sheet) % 5 == 0, (r + sheet) % 7 == 0};
        longCell.colour = (r + sheet) % 9 == 0 ? 0xC00000u : 0u;
        CellContent &shortCell = rows[size_t(r)].shortCell;
        shortCell.text = QStringLiteral("0471 %1").arg(200000 + 7919 * n % 800000);
        shortCell.colour = (r + sheet) % 11 == 0 ? 0x0000FFu : 0u;
    }
    return rows;
}

// The window as a user opens it: every sheet full, the first one shown and painted.
class Fixture
{
public:
    bool load()
    {
        const QString path = m_dir.filePath(QStringLiteral("rubri.dat"));
        StoreError error;
        SheetStore store;
        if (!SheetStore::createIfMissing(path, &error) || !store.open(path))
            return false;
        for (int sheet = 0; sheet < 44; ++sheet) {
            if (!store.writeSheet(sheet, encodeSheet(fullSheet(sheet))))
                return false;
        }
        store.close();
        WindowServices services;
        services.instance = &m_outside;
        services.windows = &m_outside;
        services.messages = &m_outside;
        services.screen = &m_outside;
        services.clipboard = &m_outside;
        services.programDirectory = m_dir.path();
        m_application = std::make_unique<AddressBookApplication>(services);
        if (!m_application->start())
            return false;
        m_window = m_application->window();
        // The window is exposed, and painted once, through the event loop.
        QCoreApplication::processEvents();
        m_window->repaint();
        // Once round and back, so that the first counted switch finds every cache as the
        // user's hundredth does.
        for (int sheet : {1, 0}) {
            m_window->sheets().showSheet(sheet);
            QCoreApplication::processEvents();
        }
        return m_window->windowHandle() && m_window->windowHandle()->isExposed();
    }
    AddressBookWindow &window() { return *m_window; }

private:
    QTemporaryDir m_dir;
    Surroundings m_outside;
    std::unique_ptr<AddressBookApplication> m_application;
    AddressBookWindow *m_window = nullptr;
};

// Out of line, so that a profiler can be pointed at one switch. The two tabs are drawn the way
// a paint event draws them, into an image of their own, so that the cells' repaint, which
// the event loop does later, is not counted here.
Q_NEVER_INLINE void switchFolder(AddressBookWindow &window, int from, int to, QImage &canvas)
{
    window.sheets().showSheet(to);
    for (int tab : {from, to})
        window.tabs().folderTab(tab)->render(&canvas);
}

// Read 44 records, show 88 cells, repaint the two tabs.
void folderSwitch(benchmark::State &state)
{
    Fixture fixture;
    if (!fixture.load()) {
        state.SkipWithError("the window did not load");
        return;
    }
    QImage canvas(fixture.window().tabs().folderTab(0)->size() * 2, QImage::Format_ARGB32_Premultiplied);
    int sheet = 0;
    for (auto _ : state) {
        const int previous = sheet;
        sheet = (sheet + 1) % 44;
        switchFolder(fixture.window(), previous, sheet, canvas);
    }
    benchmark::DoNotOptimize(fixture.window().grid().longCellAt(44)->text());
}
BENCHMARK(folderSwitch)->Unit(benchmark::kMicrosecond);

// Counts the paint events of the cells' line edits and of the view that draws the others, so
// that the figures show the repaint really happened.
class CellPaintCounter : public QObject
{
public:
    int cellPaints = 0;
    int viewPaints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            cellPaints += qobject_cast<CellEdit *>(watched) != nullptr;
            viewPaints += qobject_cast<GridView *>(watched) != nullptr;
        }
        return false;
    }
};

// The event loop's repaint of everything that changed, the 88 cells' new text included.
Q_NEVER_INLINE void switchFolderPainted(AddressBookWindow &window, int to)
{
    window.sheets().showSheet(to);
    QCoreApplication::processEvents();
}

// The same switch up to the moment the user sees it. With 1 as argument every cell is a line
// edit already, as for a user who has been in all of them or with a screen reader running.
void folderSwitchPainted(benchmark::State &state)
{
    Fixture fixture;
    if (!fixture.load()) {
        state.SkipWithError("the window did not load");
        return;
    }
    if (state.range(0) == 1)
        fixture.window().grid().makeAllCells();
    CellPaintCounter paints;
    qApp->installEventFilter(&paints);
    int sheet = 0;
    for (auto _ : state) {
        sheet = (sheet + 1) % 44;
        switchFolderPainted(fixture.window(), sheet);
    }
    qApp->removeEventFilter(&paints);
    state.counters["cellPaints"] = benchmark::Counter(paints.cellPaints, benchmark::Counter::kAvgIterations);
    state.counters["viewPaints"] = benchmark::Counter(paints.viewPaints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(folderSwitchPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    // A real window, drawn off screen unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
