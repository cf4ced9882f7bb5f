#pragma once

// Mouse events travel through the window system layer, as real ones do: the widget under the
// pointer receives them and the application's button state is up to date.
#ifndef QTEST_QPA_MOUSE_HANDLING
#define QTEST_QPA_MOUSE_HANDLING
#endif

#include "AgendaFixture.h"
#include "window/CellEdit.h"
#include "window/Grid.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTest>

// Helpers shared by the tests of the address book window. Records are built here byte by
// byte, independently of the program's own record code.
namespace WindowTest {

constexpr int RecordBytes = 146;
constexpr quint32 Yellow = 0xC0FFFF;
constexpr quint32 HitGreen = 0xBEFEBE;

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Record n (1-based) of a store image.
inline QByteArray recordOf(const QByteArray &store, int n)
{
    return store.mid(qsizetype(n - 1) * RecordBytes, RecordBytes);
}

inline QByteArray makeRecord(const QByteArray &text1, const QByteArray &text2, const QByteArray &codes = "000000")
{
    return text1.leftJustified(100, ' ', true) + text2.leftJustified(40, ' ', true) + codes;
}

inline QByteArray emptyStore()
{
    return makeRecord("", "").repeated(1936);
}

// Puts `record` at record number n of a store image.
inline void putRecord(QByteArray &store, int n, const QByteArray &record)
{
    store.replace(qsizetype(n - 1) * RecordBytes, RecordBytes, record);
}

inline int twips(int value, const QWidget &w)
{
    return qRound(value * w.logicalDpiX() / 1440.0);
}

// Focus events arrive only in an active window.
inline bool activate(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// Start-up, then an active window; false when either fails.
inline bool loadActive(AgendaFixture &f)
{
    return f.load() && activate(*f.window);
}

inline QWidget *focused()
{
    return QApplication::focusWidget();
}

// Clicks into a cell the way a user does, so that it takes the focus through the mouse.
inline void clickCell(CellEdit *cell)
{
    QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(4, cell->height() / 2));
}

inline void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(k), modifiers);
}

} // namespace WindowTest
