#include "glotta/widgets/flag_picture.h"

#include <QBuffer>
#include <QPainter>

namespace {
const QRgb White = qRgb(255, 255, 255);

bool IsBitmapBytes(const QByteArray &Bytes)
{
    return Bytes.startsWith("BM");
}

// An icon file opens with a reserved zero word and the type word 1.
bool IsIconBytes(const QByteArray &Bytes)
{
    return Bytes.startsWith(QByteArray::fromRawData("\0\0\1\0", 4));
}

// Image drawn into the flag square on Background, placed by FlagPlacement.
QImage Fitted(const QImage &Source, QImage::Format Format, QColor Background)
{
    QImage Square(FlagSize, FlagSize, Format);
    Square.fill(Background);
    if (!Source.isNull()) {
        QPainter P(&Square);
        P.setRenderHint(QPainter::SmoothPixmapTransform);
        P.drawImage(FlagPlacement(Source.size()), Source);
    }
    return Square;
}

QByteArray EncodeBitmap(const QImage &Image)
{
    QByteArray Bytes;
    QBuffer Out(&Bytes);
    Out.open(QIODevice::WriteOnly);
    Image.save(&Out, "BMP");
    return Bytes;
}

// A white square with a drawing on it, for the built-in pictures.
template<typename Draw>
QByteArray DrawBuiltIn(Draw Body)
{
    QImage Image(FlagSize, FlagSize, QImage::Format_RGB32);
    Image.fill(White);
    QPainter P(&Image);
    Body(P);
    P.end();
    return EncodeBitmap(Image);
}
} // namespace

QRect FlagPlacement(QSize Size)
{
    int W = Size.width();
    int H = Size.height();
    if (W <= 0 || H <= 0) {
        W = FlagSize;
        H = FlagSize;
    } else if (W > FlagSize || H > FlagSize) {
        const double R = double(W) / double(H);
        const auto Wide = [&] {
            W = FlagSize;
            H = int(FlagSize / R);
        };
        const auto Tall = [&] {
            W = int(FlagSize * R);
            H = FlagSize;
        };
        if (W > H) {
            Wide();
            if (H > FlagSize)
                Tall();
        } else {
            Tall();
            if (W > FlagSize)
                Wide();
        }
    }
    const int X = (FlagSize - W) / 2;
    int Y = (FlagSize - H) / 2;
    if (FlagSize - H > 0)
        ++Y;
    return QRect(X, Y, W, H);
}

void NormalizeFlagPicture(TPicture &Picture)
{
    // An empty picture becomes the plain white square: the flag every list
    // shows for a language without one.
    const QImage Flag = Fitted(Picture.Image(), QImage::Format_RGB32, Qt::white);
    if (IsBitmapBytes(Picture.Bytes()) && Picture.Image().convertToFormat(QImage::Format_RGB32) == Flag)
        return;
    Picture.LoadFromBytes(EncodeBitmap(Flag));
}

TFlagKind LoadFlagBytes(TPicture &Picture, const QByteArray &Bytes)
{
    Picture = TPicture();
    if (Bytes.size() <= MinFlagBytes)
        return fkNone;
    const bool Bitmap = IsBitmapBytes(Bytes);
    QImage Probe;
    if (!Probe.loadFromData(Bytes, Bitmap ? "BMP" : "ICO") || !Picture.LoadFromBytes(Bytes)) {
        Picture = TPicture();
        return fkNone;
    }
    return Bitmap ? fkBitmap : fkIcon;
}

QByteArray FlagBytes(const TPicture &Picture)
{
    const QByteArray &Bytes = Picture.Bytes();
    return IsBitmapBytes(Bytes) || IsIconBytes(Bytes) ? Bytes : QByteArray();
}

QImage FlagListImage(const TPicture &Picture, TFlagKind Kind)
{
    if (Kind == fkIcon && !Picture.Image().isNull())
        return Fitted(Picture.Image(), QImage::Format_ARGB32, Qt::transparent);
    const QImage Source = Kind == fkBitmap ? Picture.Image() : QImage();
    QImage Flag = Fitted(Source, QImage::Format_RGB32, Qt::white).convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Flag.height(); ++Y) {
        auto *Line = reinterpret_cast<QRgb *>(Flag.scanLine(Y));
        for (int X = 0; X < Flag.width(); ++X)
            if (Line[X] == White)
                Line[X] = qRgba(255, 255, 255, 0);
    }
    return Flag;
}

QByteArray BuiltInFlag(TInternalFlag Kind)
{
    // Drawn once; the engines of a program share them.
    static const QByteArray Create = DrawBuiltIn([](QPainter &P) {
        // A green plus.
        P.fillRect(QRect(6, 2, 4, 12), QColor(0x2e, 0x8b, 0x2e));
        P.fillRect(QRect(2, 6, 12, 4), QColor(0x2e, 0x8b, 0x2e));
        P.fillRect(QRect(7, 3, 2, 10), QColor(0x5c, 0xc8, 0x5c));
        P.fillRect(QRect(3, 7, 10, 2), QColor(0x5c, 0xc8, 0x5c));
    });
    static const QByteArray Edit = DrawBuiltIn([](QPainter &P) {
        // A pencil lying from the lower left to the upper right.
        P.setRenderHint(QPainter::Antialiasing, false);
        P.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        P.setBrush(QColor(0xf0, 0xb0, 0x20));
        const QPolygon Body({QPoint(4, 10), QPoint(11, 3), QPoint(13, 5), QPoint(6, 12)});
        P.drawPolygon(Body);
        P.setBrush(QColor(0xe8, 0xc8, 0x98));
        P.drawPolygon(QPolygon({QPoint(4, 10), QPoint(6, 12), QPoint(2, 14)}));
        P.fillRect(QRect(2, 13, 2, 2), QColor(0x30, 0x30, 0x30));
    });
    static const QByteArray Empty = DrawBuiltIn([](QPainter &P) {
        // A blank grey flag of the usual proportions, framed.
        const QRect Cloth = FlagPlacement(QSize(FlagSize, 11));
        P.fillRect(Cloth, QColor(0xd8, 0xd8, 0xd8));
        P.setPen(QColor(0x80, 0x80, 0x80));
        P.drawRect(Cloth.adjusted(0, 0, -1, -1));
    });
    switch (Kind) {
    case ifCreateEntry:
        return Create;
    case ifEditEntry:
        return Edit;
    case ifEmptyFlag:
        return Empty;
    case ifDesignLanguage:
        break;
    }
    return QByteArray();
}
