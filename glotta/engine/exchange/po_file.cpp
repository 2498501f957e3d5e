#include "glotta/engine/exchange/po_file.h"

#include "glotta/engine/exchange/exchange_header.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <csetjmp>
#include <gettext-po.h>

namespace {
const char StatusPrefix[] = "glotta: ";

// libgettextpo reports through plain C callbacks; a fatal error must not
// return, so the read jumps back out of the library to the one place that
// called it. Only this file's read runs inside.
struct TPoErrors
{
    QString First;
    int Count = 0;
    std::jmp_buf Fatal;
};
thread_local TPoErrors *CurrentErrors = nullptr;

void Record(int Severity, const char *File, size_t Line, const char *Text)
{
    TPoErrors *E = CurrentErrors;
    if (!E)
        return;
    if (Severity != PO_SEVERITY_WARNING) {
        if (E->Count++ == 0) {
            E->First = QString::fromUtf8(Text ? Text : "error").trimmed();
            if (File && Line != size_t(-1))
                E->First = QStringLiteral("line %1: %2").arg(Line).arg(E->First);
        }
    }
    if (Severity == PO_SEVERITY_FATAL_ERROR)
        std::longjmp(E->Fatal, 1);
}

void XError(int Severity, po_message_t, const char *File, size_t Line, size_t, int, const char *Text)
{
    Record(Severity, File, Line, Text);
}

void XError2(int Severity, po_message_t, const char *File, size_t Line, size_t, int, const char *Text,
             po_message_t, const char *, size_t, size_t, int, const char *)
{
    Record(Severity, File, Line, Text);
}

const po_xerror_handler Handler = {XError, XError2};

// The calls into libgettextpo, each in a frame of its own that holds nothing
// a jump back could leave stale.
po_file_t GuardedRead(const char *Name, TPoErrors &Errors)
{
    if (setjmp(Errors.Fatal) != 0)
        return nullptr;
    return po_file_read(Name, &Handler);
}

bool GuardedWrite(po_file_t File, const char *Name, TPoErrors &Errors)
{
    if (setjmp(Errors.Fatal) != 0)
        return false;
    return po_file_write(File, Name, &Handler) != nullptr;
}

QByteArray Utf8(const QString &S)
{
    return S.toUtf8();
}

// An obsolete entry with a translation is gettext's own obsolete entry
// ("#~"). gettext drops obsolete entries without a translation, and their
// extracted comments, when it writes a file: such a line stays an active
// entry whose status comment says "obsolete".
bool NativeObsolete(const TCatalogEntry &E)
{
    return E.Obsolete && E.Status == TCatalogStatus::Translated && !E.Translation.isEmpty();
}

QString ExtractedComments(const TCatalogEntry &E)
{
    QString Words;
    switch (E.Status) {
    case TCatalogStatus::Excluded:
    case TCatalogStatus::Empty:
    case TCatalogStatus::Inherited:
        Words = CatalogStatusWord(E.Status);
        break;
    case TCatalogStatus::Translated:
    case TCatalogStatus::Untranslated:
        break;
    }
    if (E.Obsolete && !NativeObsolete(E))
        Words += Words.isEmpty() ? QStringLiteral("obsolete") : QStringLiteral(" obsolete");
    if (Words.isEmpty())
        return QString();
    QString C = QLatin1String(StatusPrefix) + Words;
    if (E.Status == TCatalogStatus::Inherited)
        C += QLatin1Char('\n') + ToToolText(E.Inherited);
    return C;
}

// The status comment: its first line names the status (and "obsolete"), the
// lines after an "inherited" one are the superior's text. Comments of other
// authors are left alone.
void ReadExtracted(const QString &Comments, TCatalogEntry &E)
{
    QString Text = Comments;
    if (Text.endsWith(u'\n'))
        Text.chop(1);
    if (!Text.startsWith(QLatin1String(StatusPrefix)))
        return;
    const qsizetype Break = Text.indexOf(u'\n');
    const QString Words = Text.mid(qsizetype(sizeof(StatusPrefix) - 1),
                                   Break < 0 ? -1 : Break - qsizetype(sizeof(StatusPrefix) - 1));
    for (const QString &Word : Words.split(u' ', Qt::SkipEmptyParts)) {
        if (Word == QLatin1String("obsolete"))
            E.Obsolete = true;
        else
            E.Status = CatalogStatusOfWord(Word);
    }
    if (E.Status == TCatalogStatus::Inherited && Break >= 0)
        E.Inherited = FromToolText(Text.mid(Break + 1));
}

QString Comment(const QString &C)
{
    QString S = C;
    if (S.endsWith(u'\n'))
        S.chop(1);
    return S;
}

// A PO file lives in a file for libgettextpo; the bytes go through a
// temporary one that is removed again.
bool ToTemporary(const QByteArray &Bytes, QTemporaryFile &File)
{
    return File.open() && File.write(Bytes) == Bytes.size() && File.flush();
}
} // namespace

bool WritePoCatalog(const TTranslationCatalog &Catalog, bool Template, QByteArray &Bytes, QString &Error)
{
    po_file_t File = po_file_create();
    po_message_iterator_t It = po_message_iterator(File, nullptr);

    po_message_t Head = po_message_create();
    po_message_set_msgid(Head, "");
    po_message_set_msgstr(Head, Utf8(FormatExchangeHeader(Catalog, Template, ExchangeHeaderStyle::Po)).constData());
    po_message_insert(It, Head);

    for (const TCatalogEntry &E : Catalog.Entries) {
        po_message_t M = po_message_create();
        const QString Key = CatalogKey(E);
        if (!Key.isEmpty())
            po_message_set_msgctxt(M, Utf8(Key).constData());
        po_message_set_msgid(M, Utf8(E.Source.isEmpty() ? Key : ToToolText(E.Source)).constData());
        po_message_set_msgstr(M, Template ? "" : Utf8(ToToolText(E.Translation)).constData());
        const QString Extracted = ExtractedComments(E);
        if (!Extracted.isEmpty())
            po_message_set_extracted_comments(M, Utf8(Extracted).constData());
        if (!Template && !E.Comment.isEmpty())
            po_message_set_comments(M, Utf8(E.Comment).constData());
        if (!Template && E.Fuzzy)
            po_message_set_fuzzy(M, 1);
        if (NativeObsolete(E))
            po_message_set_obsolete(M, 1);
        po_message_insert(It, M);
    }
    po_message_iterator_free(It);

    QTemporaryFile Out;
    bool Ok = Out.open();
    if (Ok) {
        TPoErrors Errors;
        CurrentErrors = &Errors;
        Ok = GuardedWrite(File, QFile::encodeName(Out.fileName()).constData(), Errors) && Errors.Count == 0;
        CurrentErrors = nullptr;
        if (!Ok)
            Error = Errors.First.isEmpty() ? QStringLiteral("the PO file could not be written") : Errors.First;
    } else {
        Error = Out.errorString();
    }
    po_file_free(File);
    if (!Ok)
        return false;
    QFile In(Out.fileName());
    if (!In.open(QIODevice::ReadOnly)) {
        Error = In.errorString();
        return false;
    }
    Bytes = In.readAll();
    return true;
}

bool ReadPoCatalog(const QByteArray &Bytes, TTranslationCatalog &Catalog, QString &Error)
{
    Catalog = TTranslationCatalog();
    QTemporaryFile In;
    if (!ToTemporary(Bytes, In)) {
        Error = In.errorString();
        return false;
    }
    TPoErrors Errors;
    CurrentErrors = &Errors;
    po_file_t File = GuardedRead(QFile::encodeName(In.fileName()).constData(), Errors);
    CurrentErrors = nullptr;
    if (!File || Errors.Count > 0) {
        if (File)
            po_file_free(File);
        Error = Errors.First.isEmpty() ? QStringLiteral("not a PO file") : Errors.First;
        return false;
    }

    const char *Header = po_file_domain_header(File, nullptr);
    QStringDecoder Decoder(QStringConverter::Utf8);
    if (Header) {
        char *Type = po_header_field(Header, "Content-Type");
        QByteArray Charset;
        if (Type) {
            const QByteArray T(Type);
            free(Type);
            const qsizetype At = T.indexOf("charset=");
            if (At >= 0)
                Charset = T.mid(At + 8).trimmed();
        }
        if (!Charset.isEmpty() && Charset != "CHARSET" && Charset.toLower() != "utf-8") {
            Decoder = QStringDecoder(Charset.constData());
            if (!Decoder.isValid()) {
                po_file_free(File);
                Error = QStringLiteral("the PO file's charset %1 is not known").arg(QString::fromLatin1(Charset));
                return false;
            }
        }
    }
    auto Text = [&Decoder](const char *S) { return S ? Decoder.decode(QByteArrayView(S)) : QString(); };

    bool Ok = ReadExchangeHeader(Header ? Text(Header) : QString(), ExchangeHeaderStyle::Po, Catalog, Error);
    po_message_iterator_t It = po_message_iterator(File, nullptr);
    while (Ok) {
        po_message_t M = po_next_message(It);
        if (!M)
            break;
        const char *Id = po_message_msgid(M);
        if (!Id || (!*Id && !po_message_msgctxt(M)))
            continue; // the header
        if (po_message_msgid_plural(M)) {
            Error = QStringLiteral("entry \"%1\": plural forms are not used by language files").arg(Text(Id));
            Ok = false;
            break;
        }
        TCatalogEntry E;
        const QString Key = Text(po_message_msgctxt(M));
        if (!ParseCatalogKey(Key, E)) {
            Error = QStringLiteral("entry \"%1\": \"%2\" names no line, item or lexicon").arg(Text(Id), Key);
            Ok = false;
            break;
        }
        const QString Source = Text(Id);
        E.Source = Source == Key && !Key.isEmpty() ? QString() : FromToolText(Source);
        E.Translation = FromToolText(Text(po_message_msgstr(M)));
        E.Status = E.Translation.isEmpty() ? TCatalogStatus::Untranslated : TCatalogStatus::Translated;
        E.Obsolete = po_message_is_obsolete(M);
        ReadExtracted(Text(po_message_extracted_comments(M)), E);
        E.Comment = Comment(Text(po_message_comments(M)));
        E.Fuzzy = po_message_is_fuzzy(M);
        Catalog.Entries.push_back(std::move(E));
    }
    po_message_iterator_free(It);
    po_file_free(File);
    return Ok;
}
