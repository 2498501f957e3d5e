#include "installer/download_pin.h"

#include <QCryptographicHash>
#include <QFile>

QString Sha256PinFor(const QStringList &Pins, const QString &Path)
{
    for (const QString &Entry : Pins) {
        const qsizetype Equals = Entry.lastIndexOf(QLatin1Char('='));
        if (Equals > 0 && Entry.left(Equals).trimmed() == Path)
            return Entry.mid(Equals + 1).trimmed();
    }
    return {};
}

bool Sha256Matches(const QString &FileName, const QString &Pin)
{
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash Hash(QCryptographicHash::Sha256);
    if (!Hash.addData(&File))
        return false;
    return QString::fromLatin1(Hash.result().toHex()) == Pin.trimmed().toLower();
}
