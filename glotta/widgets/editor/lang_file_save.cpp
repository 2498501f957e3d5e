#include "glotta/widgets/editor/lang_file_save.h"

#include <QDir>

namespace {
bool UnsafeName(const QString &Name)
{
    if (Name.trimmed().isEmpty() || Name.contains(QLatin1String("..")))
        return true;
    for (QChar C : Name) {
        if (C == u'/' || C == u'\\' || C == u':' || C.unicode() < 0x20)
            return true;
    }
    // Names made only of dots and blanks are no file name on some systems.
    for (QChar C : Name) {
        if (C != u'.' && !C.isSpace())
            return false;
    }
    return true;
}
} // namespace

QString LangFileSavePath(const QString &LangDir, const QString &Name, const QString &Ext)
{
    if (UnsafeName(Name) || LangDir.isEmpty())
        return QString();
    QString FileName = Name;
    if (!FileName.endsWith(Ext, Qt::CaseInsensitive))
        FileName += Ext;
    return QDir(LangDir).filePath(FileName);
}
