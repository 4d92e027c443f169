#pragma once
// Reading the pictures the Images tool shows. A picture's size comes from the
// picture itself, turned as its camera meant it (a photo taken upright reports
// its height as width until its EXIF orientation is applied). Showing a
// picture decodes only as many pixels as its frame can show, so a large photo
// appears at once; the full-size view and the clipboard decode every pixel.
// GIF, JPEG, BMP, PNG and WebP come through the image readers; an SVG drawing
// (".svg", ".svgz") measures as its width and height, or its viewBox, say.

#include <QImage>
#include <QSize>
#include <QString>

namespace image_picture {

struct Picture_Info {
    bool Readable = false;  // the header names a format and a size
    QSize Size;             // pixels, turned upright
};
// Reads the picture's header only.
Picture_Info Inspect(const QString& path);

// The size a picture of size takes in a box: its own when it fits, else
// scaled down to fit, keeping its proportions (never below 1 x 1).
QSize Fit(const QSize& size, const QSize& box);

// The picture turned upright and scaled down to fit within maxSize (an
// invalid maxSize: every pixel). A null image when it cannot be decoded.
QImage Decode(const QString& path, const QSize& maxSize = QSize());

} // namespace image_picture
