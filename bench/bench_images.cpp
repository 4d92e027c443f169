// Images tool speed: pointing a file list at a folder of 5,000 pictures
// (names only: no picture may be opened), and choosing a 6000 x 4000 JPEG
// photo, which must show at once in the picture frame.

#include "core/shared_state.h"
#include "tags/frm_Images.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir& benchDir()
{
    static QTemporaryDir dir;
    return dir;
}

// 5,000 real JPEG files of 640 x 480.
QString manyPictures()
{
    static const QString folder = [] {
        const QString f = benchDir().path() + QStringLiteral("/many");
        QDir().mkpath(f);
        QImage photo(640, 480, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        const QString first = f + QStringLiteral("/photo_0000.jpg");
        photo.save(first, "JPEG");
        for (int i = 1; i < 5000; ++i)
            QFile::copy(first, f + QStringLiteral("/photo_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
        return f;
    }();
    return folder;
}

// One 6000 x 4000 JPEG with detail all over (a flat picture decodes faster
// than a photo).
QString largePicture()
{
    static const QString folder = [] {
        const QString f = benchDir().path() + QStringLiteral("/large");
        QDir().mkpath(f);
        QImage photo(6000, 4000, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                line[x] = qRgb((x * 7 + y) & 255, (y * 3 + x / 5) & 255, (x ^ y) & 255);
        }
        photo.save(f + QStringLiteral("/large.jpg"), "JPEG", 90);
        return f;
    }();
    return folder;
}

frm_Images* imagesTool()
{
    resetState();
    frm_Images* w = forms::Images();
    w->resize(900, 640);
    w->show();
    QCoreApplication::processEvents();
    return w;
}

} // namespace

static void BM_ListImageFolder(benchmark::State& st)
{
    const QString folder = manyPictures();
    frm_Images* w = imagesTool();
    for (auto _ : st) {
        w->Show_Files(0, folder);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w->fil_Image[0]->count());
    }
    st.counters["files"] = double(w->fil_Image[0]->count());
    forms::Unload_All();
}
BENCHMARK(BM_ListImageFolder)->Unit(benchmark::kMillisecond);

static void BM_ShowLargePicture(benchmark::State& st)
{
    const QString folder = largePicture();
    frm_Images* w = imagesTool();
    w->Show_Files(0, folder);
    for (auto _ : st) {
        w->fil_Image[0]->setCurrentRow(0);
        w->Image_Side = 0;
        w->Image_Selected();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w->pictureSize());
    }
    st.counters["shown_w"] = double(w->pic_cur_Image->width());
    forms::Unload_All();
}
BENCHMARK(BM_ShowLargePicture)->Unit(benchmark::kMillisecond);
