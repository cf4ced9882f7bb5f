#include "editing/CellEdit.h"
#include "editing/CellPainter.h"
#include "model/VisibleText.h"
#include "platform/WinColour.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

// A cell drawn from the sheet must look exactly like the line edit that takes its place once
// the user is in it; a pixel of difference would show as a flicker or a shifted ruling.
class TestCellPainter : public QObject
{
    Q_OBJECT

    static QImage painted(const CellEdit &cell)
    {
        QImage image(cell.size() * cell.devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(cell.devicePixelRatio());
        image.fill(Qt::transparent);
        QPainter painter(&image);
        const QPalette app = QGuiApplication::palette();
        CellPainter::paint(painter, cell.rect(),
                           {cell.text(), cell.font(), toQColor(cell.backColour(), app), toQColor(cell.foreColour(), app),
                            cell.palette().color(QPalette::Dark)});
        return image;
    }

private slots:
    void looksLikeTheLineEdit_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<quint32>("background");
        QTest::addColumn<int>("width");
        const QString name = QStringLiteral("Rossi Mario, via Roma 12");
        const QString overlong = QStringLiteral("Dott. Giovanni Battista Bianchi-Ferraris, Via Garibaldi 123, Milano");
        QTest::newRow("plain") << QString() << name << false << false << 0u << WinColour::WindowBackground << 216;
        QTest::newRow("bold, underlined, coloured, selected")
            << QString() << name << true << true << 0xC00000u << 0xC0FFFFu << 216;
        QTest::newRow("short cell, found") << QString() << QStringLiteral("0471 123456") << false << false << 0x0000FFu
                                           << 0xBEFEBEu << 110;
        QTest::newRow("too long, from its start") << QString() << overlong << false << false << 0u
                                                  << WinColour::WindowBackground << 216;
        QTest::newRow("too long after a short one") << name << overlong << true << false << 0u
                                                    << WinColour::WindowBackground << 216;
        QTest::newRow("marks and accents") << QString() << VisibleText::shown(QStringLiteral("Tel \u0081\u009d àèéìòù"))
                                           << false << false << 0u << WinColour::WindowBackground << 216;
        QTest::newRow("trailing blanks") << QString() << QStringLiteral("Anna   ") << false << true << 0u
                                         << WinColour::WindowBackground << 110;
    }

    void looksLikeTheLineEdit()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        QFETCH(quint32, colour);
        QFETCH(quint32, background);
        QFETCH(int, width);
        QWidget window;
        window.resize(300, 60);
        CellEdit cell(1, 100, &window);
        cell.setGeometry(10, 10, width, 19);
        window.show();
        if (!before.isEmpty()) {
            cell.showText(before);
            QCOMPARE(cell.grab().toImage(), cell.grab().toImage()); // laid out and painted once
        }
        cell.setBold(bold);
        cell.setUnderlined(underline);
        cell.setForeColour(colour);
        cell.setBackColour(background);
        cell.showText(text);
        cell.setCursorPosition(0);
        const QImage edit = cell.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage drawn = painted(cell);
        for (int y = 0; y < edit.height(); ++y) {
            for (int x = 0; x < edit.width(); ++x) {
                if (edit.pixel(x, y) != drawn.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(TestCellPainter)
#include "tst_cellpainter.moc"
