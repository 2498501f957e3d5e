// ParsePackageRequest on any bytes, then ResolvePackagePath of what it read
// against a small served folder: a resolved file always lies inside it.
#include "installer/package_server/package_request.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    static QTemporaryDir Root;
    static const bool Ready = [] {
        QDir(Root.path()).mkpath(QStringLiteral("sqllocaldb/2022"));
        QFile File(Root.filePath(QStringLiteral("sqllocaldb/2022/sqllocaldb.msi")));
        return File.open(QIODevice::WriteOnly) && File.write("msi") == 3;
    }();
    if (!Ready)
        abort();
    const QByteArrayView Bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    const TPackageRequest Request = ParsePackageRequest(Bytes);
    switch (Request.State) {
    case TPackageRequest::Incomplete:
        if (Bytes.size() > MaxPackageRequestHeadBytes)
            abort(); // an endless head is refused, never read on
        return 0;
    case TPackageRequest::Refuse:
        if (Request.Status != 400 && Request.Status != 405 && Request.Status != 431)
            abort();
        return 0;
    case TPackageRequest::Serve:
        break;
    }
    const QString File = ResolvePackagePath(Root.path(), Request.Path);
    const QString Inside = QDir(Root.path()).canonicalPath() + u'/';
    if (!File.isEmpty() && (!File.startsWith(Inside) || !QFileInfo(File).isFile()))
        abort();
    return 0;
}
