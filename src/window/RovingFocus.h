#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

// A row of controls that is one stop of the Tab key, as a tab list or a toolbar is: Tab lands
// on the control last focused, the arrow keys move along the row (wrapping), Home and End go to
// its ends, Space and Enter press the focused control. Other keys go on to the parents.
class RovingFocus : public QObject
{
    Q_OBJECT
public:
    RovingFocus(std::vector<QWidget *> items, std::function<void(int)> press, QObject *parent);

    // The control the Tab key lands on.
    QWidget *current() const { return m_items.at(size_t(m_current)); }
    void setCurrent(QWidget *item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int indexOf(const QObject *item) const;

    std::vector<QWidget *> m_items;
    std::function<void(int)> m_press;
    int m_current = 0;
};
