#include "tags/image_picture.h"

#include "platform/file_system.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace image_picture {

namespace {

bool turnsSideways(const QImageReader& r)
{
    return r.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

// SVG is measured and drawn by QtSvg itself rather than through an image
// plug-in, which a system may lack: its size is the width and height the
// file gives, else its viewBox.
bool isSvg(const QString& path)
{
    const QString ext = fs::extension(path);
    return ext.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0
        || ext.compare(QLatin1String("svgz"), Qt::CaseInsensitive) == 0;
}

// A drawing may claim any size; the pixels it is drawn into stay within
// what the image reader would allocate for a picture.
bool drawable(const QSize& size)
{
    if (size.isEmpty())
        return false;
    const double bytes = double(size.width()) * double(size.height()) * 4.0;
    const int limitMb = QImageReader::allocationLimit();
    return limitMb <= 0 || bytes <= double(limitMb) * 1024.0 * 1024.0;
}

// The drawing's own size; empty when the file is not a drawing QtSvg reads.
QSize loadSvg(const QString& path, QSvgRenderer& svg)
{
    QByteArray bytes;
    if (fs::readBytes(path, bytes) != fs::Result::Ok || !svg.load(bytes))
        return QSize();
    return svg.isValid() ? svg.defaultSize() : QSize();
}

Picture_Info inspectSvg(const QString& path)
{
    Picture_Info info;
    QSvgRenderer svg;
    const QSize size = loadSvg(path, svg);
    if (size.isEmpty())
        return info;
    info.Readable = true;
    info.Size = size;
    return info;
}

QImage decodeSvg(const QString& path, const QSize& maxSize)
{
    QSvgRenderer svg;
    const QSize size = loadSvg(path, svg);
    if (size.isEmpty())
        return QImage();
    const QSize shown = maxSize.isValid() ? Fit(size, maxSize) : size;
    if (!drawable(shown))
        return QImage();
    QImage image(shown, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(shown)));
    return image;
}

} // namespace

Picture_Info Inspect(const QString& path)
{
    if (isSvg(path))
        return inspectSvg(path);
    QImageReader r(path);
    r.setAutoTransform(true);
    Picture_Info info;
    const QSize raw = r.size();
    if (!r.canRead() || !raw.isValid())
        return info;
    info.Readable = true;
    info.Size = turnsSideways(r) ? raw.transposed() : raw;
    return info;
}

QSize Fit(const QSize& size, const QSize& box)
{
    if (!box.isValid() || (size.width() <= box.width() && size.height() <= box.height()))
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage Decode(const QString& path, const QSize& maxSize)
{
    if (isSvg(path))
        return decodeSvg(path, maxSize);
    QImageReader r(path);
    r.setAutoTransform(true);
    const QSize raw = r.size();
    if (raw.isValid() && maxSize.isValid()) {
        const bool sideways = turnsSideways(r);
        const QSize upright = sideways ? raw.transposed() : raw;
        const QSize shown = Fit(upright, maxSize);
        // The scaled size applies to the picture as stored, before turning.
        if (shown != upright)
            r.setScaledSize(sideways ? shown.transposed() : shown);
    }
    QImage image = r.read();
    return image;
}

} // namespace image_picture
