#pragma once

#include <QWidget>

#include <array>

class RovingFocus;

// One lettered folder tab, folderTab(i). Drawn as the tab of an index book: rounded at the
// top, open at the bottom where it joins the page when selected.
class FolderTab : public QWidget
{
    Q_OBJECT
public:
    FolderTab(int index, const QString &caption, bool upperRow, QWidget *parent);

    int index() const { return m_index; }
    QString caption() const { return m_caption; }
    bool isBold() const { return font().bold(); }
    void setBold(bool bold);
    quint32 backColour() const { return m_backColour; }
    void setBackColour(quint32 colour);

signals:
    void clicked(int index);
    // The right button, or the keyboard's menu key, on the tab.
    void menuRequested(int index, const QPoint &globalPos);

public slots:
    // A press by the keyboard or a screen reader: the same as a click.
    void activate() { emit clicked(m_index); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int m_index;
    QString m_caption;
    bool m_upperRow;
    quint32 m_backColour = 0x8000000F;
    bool m_pressed = false;
};

// pageLabel: the coloured page behind the grid. It shows no text and swallows every click,
// so that a click on it is not taken for a click on the bare window.
class SheetPage : public QWidget
{
    Q_OBJECT
public:
    explicit SheetPage(QWidget *parent);
    quint32 backColour() const { return m_backColour; }
    void setBackColour(quint32 colour);

signals:
    void menuRequested(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    quint32 m_backColour = 0x8000000F;
};

// What holds the tabs, for screen readers a tab list. It lies over the window's top left and
// reaches only as far as its tabs do (a mask), so that the bare window around them still takes
// the clicks and pointer moves that fall there.
class FolderTabList : public QWidget
{
    Q_OBJECT
public:
    explicit FolderTabList(QWidget *window);
};

// The 44 tabs folderTab(0..43) and the page pageLabel.
class FolderTabs : public QObject
{
    Q_OBJECT
public:
    FolderTabs(QWidget *window, qreal logicalDpi);

    FolderTab *folderTab(int index) const { return m_tabs.at(size_t(index)); }
    SheetPage *pageLabel() const { return m_page; }
    FolderTabList *tabList() const { return m_list; }
    // The tab that the Tab key and F6 land on: the selected one, unless the arrows moved on.
    QWidget *focusTab() const;
    void setTabLook(int index, bool selected, quint32 colour);

signals:
    void folderTabClicked(int index);
    // The right button on a tab (its index) or on the page (-1).
    void menuRequested(int index, const QPoint &globalPos);

private:
    void tellSelection(int index);

    std::array<FolderTab *, 44> m_tabs{};
    SheetPage *m_page = nullptr;
    FolderTabList *m_list = nullptr;
    RovingFocus *m_focus = nullptr;
    int m_selected = -1;
};
