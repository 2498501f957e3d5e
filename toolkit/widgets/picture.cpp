#include "toolkit/widgets/picture.h"

TPicture::TPicture(const QByteArray &FileBytes)
{
    LoadFromBytes(FileBytes);
}

bool TPicture::LoadFromBytes(const QByteArray &FileBytes)
{
    QImage Img;
    if (!FileBytes.isEmpty() && !Img.loadFromData(FileBytes)) {
        fBytes.clear();
        fImage = QImage();
        return false;
    }
    fBytes = FileBytes;
    fImage = Img;
    return true;
}
