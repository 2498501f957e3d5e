#include "glotta/widgets/qt_language.h"

#include "glotta/engine/resources_translator.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace {
struct TQtTranslations
{
    // Owned by the application object, so it goes with it.
    QPointer<QTranslator> Installed;
    QString File;
};

TQtTranslations &State()
{
    static TQtTranslations S;
    return S;
}

void Remove()
{
    TQtTranslations &S = State();
    if (S.Installed) {
        QCoreApplication::removeTranslator(S.Installed);
        delete S.Installed;
    }
    S.File.clear();
}
} // namespace

bool FollowLanguageInQt(const QString &ISOCode)
{
    if (!QCoreApplication::instance())
        return false;
    QString Code = ISOCode;
    Code.replace(QLatin1Char('-'), QLatin1Char('_'));
    const QLocale Locale(Code);
    // A code Qt does not know gives the C locale: no translations, left to right.
    const bool Known = !Code.isEmpty() && Locale.language() != QLocale::C;
    Remove();
    bool Found = false;
    if (Known) {
        auto *T = new QTranslator(QCoreApplication::instance());
        const QString Dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (T->load(Locale, QStringLiteral("qtbase"), QStringLiteral("_"), Dir)
            && QCoreApplication::installTranslator(T)) {
            State().Installed = T;
            State().File = T->filePath();
            Found = true;
            // Qt asks the translator installed last first: the library's
            // own translator goes in front again.
            TCustomResourcesTranslator::RaiseInterception();
        } else {
            delete T;
        }
    }
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::setLayoutDirection(Known ? Locale.textDirection() : Qt::LeftToRight);
    return Found;
}

QString InstalledQtTranslations()
{
    return State().File;
}
