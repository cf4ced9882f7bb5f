#pragma once

#include <QByteArray>
#include <QImage>

#include <cstring>

// A picture as the window draws it, pixels ready to copy: "RPIC", width and height as 32-bit
// numbers of the machine that made it, then the premultiplied ARGB32 pixels row by row. The
// build writes the toolbar's pictures this way, so the program decodes no image format at start.
namespace RawPicture {

inline constexpr char Magic[4] = {'R', 'P', 'I', 'C'};
inline constexpr int HeaderSize = 12;

inline QByteArray encode(const QImage &picture)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const quint32 size[2] = {quint32(pixels.width()), quint32(pixels.height())};
    QByteArray bytes(Magic, 4);
    bytes.append(reinterpret_cast<const char *>(size), sizeof size);
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(pixels.constScanLine(y)), pixels.width() * 4);
    return bytes;
}

// A null image for anything that is not a whole picture.
inline QImage decode(const uchar *data, qint64 length)
{
    if (!data || length < HeaderSize || std::memcmp(data, Magic, 4) != 0)
        return QImage();
    quint32 size[2];
    std::memcpy(size, data + 4, sizeof size);
    if (size[0] == 0 || size[1] == 0 || size[0] > 4096 || size[1] > 4096
        || length != HeaderSize + qint64(size[0]) * size[1] * 4)
        return QImage();
    const int width = int(size[0]), height = int(size[1]);
    QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
    const uchar *row = data + HeaderSize;
    for (int y = 0; y < picture.height(); ++y, row += picture.width() * 4)
        std::memcpy(picture.scanLine(y), row, size_t(picture.width()) * 4);
    return picture;
}

} // namespace RawPicture
