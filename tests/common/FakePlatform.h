#pragma once

#include "platform/InstanceGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenProbe.h"
#include "platform/WindowDirectory.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <functional>

// Message boxes that answer from a queue and remember what they were asked.
class FakeMessageBoxes : public MessageBoxes
{
public:
    int show(const QString &text, int style) override
    {
        texts << text;
        styles << style;
        // Lets a test look at the window while the box would be open.
        if (whileShown)
            whileShown();
        return answers.isEmpty() ? fallbackAnswer : answers.takeFirst();
    }

    std::function<void()> whileShown;
    QList<int> answers;
    int fallbackAnswer = MsgAnswer::Ok;
    QStringList texts;
    QList<int> styles;
};

// Windows of other programs by title. A window closes after it has received closesNeeded
// close requests; a negative number means it never closes.
class FakeWindowDirectory : public WindowDirectory
{
public:
    void open(const QString &title, int closesNeeded = 1) { m_windows.insert(title, closesNeeded); }
    bool isOpen(const QString &title) const { return m_windows.contains(title); }

    quintptr findWindow(const QString &title) override
    {
        lookups << title;
        return m_windows.contains(title) ? quintptr(qHash(title) | 1) : 0;
    }

    void postClose(quintptr handle) override
    {
        ++closeRequests;
        for (auto it = m_windows.begin(); it != m_windows.end(); ++it) {
            if (quintptr(qHash(it.key()) | 1) != handle)
                continue;
            if (it.value() > 0 && --it.value() == 0)
                m_windows.erase(it);
            return;
        }
    }

    QStringList lookups;
    int closeRequests = 0;

private:
    QHash<QString, int> m_windows;
};

class FakeInstanceGuard : public InstanceGuard
{
public:
    bool anotherInstanceRunning() override { return otherCopyRuns; }
    bool otherCopyRuns = false;
};

// The pointer is wherever the test puts it; widget rectangles are the real ones.
class FakeScreenProbe : public ScreenProbe
{
public:
    QPoint cursorPos() const override { return pointer; }
    QRect windowRect(const QWidget *widget) const override
    {
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    }
    QPoint pointer{-1000, -1000};
};
