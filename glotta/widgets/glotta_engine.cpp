#include "glotta/widgets/glotta_engine.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>

TGlottaEngine::TGlottaEngine(QObject *Owner) : TGlottaCore(Owner)
{
    // The core's construction scanned before this class could answer
    // GetLangsDir; now the language directory beside the program is known.
    RescanLanguages();
}

void TGlottaEngine::GetInternalFlag(QBuffer &Stream, TInternalFlag Kind)
{
    Stream.buffer().clear();
    if (Kind == ifDesignLanguage || Kind == ifEmptyFlag) {
        const TPicture &Picture = Kind == ifDesignLanguage ? fDesignLangFlag : fEmptyFlag;
        if (!Picture.IsEmpty())
            Stream.buffer() = Picture.Bytes();
    }
    Stream.seek(0);
}

TGlottaEngine::~TGlottaEngine() = default;

void TGlottaEngine::SetLanguageMenu(QMenu *Value)
{
    SetComponentLink(this, fLanguageMenu, Value);
}

void TGlottaEngine::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fLanguageMenu)
        fLanguageMenu = nullptr;
}

QString TGlottaEngine::GetLangsDir() const
{
    const QString Sub = fLangSubdir;
    QString Dir;
    if (QDir::isAbsolutePath(Sub) || Sub.startsWith(QLatin1String("\\\\")))
        Dir = Sub;
    else {
        QString Rel = Sub;
        if (Rel.startsWith(QLatin1Char('/')) || Rel.startsWith(QLatin1Char('\\')))
            Rel.remove(0, 1);
        Dir = QCoreApplication::applicationDirPath() + QLatin1Char('/') + Rel;
    }
    Dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!Dir.endsWith(QLatin1Char('/')))
        Dir += QLatin1Char('/');
    return QDir::cleanPath(Dir) + QLatin1Char('/');
}
