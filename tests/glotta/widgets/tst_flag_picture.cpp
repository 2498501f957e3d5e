// Flag pictures: where a picture lands in the flag square, what the image
// loader makes of bitmap, icon and bad bytes, and the images lists show.

#include "glotta/widgets/flag_picture.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTest>

namespace {
QByteArray Encoded(const QImage &Image, const char *Format)
{
    QByteArray Bytes;
    QBuffer Out(&Bytes);
    Out.open(QIODevice::WriteOnly);
    Image.save(&Out, Format);
    return Bytes;
}

QImage Filled(QSize Size, QColor Colour, QImage::Format Format = QImage::Format_RGB32)
{
    QImage Image(Size, Format);
    Image.fill(Colour);
    return Image;
}

// The rectangle of the pixels that are not white.
QRect Painted(const QImage &Image)
{
    QRect R;
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if (Image.pixel(X, Y) != qRgb(255, 255, 255))
                R |= QRect(X, Y, 1, 1);
    return R;
}
} // namespace

class TestFlagPicture : public QObject
{
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("placed");
        // (16 - 8) div 2 = 4, plus one as there is room below.
        QTest::newRow("32 x 16 halves, one row lower") << QSize(32, 16) << QRect(0, 5, 16, 8);
        QTest::newRow("8 x 8 keeps its size") << QSize(8, 8) << QRect(4, 5, 8, 8);
        QTest::newRow("flag size fills the square") << QSize(16, 16) << QRect(0, 0, 16, 16);
        QTest::newRow("16 x 11 flag") << QSize(16, 11) << QRect(0, 3, 16, 11);
        QTest::newRow("16 x 15: the extra row still fits") << QSize(16, 15) << QRect(0, 1, 16, 15);
        QTest::newRow("portrait 20 x 40") << QSize(20, 40) << QRect(4, 0, 8, 16);
        QTest::newRow("large square") << QSize(64, 64) << QRect(0, 0, 16, 16);
        QTest::newRow("100 x 30 truncates") << QSize(100, 30) << QRect(0, 7, 16, 4);
        QTest::newRow("zero side") << QSize(0, 40) << QRect(0, 0, 16, 16);
    }

    void placement()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, placed);
        QCOMPARE(FlagPlacement(size), placed);
    }

    void normalizeDrawsIntoTheSquare_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QRect>("painted");
        QTest::newRow("32 x 16 bitmap") << QSize(32, 16) << QByteArray("BMP") << QRect(0, 5, 16, 8);
        QTest::newRow("8 x 8 bitmap") << QSize(8, 8) << QByteArray("BMP") << QRect(4, 5, 8, 8);
        QTest::newRow("8 x 8 PNG becomes a bitmap") << QSize(8, 8) << QByteArray("PNG") << QRect(4, 5, 8, 8);
        QTest::newRow("16 x 16 icon becomes a bitmap") << QSize(16, 16) << QByteArray("ICO") << QRect(0, 0, 16, 16);
    }

    void normalizeDrawsIntoTheSquare()
    {
        QFETCH(QSize, size);
        QFETCH(QByteArray, format);
        QFETCH(QRect, painted);
        TPicture P(Encoded(Filled(size, Qt::red, QImage::Format_ARGB32), format.constData()));
        QVERIFY(!P.IsEmpty());
        NormalizeFlagPicture(P);
        QVERIFY(P.Bytes().startsWith("BM"));
        QCOMPARE(P.Image().size(), QSize(FlagSize, FlagSize));
        QCOMPARE(Painted(P.Image()), painted);
        QCOMPARE(P.Image().pixel(painted.center()), qRgb(255, 0, 0));
    }

    void normalizeKeepsAFlagSizedBitmap()
    {
        // A stored design reads back the bytes it wrote.
        const QByteArray Bytes = Encoded(Filled(QSize(16, 16), QColor(192, 192, 192)), "BMP");
        TPicture P(Bytes);
        NormalizeFlagPicture(P);
        QCOMPARE(P.Bytes(), Bytes);
    }

    void normalizeMakesAnEmptyPictureTheWhiteSquare()
    {
        TPicture Empty;
        NormalizeFlagPicture(Empty);
        QVERIFY(Empty.Bytes().startsWith("BM"));
        QCOMPARE(Empty.Image().size(), QSize(FlagSize, FlagSize));
        const QImage Image = Empty.Image().convertToFormat(QImage::Format_RGB32);
        for (int Y = 0; Y < FlagSize; ++Y)
            for (int X = 0; X < FlagSize; ++X)
                QCOMPARE(Image.pixel(X, Y), qRgb(255, 255, 255));
        // Normalised again, it keeps its bytes.
        const QByteArray Bytes = Empty.Bytes();
        NormalizeFlagPicture(Empty);
        QCOMPARE(Empty.Bytes(), Bytes);
    }

    void imageLoader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        const QImage Blue = Filled(QSize(16, 16), Qt::blue, QImage::Format_ARGB32);
        const QByteArray Bitmap = Encoded(Blue, "BMP");
        QTest::newRow("bitmap") << Bitmap << int(fkBitmap);
        QTest::newRow("icon") << Encoded(Blue, "ICO") << int(fkIcon);
        QTest::newRow("PNG is no icon") << Encoded(Blue, "PNG") << int(fkNone);
        QTest::newRow("truncated bitmap") << Bitmap.left(40) << int(fkNone);
        QTest::newRow("BM and noise") << QByteArray("BMxxxxxxxxxxxxxxxxxxxx") << int(fkNone);
        QTest::newRow("ten bytes") << Bitmap.left(MinFlagBytes) << int(fkNone);
        QTest::newRow("nothing") << QByteArray() << int(fkNone);
    }

    void imageLoader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        TPicture P(Encoded(Filled(QSize(4, 4), Qt::green), "BMP"));
        QCOMPARE(int(LoadFlagBytes(P, bytes)), kind);
        const QImage Image = FlagListImage(P, TFlagKind(kind));
        QCOMPARE(Image.size(), QSize(FlagSize, FlagSize));
        if (kind == fkNone) {
            QVERIFY(P.IsEmpty());
            // The white square: white everywhere and, white being the mask colour, transparent.
            for (int Y = 0; Y < FlagSize; ++Y)
                for (int X = 0; X < FlagSize; ++X)
                    QCOMPARE(Image.pixel(X, Y), qRgba(255, 255, 255, 0));
        } else {
            QCOMPARE(Image.pixel(8, 8), qRgb(0, 0, 255));
        }
    }

    void bitmapWhiteIsTransparent()
    {
        // An 8 x 8 red bitmap: the white around it drops out, the flag stays opaque.
        TPicture P;
        QCOMPARE(LoadFlagBytes(P, Encoded(Filled(QSize(8, 8), Qt::red), "BMP")), fkBitmap);
        const QImage Image = FlagListImage(P, fkBitmap);
        QCOMPARE(qAlpha(Image.pixel(0, 0)), 0);
        QCOMPARE(Image.pixel(4, 5), qRgb(255, 0, 0));
    }

    void builtInPictures()
    {
        for (TInternalFlag Kind : {ifCreateEntry, ifEditEntry, ifEmptyFlag}) {
            TPicture P;
            QCOMPARE(LoadFlagBytes(P, BuiltInFlag(Kind)), fkBitmap);
            QCOMPARE(P.Image().size(), QSize(FlagSize, FlagSize));
            QVERIFY(Painted(P.Image()).isValid());
        }
        QVERIFY(BuiltInFlag(ifDesignLanguage).isEmpty());
        QVERIFY(BuiltInFlag(ifCreateEntry) != BuiltInFlag(ifEditEntry));
    }
};

QTEST_MAIN(TestFlagPicture)
#include "tst_flag_picture.moc"
