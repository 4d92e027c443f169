#include "tags/image_picture.h"

#include <QImageReader>

namespace image_picture {

namespace {

bool turnsSideways(const QImageReader& r)
{
    return r.transformation().testFlag(QImageIOHandler::TransformationRotate90);
}

} // namespace

Picture_Info Inspect(const QString& path)
{
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
