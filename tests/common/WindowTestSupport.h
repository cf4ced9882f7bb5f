#pragma once

// Mouse events travel through the window system layer, as real ones do: the widget under the
// pointer receives them and the application's button state is up to date.
#ifndef QTEST_QPA_MOUSE_HANDLING
#define QTEST_QPA_MOUSE_HANDLING
#endif

#include "editing/CellEdit.h"
#include "editing/Grid.h"
#include "model/SheetModel.h"
#include "platform/Clipboard.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramLauncher.h"
#include "platform/ScreenProbe.h"
#include "platform/WindowDirectory.h"
#include "window/FolderTabs.h"
#include "window/Toolbar.h"
#include "window/AddressBookApplication.h"

#include "common/StoreDiff.h"
#include "common/StoreImages.h"
#include "common/TestFiles.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace WindowTest {
using namespace StoreImage;

constexpr quint32 Yellow = 0xC0FFFF;

inline QWidget *focused() { return QApplication::focusWidget(); }
inline void key(int k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(focused(), Qt::Key(k), modifiers); }

// Clicks near the left end, as a user does, so that the widget takes the focus by the mouse.
inline void clickAt(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2)); }

// Focus events arrive only in an active window.
inline bool activate(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// The system clipboard as the window sees it, without touching the desktop's own.
struct FakeClipboard : Clipboard
{
    QString text() const override { return held; }
    void setText(const QString &text) override { held = text; }
    QString held = QStringLiteral("sentinel");
};

// A window on a fresh program directory. The fixture plays everything outside the process:
// the other copy, other programs' windows, the message boxes, the pointer and program starts.
struct WindowFixture : InstanceGuard, WindowDirectory, MessageBoxes, ScreenProbe, ProgramLauncher
{
    WindowFixture() { open.insert(QStringLiteral("KardelTray"), -1); }

    bool anotherInstanceRunning() override { return otherCopy; }
    quintptr findWindow(const QString &title) override
    {
        lookups << title;
        return open.contains(title) ? quintptr(lookups.size()) : 0;
    }
    void postClose(quintptr handle) override
    {
        const QString title = lookups.at(int(handle) - 1);
        ++closeRequests;
        if (open.value(title) > 0 && --open[title] == 0)
            open.remove(title);
    }
    int show(const QString &text, int style) override
    {
        texts << text;
        styles << style;
        if (whileShown) // a look at the window while the box would be open
            whileShown();
        return answers.isEmpty() ? int(MsgAnswer::Ok) : answers.takeFirst();
    }
    bool launch(const QString &commandLine, int showStyle) override
    {
        launched << commandLine;
        launchStyles << showStyle;
        focusAtLaunch << QApplication::focusWidget();
        return launchStarts;
    }
    QPoint cursorPos() const override { return pointer; }
    QRect windowRect(const QWidget *widget) const override { return {widget->mapToGlobal(QPoint()), widget->size()}; }

    bool load(bool active = false)
    {
        WindowServices services;
        services.instance = this;
        services.windows = this;
        services.messages = this;
        services.screen = this;
        services.launcher = this;
        services.clipboard = &clipboard;
        services.programDirectory = dir.path();
        application = std::make_unique<AddressBookApplication>(services);
        const bool started = application->start();
        window = application->window();
        return started && (!active || activate(*window));
    }
    bool loadStore(const QByteArray &store) { return writeAll(file("rubri.dat"), store) && load(true); }
    QString file(const QString &name) const { return dir.filePath(name); }
    QByteArray store() const { return fileBytes(file(QStringLiteral("rubri.dat"))); }
    // What a user does: click into a cell and type; click a folder tab.
    void type(int code, const QString &text)
    {
        clickAt(cell(code));
        QTest::keyClicks(focused(), text);
    }
    void clickTab(int index) { QTest::mouseClick(window->tabs().folderTab(index), Qt::LeftButton); }
    void press(int button) { QTest::mouseClick(window->toolbar().toolBox(button), Qt::LeftButton); }
    // The pointer onto a toolbar button (its centre by default); the leave test's pointer goes along.
    void moveOnto(int button, QPoint at = QPoint())
    {
        ToolBox *box = window->toolbar().toolBox(button);
        at = at.isNull() ? box->rect().center() : at;
        pointer = box->mapToGlobal(at);
        QTest::mouseMove(box, at);
    }
    AddressBookWindow &w() { return *window; }
    SheetModel &model() { return window->model(); }
    // Formatting as the toolbar and the palette give it, in one undoable step.
    void format(int code, CellFont font, quint32 colour = 0)
    {
        SheetModel::Rows rows = model().rows();
        SheetModel::cellIn(rows, code).font = font;
        SheetModel::cellIn(rows, code).colour = colour;
        model().replaceRows(rows, QStringLiteral("formato"));
    }
    CellEdit *cell(int code) { return window->grid().cell(code); }
    ShownSheet &shownSheet() { return window->shownSheet(); }
    GridModes &gridModes() { return window->gridModes(); }
    SearchPosition &searchPosition() { return window->searchPosition(); }
    void focusCell(int code) { cell(code)->setFocus(Qt::OtherFocusReason); }
    bool focusOn(int code) { return focused() == cell(code); }
    QList<int> cellsIn(quint32 background)
    {
        QList<int> codes;
        for (int code = 1; code <= 144; ++code)
            codes << (cell(code) && cell(code)->backColour() == background ? code : 0);
        codes.removeAll(0);
        return codes;
    }
    QList<int> yellowCells() { return cellsIn(Yellow); }

    QTemporaryDir dir;
    bool otherCopy = false; // another copy of the program runs
    QHash<QString, int> open; // window title -> close requests it needs; -1: never closes
    QStringList lookups; // titles looked for
    int closeRequests = 0;
    QList<int> answers; // of the message boxes to come, then OK
    QStringList texts; // of the message boxes shown
    QList<int> styles;
    std::function<void()> whileShown;
    QPoint pointer{-1000, -1000};
    FakeClipboard clipboard;
    bool launchStarts = true; // false: the program cannot be started
    QStringList launched;     // command lines started
    QList<int> launchStyles;
    QList<QWidget *> focusAtLaunch;
    std::unique_ptr<AddressBookApplication> application;
    AddressBookWindow *window = nullptr; // null when the start was refused or failed
};

} // namespace WindowTest
