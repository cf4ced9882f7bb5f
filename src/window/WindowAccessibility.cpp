#include "window/WindowAccessibility.h"

#include "window/FolderTabs.h"
#include "window/KeyboardShortcuts.h"
#include "window/Toolbar.h"

#include <QAccessibleWidget>

namespace {

QStringList keyNames(const QList<QKeySequence> &keys)
{
    QStringList names;
    for (const QKeySequence &key : keys)
        names << key.toString(QKeySequence::NativeText);
    return names;
}

// A control pressed from the screen reader as by a click; it says so and can take the focus,
// though the Tab key reaches only one of its row.
class PressableAccessible : public QAccessibleWidget
{
public:
    PressableAccessible(QWidget *widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        return s;
    }
    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            press();
        else if (action == setFocusAction())
            widget()->setFocus(Qt::OtherFocusReason);
    }

protected:
    virtual void press() = 0;
};

class FolderTabAccessible : public PressableAccessible
{
public:
    explicit FolderTabAccessible(FolderTab *tab)
        : PressableAccessible(tab, QAccessible::PageTab)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = PressableAccessible::state();
        s.selectable = true;
        s.selected = tab()->isBold();
        return s;
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    FolderTab *tab() const { return static_cast<FolderTab *>(widget()); }
    void press() override { tab()->activate(); }
};

// The picture is part of the button, not a control of its own.
class ToolButtonAccessible : public PressableAccessible
{
public:
    explicit ToolButtonAccessible(ToolBox *box)
        : PressableAccessible(box, QAccessible::Button)
    {
    }

    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::State state() const override
    {
        QAccessible::State s = PressableAccessible::state();
        s.pressed = box()->look() == ToolBox::Pressed;
        s.hotTracked = box()->look() == ToolBox::Highlighted;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Accelerator)
            return keyNames(keys()).join(QStringLiteral(", "));
        return PressableAccessible::text(t);
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        return action == pressAction() ? keyNames(keys()) : QStringList();
    }

private:
    ToolBox *box() const { return static_cast<ToolBox *>(widget()); }
    QList<QKeySequence> keys() const { return KeyboardShortcuts::keysFor(toolbarAction(box()->index())); }
    void press() override { box()->activate(); }
};

QAccessibleInterface *windowControlInterface(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("FolderTab"))
        return new FolderTabAccessible(static_cast<FolderTab *>(widget));
    if (className == QLatin1String("ToolBox"))
        return new ToolButtonAccessible(static_cast<ToolBox *>(widget));
    if (className == QLatin1String("FolderTabList"))
        return new QAccessibleWidget(widget, QAccessible::PageTabList);
    if (className == QLatin1String("ToolStrip"))
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    if (className == QLatin1String("ToolSeparator"))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    return nullptr;
}

} // namespace

void installWindowAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(windowControlInterface);
        return true;
    }();
    Q_UNUSED(installed)
}
