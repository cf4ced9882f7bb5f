// Build step: turns the SVG artwork into raw pictures (window/RawPicture.h) at the sizes the
// window draws them, so that the program itself neither parses SVG nor decodes PNG at start.
// Usage: render_icons <out.argb> <in.svg> <scale> [<out.argb> <in.svg> <scale>]...
// The picture's size is the SVG's own width and height times the scale, a number or a fraction
// such as 48/32.
#include "window/RawPicture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {
double parseScale(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    const double numerator = parts.at(0).toDouble();
    return parts.size() == 2 && parts.at(1).toDouble() > 0 ? numerator / parts.at(1).toDouble() : numerator;
}
} // namespace

int main(int argc, char *argv[])
{
    // No window is ever shown; the offscreen platform keeps the build free of a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.size() % 3 != 0) {
        std::fputs("usage: render_icons <out.argb> <in.svg> <scale>...\n", stderr);
        return 2;
    }
    for (qsizetype i = 0; i < args.size(); i += 3) {
        QSvgRenderer renderer(args.at(i + 1));
        const QSize size = (QSizeF(renderer.defaultSize()) * parseScale(args.at(i + 2))).toSize();
        if (!renderer.isValid() || size.isEmpty()) {
            std::fprintf(stderr, "render_icons: cannot render %s\n", qPrintable(args.at(i + 1)));
            return 1;
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), size));
        painter.end();
        QFile out(args.at(i));
        const QByteArray bytes = RawPicture::encode(image);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(args.at(i)));
            return 1;
        }
    }
    return 0;
}
