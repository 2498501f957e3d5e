#pragma once
// A picture property: the bytes of an image file (PNG, BMP, ICO, ...) and the
// image they decode to. Stored designs keep the bytes as base64.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include <QByteArray>
#include <QImage>
#include <QMetaType>

class TOOLKIT_WIDGETS_EXPORT TPicture
{
public:
    TPicture() = default;
    explicit TPicture(const QByteArray &FileBytes);

    bool IsEmpty() const { return fBytes.isEmpty(); }
    const QByteArray &Bytes() const { return fBytes; }
    // Answers false (and keeps the picture empty) when the bytes are no image.
    bool LoadFromBytes(const QByteArray &FileBytes);
    const QImage &Image() const { return fImage; }
    int Width() const { return fImage.width(); }
    int Height() const { return fImage.height(); }

    bool operator==(const TPicture &Other) const { return fBytes == Other.fBytes; }

private:
    QByteArray fBytes;
    QImage fImage;
};

Q_DECLARE_METATYPE(TPicture)
