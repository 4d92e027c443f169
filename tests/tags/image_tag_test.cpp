// The Images tool's rules without its window: the tag it writes, the numbers
// beside the picture, the new-name rule, the copy checks and reading
// pictures (turned upright, decoded small, damaged).

#include "tesk_test.h"
#include "logic_support.h"

#include "core/shared_state.h"
#include "tags/image_folders.h"
#include "tags/image_picture.h"
#include "tags/image_tag.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

using namespace tesk::test;

namespace {

// A JPEG whose EXIF orientation says "turn 90 degrees": stored w x h,
// shown h x w.
QByteArray sidewaysJpeg(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
    }
    QByteArray exif("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 32);
    QByteArray segment("\xFF\xE1\0\0", 4);
    qToBigEndian<quint16>(quint16(exif.size() + 2), segment.data() + 2);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

} // namespace

class ImageTagTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tag_data()
    {
        // Lists as "index:text"; attributes as "alt|border"; x: XHTML.
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("tag");
        const QString img = "<img src=\"Images/a%20b%231.gif\" width=\"64\" height=\"48\"";
        QTest::newRow("no page, no border") << "0: None" << "0: None" << "0: None" << "|" << img + ">";
        QTest::newRow("dotted page kept, blank encoded") << "2:my shop.php" << "0: None" << "0: None" << "|"
            << "<a href=\"my%20shop.php\"> " + img + "> </a>";
        QTest::newRow("anchor only: same page") << "0: None" << "1:top" << "1:_blank" << "|"
            << "<a href=\"#top\" target=\"_blank\"> " + img + "> </a>";
        QTest::newRow("page, anchor, target") << "1:index" << "3:top" << "5:main" << "|"
            << "<a href=\"index.html#top\" target=\"main\"> " + img + "> </a>";
        QTest::newRow("target without a link: none") << "0: None" << "0: None" << "1:_top" << "|" << img + ">";
        QTest::newRow("\" None\" typed at another index") << "0: None" << "2: None" << "0: None" << "|" << img + ">";
        QTest::newRow("border empty") << "0:" << "0:" << "0:" << "|" << img + ">";
        QTest::newRow("border 0") << "0:" << "0:" << "0:" << "|0" << img + ">";
        QTest::newRow("border -2") << "0:" << "0:" << "0:" << "|-2" << img + ">";
        QTest::newRow("border 3px") << "0:" << "0:" << "0:" << "| 3px" << img + " border=\"3\">";
        QTest::newRow("border px3") << "0:" << "0:" << "0:" << "|px3" << img + ">";
        QTest::newRow("border 2.6 rounds") << "0:" << "0:" << "0:" << "|2.6" << img + " border=\"3\">";
        QTest::newRow("XHTML, alt, border") << "0:" << "0:" << "0:" << "Sea|1|x" << img + " alt=\"Sea\" border=\"1\" />";
        QTest::newRow("quotes in alt, entity kept") << "0:" << "0:" << "0:" << "say \"caf&eacute;\"|"
            << img + " alt=\"say &quot;caf&eacute;&quot;\">";
    }
    void tag()
    {
        QFETCH(QString, page);
        QFETCH(QString, anchor);
        QFETCH(QString, target);
        QFETCH(QString, fields);
        const auto chosen = [](const QString& list) {
            return image_tag::Chosen(list.section(':', 0, 0).toInt(), list.section(':', 1));
        };
        image_tag::Attributes a;
        a.Image_Name = "a b#1.gif";
        a.Width = 64;
        a.Height = 48;
        a.Page = chosen(page);
        a.Anchor = chosen(anchor);
        a.Target = chosen(target);
        a.Alt = fields.section('|', 0, 0);
        a.Border = fields.section('|', 1, 1);
        a.Use_XHTML = fields.section('|', 2, 2) == "x";
        QTEST(image_tag::Image_Tag(a), "tag");
    }

    // The link's anchor is written as the picture's name is: whatever would
    // end the attribute, start an entity or break the URL is encoded, in
    // src and in href alike.
    void encodedAlike_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("tag");
        QTest::newRow("plain") << "sun.gif" << "index" << "top"
            << "<a href=\"index.html#top\"> <img src=\"Images/sun.gif\" width=\"2\" height=\"1\"> </a>";
        QTest::newRow("blank, ampersand, quote, hash, percent, angle brackets") << "a b&\"#%<>.gif" << "" << "a b&\"#%<>"
            << "<a href=\"#a%20b%26%22%23%25%3C%3E\"> <img src=\"Images/a%20b%26%22%23%25%3C%3E.gif\" width=\"2\" height=\"1\"> </a>";
        QTest::newRow("accented, page too") << "caf\u00e9.gif" << "men\u00fc" << "caf\u00e9"
            << "<a href=\"men%C3%BC.html#caf%C3%A9\"> <img src=\"Images/caf%C3%A9.gif\" width=\"2\" height=\"1\"> </a>";
        QTest::newRow("sub-delimiters stay") << "a(1)!.gif" << "" << "a(1)!"
            << "<a href=\"#a(1)!\"> <img src=\"Images/a(1)!.gif\" width=\"2\" height=\"1\"> </a>";
    }
    void encodedAlike()
    {
        QFETCH(QString, picture);
        QFETCH(QString, page);
        QFETCH(QString, anchor);
        image_tag::Attributes a;
        a.Image_Name = picture;
        a.Width = 2;
        a.Height = 1;
        a.Page = page;
        a.Anchor = anchor;
        QTEST(image_tag::Image_Tag(a), "tag");
    }

    void numbers_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << qint64(0) << "File Size: . kb";
        QTest::newRow("512") << qint64(512) << "File Size: .5 kb";
        QTest::newRow("1023 rounds up") << qint64(1023) << "File Size: 1. kb";
        QTest::newRow("1536") << qint64(1536) << "File Size: 1.5 kb";
        QTest::newRow("10240") << qint64(10240) << "File Size: 10. kb";
    }
    void numbers()
    {
        QFETCH(qint64, bytes);
        QTEST(image_tag::File_Size_Text(bytes), "text");
        // Width and height use "#": a zero is no number at all.
        QCOMPARE(image_tag::Format_Whole(0.4), QString());
    }

    // Only the picture's own extension comes off what is typed; every other
    // dot is part of the name.
    void newName_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("outcome");  // the new name, "" for nothing, "refused"
        QTest::newRow("no extension typed") << "photo.jpg" << "sunset" << "sunset.jpg";
        QTest::newRow("own extension typed") << "photo.jpg" << "sunset.jpg" << "sunset.jpg";
        QTest::newRow("own extension in capitals") << "photo.jpg" << "sunset.JPG" << "sunset.jpg";
        QTest::newRow("other dots stay") << "photo.jpg" << "a.b.c" << "a.b.c.jpg";
        QTest::newRow("another extension is part of the name") << "photo.jpg" << "sunset.png" << "sunset.png.jpg";
        QTest::newRow("left as it was") << "x.y.gif" << "x.y.gif" << "";
        QTest::newRow("left as it was, no extension typed") << "x.y.gif" << "x.y" << "";
        QTest::newRow("dotted name shortened") << "x.y.gif" << "x" << "x.gif";
        QTest::newRow("only letter case differs") << "photo.jpg" << "PHOTO" << "";
        QTest::newRow("empty") << "photo.jpg" << "" << "";
        QTest::newRow("a picture without extension") << "photo" << "snap.jpg" << "snap.jpg";
        QTest::newRow("back\\slash") << "photo.jpg" << "back\\slash" << "refused";
        QTest::newRow("a:b") << "photo.jpg" << "a:b" << "refused";
        QTest::newRow("tab in name") << "photo.jpg" << "a\tb" << "refused";
        QTest::newRow("blank base") << "photo.jpg" << "  .jpg" << "refused";
    }
    void newName()
    {
        QFETCH(QString, old);
        QFETCH(QString, typed);
        const image_folders::New_Name n = image_folders::Rename_To(typed, old);
        using N = image_folders::New_Name;
        const QString outcome = n.What == N::Refused ? QStringLiteral("refused") : n.What == N::Rename ? n.Name : QString();
        QTEST(outcome, "outcome");
        QCOMPARE(n.What == image_folders::New_Name::Refused, !n.Reason.isEmpty());
    }

    // The same folder spelt another way, or reached through a link. (Copy,
    // Ask and Protected: the Images window's rows.)
    void copyChecks()
    {
        TempSite site;
        const QString from = site.path("site/Final-Pages/Images/p.gif");
        QVERIFY(writeFile(from, "GIF89a"));
        using image_folders::Copy_Check;
        QCOMPARE(image_folders::Check_Copy(from, site.path("site/Final-Pages/Backgrnd/../Images/p.gif")), Copy_Check::Same_File);
        QVERIFY(QFile::link(site.path("site/Final-Pages/Images"), site.path("link")));
        QCOMPARE(image_folders::Check_Copy(from, site.path("link/p.gif")), Copy_Check::Same_File);
    }

    // Each picture format of today's web, made here, is listed by the
    // default pattern and measured at its real size: raster pictures from
    // their header, SVG drawings from width and height, else the viewBox.
    void pictureSizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // SVG text, or "" for a raster picture of size
        QTest::addColumn<QSize>("size");          // expected; invalid: cannot be read
        const QByteArray raster;
        const auto svg = [](const char* attributes) {
            return QByteArray("<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ") + attributes
                + "><rect x=\"0\" y=\"0\" width=\"10\" height=\"10\" fill=\"red\"/></svg>\n";
        };
        QTest::newRow("png") << "a.png" << raster << QSize(40, 30);
        QTest::newRow("jpeg") << "b.jpg" << raster << QSize(64, 48);
        QTest::newRow("jpeg, long extension") << "c.jpeg" << raster << QSize(17, 5);
        QTest::newRow("bmp") << "d.bmp" << raster << QSize(9, 13);
        QTest::newRow("webp") << "e.webp" << raster << QSize(50, 20);
        QTest::newRow("svg width and height") << "f.svg" << svg("width=\"120\" height=\"80\"") << QSize(120, 80);
        QTest::newRow("svg in pixels, viewBox ignored")
            << "g.svg" << svg("width=\"200px\" height=\"100px\" viewBox=\"0 0 20 10\"") << QSize(200, 100);
        QTest::newRow("svg viewBox only") << "h.svg" << svg("viewBox=\"0 0 300 150\"") << QSize(300, 150);
        QTest::newRow("svg viewBox with offset") << "i.svg" << svg("viewBox=\"-10 5 64 32\"") << QSize(64, 32);
        QTest::newRow("svg upper-case extension") << "j.SVG" << svg("width=\"7\" height=\"3\"") << QSize(7, 3);
        QTest::newRow("svg not a drawing") << "k.svg" << QByteArray("<html><body>no</body></html>") << QSize();
        QTest::newRow("svg cut short") << "l.svg" << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=") << QSize();
    }
    void pictureSizes()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QSize, size);
        TempSite site;
        const QString folder = site.path("pictures");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + '/' + name;
        if (content.isEmpty()) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QImageWriter writer(path);
            QVERIFY2(writer.write(image), qPrintable(writer.errorString()));
        } else {
            QVERIFY(writeFile(path, content));
        }
        // The built-in pattern lists it, whatever its format.
        QCOMPARE(image_folders::Picture_Files(folder, image_folders::File_Pattern(SharedState().Image_Pattern)),
                 QStringList{name});
        QCOMPARE(image_folders::Picture_Files(folder, image_folders::File_Pattern(QString())), QStringList{name});
        const image_picture::Picture_Info info = image_picture::Inspect(path);
        QCOMPARE(info.Readable, size.isValid());
        if (!size.isValid()) {
            QVERIFY(image_picture::Decode(path).isNull());
            return;
        }
        QCOMPARE(info.Size, size);
        QCOMPARE(image_picture::Decode(path).size(), size);
        // Shown in a small frame, it is drawn at the frame's size, not cut.
        const QSize box(size.width() / 2 + 1, size.height() / 2 + 1);
        QCOMPARE(image_picture::Decode(path, box).size(), image_picture::Fit(size, box));
    }

    // A drawing may claim any size; one too large to draw is no picture,
    // rather than gigabytes of pixels.
    void hugeDrawing()
    {
        TempSite site;
        const QString path = site.path("huge.svg");
        QVERIFY(writeFile(path, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"200000\" height=\"200000\"/>"));
        QCOMPARE(image_picture::Inspect(path).Size, QSize(200000, 200000));
        QVERIFY(image_picture::Decode(path).isNull());
        QCOMPARE(image_picture::Decode(path, QSize(100, 50)).size(), QSize(50, 50));
    }

    void pictures()
    {
        TempSite site;
        const QString sideways = site.path("side.jpg");
        QVERIFY(writeFile(sideways, sidewaysJpeg(200, 100)));
        const image_picture::Picture_Info info = image_picture::Inspect(sideways);
        QVERIFY(info.Readable);
        QCOMPARE(info.Size, QSize(100, 200));
        QCOMPARE(image_picture::Decode(sideways).size(), QSize(100, 200));
        QCOMPARE(image_picture::Decode(sideways, QSize(50, 50)).size(), QSize(25, 50));
        QVERIFY(!image_picture::Inspect(site.path("missing.gif")).Readable);
    }
};

TESK_TEST(ImageTagTest)

#include "image_tag_test.moc"
