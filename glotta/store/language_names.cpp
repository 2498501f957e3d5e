#include "glotta/store/language_names.h"

#include "glotta/store/iso639.h"
#include "glotta/store/text_helpers.h"

#include <initializer_list>

namespace {
bool IsLowerAsciiLetter(QChar C)
{
    return C.unicode() >= 'a' && C.unicode() <= 'z';
}

bool EqualsAny(const QString &S, std::initializer_list<const char16_t *> Texts)
{
    for (const char16_t *T : Texts)
        if (S == QStringView(T))
            return true;
    return false;
}

bool ContainsAny(const QString &S, std::initializer_list<const char16_t *> Texts)
{
    for (const char16_t *T : Texts)
        if (S.contains(QStringView(T)))
            return true;
    return false;
}
} // namespace

bool NormalizeISOCode(QString &Code)
{
    const QString C = AsciiLowerCase(TrimControls(Code));
    if (C.size() >= 2 && IsLowerAsciiLetter(C.at(0)) && IsLowerAsciiLetter(C.at(1))
        && C.left(2) != QLatin1String("xx")) {
        Code = C.left(2);
        return true;
    }
    Code.clear();
    return false;
}

QString ExtractISOName(const QString &Entry)
{
    const qsizetype P = Entry.indexOf(QLatin1Char('-'));
    if (P <= 0 || P == Entry.size() - 1)
        return QString();
    return TrimControls(Entry.mid(P + 1));
}

QString LanguageNameOfISO(const QString &Code)
{
    const QString C = AsciiLowerCase(TrimControls(Code));
    if (C.size() != 2)
        return QString();
    const QByteArray Key = C.toLatin1();
    for (const char *Row : ISO639Languages)
        if (Row[0] == Key[0] && Row[1] == Key[1])
            return ExtractISOName(QString::fromUtf8(Row));
    return QString();
}

bool IsCzechName(const QString &Name)
{
    const QString n = AsciiLowerCase(Name);
    return EqualsAny(Name, {u"Čeština", u"ČEŠTINA", u"Česky", u"ČESKY", u"Český jazyk", u"Czech", u"CZECH"})
           || EqualsAny(n, {u"čeština", u"česky", u"český jazyk", u"czech", u"ceco", u"checo"})
           || n.contains(QLatin1String("schechisch"));
}

bool IsSlovakName(const QString &Name)
{
    return ContainsAny(AsciiLowerCase(Name), {u"loven", u"lovak", u"lowak", u"lovaq", u"lovac"});
}

bool IsEnglishName(const QString &Name)
{
    return ContainsAny(AsciiLowerCase(Name),
                       {u"nglič", u"nglish", u"nglic", u"nglisch", u"ritisch", u"nglais", u"britan", u"nglés", u"ngles"})
           || ContainsAny(Name, {u"NGLIČ", u"NGLÉS"});
}

bool IsGermanName(const QString &Name)
{
    const QString n = TrimControls(AsciiLowerCase(Name));
    for (const char16_t *T : {u"german", u"deutsch", u"tedesc", u"allemand", u"alman", u"tysk", u"něm"})
        if (n.startsWith(QStringView(T)))
            return true;
    return false;
}
