#include "glotta/engine/language_file.h"

#include "glotta/engine/file_fields.h"
#include "glotta/store/ansi_code_page.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/language_names.h"
#include "glotta/store/lexicon_data.h"
#include "glotta/store/named_object_list.h"
#include "glotta/store/smart_lexicon_data.h"
#include "glotta/store/text_helpers.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringEncoder>
#include <QSysInfo>
#include <algorithm>
#include <climits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// The fields of a component line as views into its value. The keys and
// marks count wherever they occur in the value (inside the quoted text as
// well), the first occurrence of a key giving its field, as ExtractKeyValue
// and a search for the mark would find them; every one of them starts with
// "%", so one walk over the value's "%" signs finds them all.
struct TItemFields
{
    QStringView Comp, Owner, Item;
    bool HasComp = false, HasOwner = false, HasItem = false;
    bool NoTrans = false, Old = false;

    explicit TItemFields(QStringView Value)
    {
        const auto KeyValue = [Value](qsizetype From, QStringView &Field, bool &Has) {
            Has = true;
            const qsizetype End = Value.indexOf(QLatin1Char(';'), From);
            Field = End < 0 ? QStringView() : Value.mid(From, End - From);
        };
        for (qsizetype P = Value.indexOf(QLatin1Char('%')); P >= 0; P = Value.indexOf(QLatin1Char('%'), P + 1)) {
            const QStringView Rest = Value.mid(P + 1);
            if (!HasComp && Rest.startsWith(u"COMPONENT="))
                KeyValue(P + 11, Comp, HasComp);
            else if (!HasOwner && Rest.startsWith(u"OWNER="))
                KeyValue(P + 7, Owner, HasOwner);
            else if (!HasItem && Rest.startsWith(u"ITEM="))
                KeyValue(P + 6, Item, HasItem);
            else if (Rest.startsWith(u"NOTRANS"))
                NoTrans = true;
            else if (Rest.startsWith(u"OLD"))
                Old = true;
        }
    }
    quint16 Changeable() const { return quint16((NoTrans ? 0 : 1) + (Old ? 2 : 0)); }
};

// The quoted text of a value in one-line form: a raw TAB or line break
// between the quotes becomes a character code.
QString OneLineQuoted(QStringView Value)
{
    const qsizetype First = Value.indexOf(QLatin1Char('"'));
    const qsizetype Last = Value.lastIndexOf(QLatin1Char('"'));
    if (First < 0 || Last == First)
        return QString();
    const QStringView Text = Value.mid(First + 1, Last - First - 1);
    for (QChar C : Text)
        if (C.unicode() < 32) {
            QString S = Text.toString();
            EncodeControlChars(S);
            return S;
        }
    return Text.toString();
}

// The line ID of a component line, built at once from its fields.
QString LineIDOf(const TItemFields &F, quint16 PropertyID)
{
    char16_t Digits[8];
    int N = 0;
    unsigned V = PropertyID;
    do {
        Digits[N++] = char16_t(u'0' + V % 10);
        V /= 10;
    } while (V);
    QString ID(F.Comp.size() + F.Owner.size() + F.Item.size() + 3 + N, Qt::Uninitialized);
    QChar *D = ID.data();
    const auto Put = [&D](QStringView S) {
        // An empty field may be a view without characters at all: no copy.
        if (S.isEmpty())
            return;
        memcpy(static_cast<void *>(D), S.data(), size_t(S.size()) * sizeof(QChar));
        D += S.size();
    };
    Put(F.Comp);
    *D++ = QLatin1Char('@');
    Put(F.Owner);
    *D++ = QLatin1Char('#');
    while (N > 0)
        *D++ = QChar(Digits[--N]);
    *D++ = QLatin1Char('[');
    Put(F.Item);
    return ID;
}
} // namespace

bool ParseItemLine(int Number, QStringView Value, TFullStructLine &Line)
{
    // Property-type IDs are 16-bit: a larger number would wrap into another ID.
    if (Number < 0 || Number > 0xFFFF)
        return false;
    const TItemFields F(Value);
    if (F.Comp.isEmpty())
        return false;
    Line.CompName = F.Comp.toString();
    Line.PropertyID = quint16(Number);
    Line.Descent = 0;
    Line.Translation = OneLineQuoted(Value);
    Line.OwnerName = F.Owner.toString();
    Line.ItemAddr = F.Item.toString();
    Line.Changeable = F.Changeable();
    return true;
}

QString FormatStructLine(const TFullStructLine &Line)
{
    QString S = QString::number(Line.PropertyID) + QLatin1Char('\t');
    if (Line.Changeable & 1)
        S += QLatin1Char('"') + Line.Translation + QLatin1Char('"');
    else
        S += QLatin1String("%NOTRANS");
    S += QLatin1String("\t%COMPONENT=") + Line.CompName + QLatin1Char(';');
    S += QLatin1String("\t%OWNER=") + Line.OwnerName + QLatin1Char(';');
    if (!Line.ItemAddr.isEmpty())
        S += QLatin1String("\t%ITEM=") + Line.ItemAddr + QLatin1Char(';');
    if (Line.Changeable & 2)
        S += QLatin1String("\t%OLD");
    return S;
}

void TLanguageFileReader::SetBytes(const QByteArray &Bytes)
{
    fLines.SetBytes(Bytes);
    fPos = 0;
}

void TLanguageFileReader::SetText(const QString &Text)
{
    fLines.SetText(Text);
    fPos = 0;
}

void TLanguageFileReader::SetDevice(std::unique_ptr<QIODevice> Device)
{
    fLines.SetDevice(std::move(Device), MaxLanguageFileSize);
    fPos = 0;
}

bool TLanguageFileReader::ReadSignature(const QString &Signature)
{
    return fLines.Has(0)
           && TrimControls(fLines.Line(0).toString()) == QLatin1Char('[') + Signature + QLatin1Char(']');
}

std::optional<TLanguageFileHeader> TLanguageFileReader::ReadHeader(const QString &LangName)
{
    // The lines before a header are gone once the walk reads past them, so
    // the header line is kept as a copy.
    QString Line;
    bool Found = false;
    int i = 1;
    for (; fLines.Has(i); ++i) {
        const QStringView Candidate = fLines.Line(i);
        if (!Candidate.contains(u"%LANGUAGE_NAME="))
            continue;
        Line = Candidate.toString();
        Found = true;
        if (ExtractQuoted(Line) == LangName) {
            ++i;
            break;
        }
    }
    fPos = i;
    if (!Found)
        return std::nullopt;
    TLanguageFileHeader H;
    H.Name = ExtractQuoted(Line);
    H.Code = ExtractKeyValue(Line, u"%CODE=");
    NormalizeISOCode(H.Code);
    H.Superior = ExtractKeyValue(Line, u"%SUPERIOR_LANGUAGE=");
    return H;
}

void TLanguageFileReader::ReadComponents(TComponentStructure &Struct, bool ForEditing, const TLineOwned &IsOwned)
{
    // Lines of the superior languages are merged by index while nothing is
    // added, and the language's new lines are added together at the end:
    // adding between searches would make the structure sort itself once per
    // line. They wait as ID and text only, which the hash shares.
    std::vector<TSimpleStructLine> NewLines;
    QHash<QString, int> NewIndex;
    TFullStructLine Line;
    int N = 0;
    int &i = fPos;
    for (; fLines.Has(i); ++i) {
        const QStringView Value = fLines.Value(i);
        if (IsMarker(Value, u"%LEXICON_STRINGS"))
            break;
        if (Value.size() < 3 || !fLines.Number(i, N) || N < 0 || N > 0xFFFF)
            continue;
        // The fields are read as views; only the ID and the text become
        // strings (the whole line when a client is asked whether it owns it).
        const TItemFields Fields(Value);
        if (Fields.Comp.isEmpty())
            continue;
        Line.PropertyID = quint16(N);
        Line.Descent = 0;
        Line.Translation = OneLineQuoted(Value);
        Line.Changeable = Fields.Changeable();
        if (IsOwned && !(Line.Changeable & 2)) {
            Line.CompName = Fields.Comp.toString();
            Line.OwnerName = Fields.Owner.toString();
            Line.ItemAddr = Fields.Item.toString();
            if (!IsOwned(Line))
                Line.Changeable += 2;
        }
        const QString ID = LineIDOf(Fields, Line.PropertyID);
        if (ForEditing) {
            NewLines.push_back({ID, Line.Translation, Line.Descent, Line.Changeable});
            continue;
        }
        const auto Known = NewIndex.constFind(ID);
        if (Known != NewIndex.constEnd()) {
            TSimpleStructLine &Earlier = NewLines[size_t(*Known)];
            if (Line.Changeable & 1)
                Earlier.Translation = Line.Translation;
            Earlier.Changeable = Line.Changeable;
            continue;
        }
        const int Found = Struct.Find(ID);
        if (Found >= 0) {
            // A line inherited from a superior language: a line excluded
            // from translation keeps the inherited text.
            const QString Text = (Line.Changeable & 1) ? Line.Translation : Struct.GetTranslation(Found);
            Struct.SetupLine(Found, Text, 0, Line.Changeable);
        } else {
            NewIndex.insert(ID, int(NewLines.size()));
            NewLines.push_back({ID, Line.Translation, Line.Descent, Line.Changeable});
        }
    }
    NewIndex = QHash<QString, int>();
    for (TSimpleStructLine &New : NewLines) {
        Struct.AddLine(New);
        New = TSimpleStructLine(); // the structure holds the texts now
    }
}

bool TLanguageFileReader::ReadLexicons(TLexiconData &Lexicons, const QString &LibraryPath)
{
    QString Lexicon;
    int N = 0;
    int &i = fPos;
    for (++i; fLines.Has(i); ++i) {
        const QStringView Value = fLines.Value(i);
        if (IsMarker(Value, u"%SMART_STRINGS"))
            break;
        if (IsMarker(Value, u"%GLOTTA") || IsMarker(Value, u"%LEXICON_NAME=")) {
            Lexicon = Value.contains(u"%GLOTTA") ? LibraryPath : ExtractKeyValue(Value, u"%LEXICON_NAME=");
            if (Lexicon.isEmpty())
                return false;
            Lexicons.NewLexicon(Lexicon);
            continue;
        }
        // Item numbers are 16-bit; a larger one would wrap onto another item.
        if (Value.size() < 3 || !fLines.Number(i, N) || N < 0 || N > 0xFFFF || Lexicon.isEmpty())
            continue;
        const QString Text = QuotedText(Value);
        if (!Text.isEmpty())
            Lexicons.WriteItem(Lexicon, N, Text, 0);
    }
    return true;
}

bool TLanguageFileReader::ReadSmartLexicons(TSmartLexiconData &Smart)
{
    // The pairs are gathered and handed to the sorted lexicons in their order
    // (a stable sort keeps the file order of repeated texts), so each lexicon
    // grows by appending instead of inserting in the middle.
    struct TPair
    {
        QString Lexicon, Designed, Translated;
    };
    std::vector<TPair> Pairs;
    QString Lexicon;
    const bool Read = ReadSmartPairs(
        fLines, fPos,
        [&](const QString &Name) {
            if (Name.isEmpty())
                return false;
            Lexicon = Name;
            Smart.NewLexicon(Lexicon);
            return true;
        },
        [&](QString &&Designed, QString &&Translated) {
            Pairs.push_back({Lexicon, std::move(Designed), std::move(Translated)});
        });
    if (!Read)
        return false;
    static const TNamedObjectList Order;
    std::stable_sort(Pairs.begin(), Pairs.end(), [](const TPair &A, const TPair &B) {
        if (A.Lexicon != B.Lexicon)
            return A.Lexicon < B.Lexicon;
        return Order.CompareStrings(A.Designed, B.Designed) < 0;
    });
    for (const TPair &P : Pairs) {
        if (P.Lexicon.isEmpty())
            Smart.AddItem(P.Designed, P.Translated, 0);
        else
            Smart.AddItem(P.Lexicon, P.Designed, P.Translated, 0);
    }
    return true;
}

bool TLanguageFileReader::ReadFlag(TLanguageFileHeader &Header)
{
    if (!fLines.Has(fPos))
        return false;
    Header.Flag = FlagIconBytes(fLines.Tail(fPos + 1), 0);
    return !fLines.Failed();
}

QStringList FormatLanguageFile(const QString &Signature, const TLanguageFileHeader &Header,
                               const TComponentStructure &Struct, const TLexiconData &Lexicons,
                               const TSmartLexiconData &Smart, const QString &LibraryPath)
{
    QStringList Lines;
    Lines.reserve(Struct.Count() + 16);
    Lines.append(QLatin1Char('[') + Signature + QLatin1Char(']'));

    QString Line = QStringLiteral("0\t%LANGUAGE_NAME=\"") + Header.Name + QLatin1Char('"');
    QString Code = Header.Code;
    if (NormalizeISOCode(Code))
        Line += QStringLiteral("\t%CODE=") + Code + QLatin1Char(';');
    if (!Header.Superior.isEmpty())
        Line += QStringLiteral("\t%SUPERIOR_LANGUAGE=") + Header.Superior + QLatin1Char(';');
    Line += QStringLiteral("\t%FILEVER=THLF1;");
    Lines.append(Line);

    for (int n = 0; n < Struct.Count(); ++n)
        Lines.append(FormatStructLine(Struct.GetFull(n)));

    Lines.append(QStringLiteral("0\t%LEXICON_STRINGS"));
    for (int x = 0; x < Lexicons.LexiconCount(); ++x) {
        const QString Name = Lexicons.LexiconName(x);
        // A lexicon with items gets its name line even when all their texts
        // are empty, so that it reads back as a lexicon; the empty texts
        // themselves are not written.
        bool HasItems = false;
        QStringList Items;
        const int Max = Lexicons.MaxItemNr(Name);
        for (int n = 0; n <= Max; ++n) {
            if (!Lexicons.IsIncluded(Name, n))
                continue;
            HasItems = true;
            const QString Text = Lexicons.ReadItem(Name, n);
            if (!Text.isEmpty())
                Items.append(QString::number(n) + QStringLiteral("\t\"") + Text + QLatin1Char('"'));
        }
        if (!HasItems)
            continue;
        QString NameLine = LexiconNameLine(Name);
        if (Name.compare(LibraryPath, Qt::CaseInsensitive) == 0)
            NameLine += QStringLiteral("\t%GLOTTA");
        Lines.append(NameLine);
        Lines.append(Items);
    }

    Lines.append(QStringLiteral("0\t%SMART_STRINGS"));
    const TNamedItems &Global = Smart.GlobalLexicon();
    for (int n = 0; n < Global.Count(); ++n)
        AddPair(Lines, n, Global.GetLocStr(quint16(n)), Global.Get(quint16(n)));
    for (int x = 0; x < Smart.LexiconCount(); ++x) {
        const QString Name = Smart.LexiconName(x);
        const int Count = Smart.ItemsCount(Name);
        if (Count == 0)
            continue;
        Lines.append(LexiconNameLine(Name));
        for (int n = 0; n < Count; ++n)
            AddPair(Lines, n, Smart.GetLocStr(Name, n), Smart.ReadItem(Name, n));
    }

    if (!Header.Flag.isEmpty())
        WriteFlagIcon(Header.Flag, Lines);
    return Lines;
}

QByteArray EncodeLanguageFile(const QStringList &Lines, TLFEncoding Encoding)
{
    QString Text;
    qsizetype Size = 0;
    for (const QString &L : Lines)
        Size += L.size() + 2;
    Text.reserve(Size);
    for (const QString &L : Lines) {
        Text += L;
        Text += QLatin1String("\r\n");
    }
    switch (Encoding) {
    case TLFEncoding::Unicode:
        return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE).encode(Text);
    case TLFEncoding::BigEndianUnicode:
        return QByteArray("\xFE\xFF", 2) + QStringEncoder(QStringConverter::Utf16BE).encode(Text);
    case TLFEncoding::UTF8:
        return QByteArray("\xEF\xBB\xBF", 3) + QStringEncoder(QStringConverter::Utf8).encode(Text);
    case TLFEncoding::ANSI:
        break;
    }
#ifdef Q_OS_WIN
    QStringEncoder Encoder(QStringConverter::System);
#else
    QStringEncoder Encoder(AnsiCodePageName().constData());
    if (!Encoder.isValid())
        Encoder = QStringEncoder(QStringConverter::Latin1);
#endif
    return Encoder.encode(Text);
}

bool OpenLanguageFile(const QString &FileName, QFile &File)
{
    File.setFileName(FileName);
#ifdef Q_OS_UNIX
    if (QFileInfo(FileName).isNativePath()) {
        // Only a regular file is a language file. Opening a FIFO without a
        // writer would wait for one for ever, so the file is opened without
        // waiting and kept only when it turns out to be a regular file (asked
        // of the opened file itself, which no rename can swap meanwhile).
        const int Fd = ::open(QFile::encodeName(FileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (Fd < 0)
            return false;
        struct stat St;
        if (::fstat(Fd, &St) != 0 || !S_ISREG(St.st_mode)) {
            ::close(Fd);
            return false;
        }
        ::fcntl(Fd, F_SETFL, ::fcntl(Fd, F_GETFL) & ~O_NONBLOCK);
        if (!File.open(Fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(Fd);
            return false;
        }
    } else if (!File.open(QIODevice::ReadOnly)) {
        return false;
    }
#else
    if (!File.open(QIODevice::ReadOnly))
        return false;
#endif
    if (File.size() > MaxLanguageFileSize) {
        File.close();
        return false;
    }
    return true;
}

bool ReadLanguageFileBytes(const QString &FileName, QByteArray &Bytes)
{
    Bytes.clear();
    QFile File;
    if (!OpenLanguageFile(FileName, File))
        return false;
    // Read in pieces up to the limit as well: the size of a special file
    // says nothing, and asking for the limit at once would give every file
    // read, however small, a buffer of that size (tens of megabytes of
    // address space for each language kept in memory).
    Bytes.reserve(qsizetype(File.size()));
    QByteArray Piece(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 Got = File.read(Piece.data(), Piece.size());
        if (Got < 0 || Bytes.size() + Got > MaxLanguageFileSize) {
            Bytes.clear();
            return false;
        }
        if (Got == 0)
            break;
        Bytes.append(Piece.constData(), qsizetype(Got));
    }
    return true;
}

bool WriteLanguageFileBytes(const QString &FileName, const QByteArray &Bytes, QFileDevice::FileError &Error,
                            QString &ErrorText)
{
    QSaveFile File(FileName);
    // The bytes are flushed and checked before the commit: a write the disk
    // cuts short (full, or over a size limit) fails only when the buffer is
    // flushed, and a commit after it would put the truncated file in place.
    if (File.open(QIODevice::WriteOnly) && File.write(Bytes) == Bytes.size() && File.flush()
        && File.error() == QFileDevice::NoError && File.commit())
        return true;
    Error = File.error();
    ErrorText = File.errorString();
    File.cancelWriting();
    return false;
}
