#pragma once

#include <QAbstractButton>

// One swatch of the colour options, tabSwatch(i) or pageSwatch(i) with the frame drawn on
// it, ShpTasti(i) or ShpSfondo(i). A checkable button, so that in an exclusive group Tab stops
// only at the chosen swatch, the arrows move between swatches and Space chooses; the chosen
// swatch carries the thick frame.
class OptionSwatch : public QAbstractButton
{
    Q_OBJECT
public:
    OptionSwatch(const QString &objectName, const QString &accessibleName, QWidget *parent);

    quint32 fill() const { return m_fill; }
    void setFill(quint32 colour);
    // Swatch 0 shows a caption instead of a colour, in its own rectangle within the swatch.
    void setCaption(const QString &caption, const QRect &captionRect);
    int borderWidth() const { return isChecked() ? 3 : 1; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    quint32 m_fill = 0x8000000F;
    QRect m_captionRect;
};
