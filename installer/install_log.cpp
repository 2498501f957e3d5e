#include "installer/install_log.h"

#include <QDir>
#include <QFileInfo>

bool TInstallLog::Open(const QString &FileName)
{
    QDir().mkpath(QFileInfo(FileName).absolutePath());
    fFile.setFileName(FileName);
    // Unbuffered: a line reaches the file when it is written, not at exit.
    return fFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered);
}

void TInstallLog::Line(const QString &Text)
{
    if (!fFile.isOpen())
        return;
    QString Flat = Text;
    Flat.replace(QLatin1String("\r\n"), QLatin1String(" | "));
    Flat.replace(u'\n', QLatin1String(" | "));
    Flat.replace(u'\r', QLatin1String(" | "));
    const QByteArray Bytes =
        (QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + u' ' + Flat + u'\n')
            .toUtf8();
    fFile.write(Bytes);
    fFile.flush();
}

QString TInstallLog::DefaultFileName(const QString &Folder, const QDateTime &Start)
{
    return QDir(Folder).filePath(QStringLiteral("dilnex-local-setup_%1.log")
                                     .arg(Start.toString(QStringLiteral("yyyyMMdd_HHmmss"))));
}
