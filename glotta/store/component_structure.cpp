#include "glotta/store/component_structure.h"

#include "toolkit/core/exception.h"
#include "glotta/store/property_ids.h"
#include "glotta/store/text_helpers.h"

#include <QSet>
#include <algorithm>

namespace {

// Below this many waiting lines, inserting each one into place is cheaper
// than rebuilding the whole list by a merge.
constexpr size_t DirectInsertLimit = 64;

// A sort key: up to KeyLength leading code units of a line ID, ASCII letters
// folded to lower case, cut at the first code unit that is not ASCII (whose
// folding needs Unicode's tables). Where two keys differ within their common
// length they order the IDs exactly as TNamedObjectList::CompareStrings does;
// otherwise the IDs themselves are compared.
struct TSortEntry
{
    static constexpr int KeyLength = 24;
    char16_t Key[KeyLength];
    quint8 KeyLen;
    quint32 Index;

    void Set(const QString &ID, quint32 AtIndex)
    {
        Index = AtIndex;
        KeyLen = 0;
        const qsizetype N = std::min<qsizetype>(ID.size(), KeyLength);
        for (qsizetype i = 0; i < N; ++i) {
            const char16_t C = ID[i].unicode();
            if (C >= 128)
                break;
            Key[KeyLen++] = C >= u'A' && C <= u'Z' ? char16_t(C + 32) : C;
        }
    }
    int CompareKeys(const TSortEntry &Other) const
    {
        const int N = std::min(KeyLen, Other.KeyLen);
        for (int i = 0; i < N; ++i)
            if (Key[i] != Other.Key[i])
                return Key[i] < Other.Key[i] ? -1 : 1;
        return 0;
    }
};

// The parts of a line ID, found by scanning: the component name up to the
// first "@", the owner name up to the next "#", the property-type ID up to
// the next "[", the item path to the end. A missing separator leaves the
// parts after it empty.
struct TLineIDParts
{
    QStringView Comp;
    QStringView Owner;
    QStringView PropertyID;
    QStringView Addr;
    qsizetype HashPos = -1;    // position of the "#" after the owner, -1 when none
    bool HasBracket = false;
};

TLineIDParts SplitLineID(const QString &ID)
{
    TLineIDParts P;
    const QStringView V(ID);
    const qsizetype At = ID.indexOf(QLatin1Char('@'));
    if (At < 0) {
        P.Comp = V;
        return P;
    }
    P.Comp = V.left(At);
    const qsizetype Hash = ID.indexOf(QLatin1Char('#'), At + 1);
    if (Hash < 0) {
        P.Owner = V.mid(At + 1);
        return P;
    }
    P.Owner = V.mid(At + 1, Hash - At - 1);
    P.HashPos = Hash;
    const qsizetype Bracket = ID.indexOf(QLatin1Char('['), Hash + 1);
    if (Bracket < 0) {
        P.PropertyID = V.mid(Hash + 1);
        return P;
    }
    P.PropertyID = V.mid(Hash + 1, Bracket - Hash - 1);
    P.Addr = V.mid(Bracket + 1);
    P.HasBracket = true;
    return P;
}


// The property-type part as an ID; 521 when it is not a number of 0..65535.
quint16 PropertyIDOf(QStringView S)
{
    int V;
    if (!ParseDecimal(S, V) || V < 0 || V > 0xFFFF)
        return UnknownPropertyID;
    return quint16(V);
}

} // namespace

TComponentStructure::TComponentStructure() : fLines(std::make_unique<TNamedObjectList>()) {}

TComponentStructure::~TComponentStructure()
{
    DropPending();
}

QString TComponentStructure::MakeLineID(const QString &CompName, const QString &OwnerName,
                                        quint16 PropertyID, const QString &ItemAddr)
{
    QString ID;
    ID.reserve(CompName.size() + OwnerName.size() + ItemAddr.size() + 8);
    ID += CompName;
    ID += QLatin1Char('@');
    ID += OwnerName;
    ID += QLatin1Char('#');
    ID += QString::number(PropertyID);
    ID += QLatin1Char('[');
    ID += ItemAddr;
    return ID;
}

QString TComponentStructure::MakeLineID(const TFullStructLine &InputData)
{
    return MakeLineID(InputData.CompName, InputData.OwnerName, InputData.PropertyID, InputData.ItemAddr);
}

// ---- the side batch -------------------------------------------------------

void TComponentStructure::AddLineID(const QString &ID, TStructItem *Item)
{
    int Index;
    if (fLines->Find(ID, Index)) {
        fLines->ReplaceObject(Index, Item);
        return;
    }
    if (Index == fLines->Count()) {
        // In order (the common case of a file written sorted): append. No
        // line moves, so the hash stays valid with one more entry.
        fLines->AddObject(ID, Item);
        if (fIndexValid)
            fIndexOfID.insert(ID, Index);
        return;
    }
    // An ID that waits here sorts before the last sorted line, and that line
    // only grows, so a repeat of the ID lands here as well; the merge keeps
    // the last one added.
    fPending.emplace_back(ID, Item);
}

void TComponentStructure::MergePending() const
{
    if (fPending.empty())
        return;
    const TNamedObjectList &Order = *fLines;
    {
        // Sort small entries that carry the start of each ID, case-folded,
        // so that most comparisons never reach the scattered texts; equal
        // IDs keep the order they were added in.
        std::vector<TSortEntry> Entries(fPending.size());
        for (size_t i = 0; i < fPending.size(); ++i)
            Entries[i].Set(fPending[i].first, quint32(i));
        std::sort(Entries.begin(), Entries.end(), [&](const TSortEntry &A, const TSortEntry &B) {
            const int K = A.CompareKeys(B);
            if (K != 0)
                return K < 0;
            const int C = Order.CompareStrings(fPending[A.Index].first, fPending[B.Index].first);
            return C != 0 ? C < 0 : A.Index < B.Index;
        });
        std::vector<std::pair<QString, TStructItem *>> Sorted;
        Sorted.reserve(fPending.size());
        for (const TSortEntry &E : Entries)
            Sorted.push_back(std::move(fPending[E.Index]));
        fPending.swap(Sorted);
    }
    // Repeats of one ID are adjacent, in the order they were added: the last wins.
    size_t Kept = 0;
    for (size_t i = 0; i < fPending.size(); ++i) {
        if (Kept > 0 && fPending[Kept - 1].first == fPending[i].first) {
            delete fPending[Kept - 1].second;
            fPending[Kept - 1].second = fPending[i].second;
        } else {
            fPending[Kept++] = std::move(fPending[i]);
        }
    }
    fPending.resize(Kept);
    if (fPending.size() <= DirectInsertLimit) {
        for (const auto &Entry : fPending)
            fLines->AddObject(Entry.first, Entry.second);
    } else {
        // Merge two sorted runs into a new list; every entry lands past the
        // last one, so each add costs one comparison.
        auto Merged = std::make_unique<TNamedObjectList>();
        const int N = fLines->Count();
        Merged->SetCapacity(N + int(fPending.size()));
        int i = 0;
        size_t j = 0;
        while (i < N || j < fPending.size()) {
            if (j == fPending.size()
                || (i < N && Order.CompareStrings(fLines->Strings(i), fPending[j].first) < 0)) {
                Merged->AddObject(fLines->Strings(i), fLines->Objects(i));
                ++i;
            } else {
                Merged->AddObject(fPending[j].first, fPending[j].second);
                ++j;
            }
        }
        fLines->SetOwnsObjects(false); // the items moved to Merged
        fLines = std::move(Merged);
    }
    // The batch of a load can be as long as the structure: its room goes.
    std::vector<std::pair<QString, TStructItem *>>().swap(fPending);
    LinesMoved();
}

void TComponentStructure::LinesMoved() const
{
    fIndexValid = false;
    fIndexOfID.clear();
    fSearchesSinceMove = 0;
}

int TComponentStructure::Lookup(const QString &ID) const
{
    MergePending();
    if (!fIndexValid && ++fSearchesSinceMove >= SearchesBeforeIndex(fLines->Count())) {
        fIndexOfID.reserve(fLines->Count());
        for (int i = 0; i < fLines->Count(); ++i)
            fIndexOfID.insert(fLines->Strings(i), i);
        fIndexValid = true;
    }
    if (fIndexValid)
        return fIndexOfID.value(ID, -1);
    int Index;
    return fLines->Find(ID, Index) ? Index : -1;
}

void TComponentStructure::DropPending()
{
    for (const auto &Entry : fPending)
        delete Entry.second;
    fPending.clear();
}

const TNamedObjectList &TComponentStructure::Lines() const
{
    MergePending();
    return *fLines;
}

TStructItem *TComponentStructure::LineItem(int Index) const
{
    MergePending();
    return static_cast<TStructItem *>(fLines->Objects(Index));
}

// ---- construction and bulk operations --------------------------------------

int TComponentStructure::Count() const
{
    MergePending();
    return fLines->Count();
}

void TComponentStructure::Clear()
{
    DropPending();
    fLines->Clear();
    LinesMoved();
}

void TComponentStructure::Assign(const TComponentStructure &Struct)
{
    if (&Struct == this)
        return;
    Clear();
    const int N = Struct.Count();
    for (int i = 0; i < N; ++i)
        Copy(i, Struct);
}

void TComponentStructure::NewLanguage()
{
    MergePending();
    for (int i = 0; i < fLines->Count(); ++i) {
        TStructItem *Item = LineItem(i);
        Item->Descent = DescentStep(Item->Descent);
    }
}

bool TComponentStructure::SwitchLanguageOwner(const QString &Current, const QString &New)
{
    MergePending();
    if (fLines->Count() == 0)
        return false;
    QSet<const TObject *> Renamed;
    LinesMoved();
    fLines->SetSorted(false);
    for (int i = 0; i < fLines->Count(); ++i) {
        const QString ID = fLines->Strings(i);
        const TLineIDParts P = SplitLineID(ID);
        if (P.HashPos < 0 || P.Owner != Current)
            continue;
        QString NewID = P.Comp.toString();
        NewID += QLatin1Char('@');
        NewID += New;
        NewID += QStringView(ID).mid(P.HashPos);
        fLines->Put(i, NewID);
        Renamed.insert(fLines->Objects(i));
    }
    fLines->SetSorted(true);
    if (Renamed.isEmpty())
        return false;
    // A renamed line may now carry the ID of a line that was already there
    // (both owners had the same component). Two lines with one ID would make
    // the second unreachable and be written twice; the renamed line wins.
    for (int i = fLines->Count() - 1; i > 0; --i) {
        if (fLines->Strings(i) != fLines->Strings(i - 1))
            continue;
        fLines->Delete(Renamed.contains(fLines->Objects(i)) ? i - 1 : i);
    }
    return true;
}

// ---- adding and changing lines ---------------------------------------------

void TComponentStructure::AddLine(const TFullStructLine &InputData)
{
    AddLineID(MakeLineID(InputData),
              new TStructItem(InputData.Translation, InputData.Descent, InputData.Changeable));
}

void TComponentStructure::AddLine(const TSimpleStructLine &InputData)
{
    AddLineID(InputData.LineID,
              new TStructItem(InputData.Translation, InputData.Descent, InputData.Changeable));
}

void TComponentStructure::AddTextProperty(const QString &ComponentName, const QString &OwnerName,
                                          quint16 PropertyType, const QString &Input,
                                          const QString &Addr)
{
    // Numbers, punctuation and empty texts are not worth translating.
    if (!HasLetters(Input))
        return;
    QString Text = Input;
    EncodeControlChars(Text);
    AddLineID(MakeLineID(ComponentName, OwnerName, PropertyType, Addr),
              new TStructItem(Text, DescentNone, ChangeableTranslatable));
}

void TComponentStructure::Copy(int Index, const TComponentStructure &From)
{
    // An index outside From would add a line with an empty ID; copy nothing.
    if (Index < 0 || Index >= From.Count())
        return;
    AddLine(From.GetSimple(Index));
}

void TComponentStructure::SetupLine(int LineIndex, const QString &Translation, quint16 Descent,
                                    quint16 Changeable)
{
    TStructItem *Item = LineItem(LineIndex);
    Item->Translation = Translation;
    Item->Descent = Descent;
    Item->Changeable = Changeable;
}

void TComponentStructure::SetupLineBy(int LineIndex, int SourceLine, const TComponentStructure &ByStruct,
                                      quint16 Mark)
{
    if (LineIndex < 0 || LineIndex >= Count() || SourceLine < 0 || SourceLine >= ByStruct.Count())
        return;
    const TStructItem *Source = ByStruct.LineItem(SourceLine);
    TStructItem *Item = LineItem(LineIndex);
    Item->Translation = Source->Translation;
    Item->Descent = Source->Descent;
    Item->Changeable = quint16(Mark | Source->Changeable);
}

void TComponentStructure::DeleteLine(int Index)
{
    MergePending();
    fLines->Delete(Index);
    LinesMoved();
}

void TComponentStructure::SetTranslation(int Index, const QString &NewTranslation)
{
    LineItem(Index)->Translation = NewTranslation;
}

void TComponentStructure::SetDescent(int Index, quint16 NewDescent)
{
    LineItem(Index)->Descent = NewDescent;
}

void TComponentStructure::SetChangeable(int Index, quint16 NewStatus)
{
    LineItem(Index)->Changeable = NewStatus;
}

// ---- reading lines ---------------------------------------------------------

QString TComponentStructure::LineID(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QString();
    return Lines().Strings(Index);
}

TSimpleStructLine TComponentStructure::GetSimple(int Index) const
{
    TSimpleStructLine R;
    if (Index < 0 || Index >= Count()) {
        R.Descent = DescentNone;
        R.Changeable = 0;
        return R;
    }
    const TStructItem *Item = LineItem(Index);
    R.LineID = fLines->Strings(Index);
    R.Translation = Item->Translation;
    R.Descent = Item->Descent;
    R.Changeable = Item->Changeable;
    return R;
}

TFullStructLine TComponentStructure::GetFull(int Index) const
{
    TFullStructLine R;
    if (Index < 0 || Index >= Count()) {
        R.PropertyID = UnknownPropertyID;
        R.Descent = DescentNone;
        R.Changeable = 0;
        return R;
    }
    const TStructItem *Item = LineItem(Index);
    const QString &ID = fLines->Strings(Index);
    const TLineIDParts P = SplitLineID(ID);
    R.CompName = P.Comp.toString();
    R.OwnerName = P.Owner.toString();
    R.PropertyID = PropertyIDOf(P.PropertyID);
    R.ItemAddr = P.Addr.toString();
    R.Translation = Item->Translation;
    R.Descent = Item->Descent;
    R.Changeable = Item->Changeable;
    return R;
}

QString TComponentStructure::GetTranslation(int Index) const
{
    return LineItem(Index)->Translation;
}

quint16 TComponentStructure::GetDescent(int Index) const
{
    return LineItem(Index)->Descent;
}

quint16 TComponentStructure::GetChangeable(int Index) const
{
    return LineItem(Index)->Changeable;
}

quint16 TComponentStructure::GetPropertyID(int Index) const
{
    const QString &ID = Lines().Strings(Index);
    // Unlike GetFull and GetPropertyName, which stand in 521 for a part that
    // is no number, asking for the ID itself is an error then. A number
    // outside 0..65535 is still read as 521, as GetFull reads it.
    const QStringView Part = SplitLineID(ID).PropertyID;
    int V;
    if (!ParseDecimal(Part, V))
        throw EConvertError(QStringLiteral("'%1' is not a decimal number").arg(Part));
    return PropertyIDOf(Part);
}

QString TComponentStructure::GetComponentName(int Index) const
{
    const QString &ID = Lines().Strings(Index);
    return SplitLineID(ID).Comp.toString();
}

bool TComponentStructure::IsGlobal(int Index) const
{
    return IsGlobalDescent(LineItem(Index)->Descent);
}

bool TComponentStructure::ValidItem(int Index)
{
    TStructItem *Item = LineItem(Index);
    Item->Changeable &= quint16(~ChangeableObsolete);
    return (Item->Changeable & ChangeableTranslatable) != 0;
}

QString TComponentStructure::GetPropertyName(int ItemIndex, const QStringList &LMAdditionNames) const
{
    const QString &ID = Lines().Strings(ItemIndex);
    const TLineIDParts Parts = SplitLineID(ID);
    QString Result = PropertyTypeName(PropertyIDOf(Parts.PropertyID), LMAdditionNames);
    if (!Parts.HasBracket || Parts.Addr.isEmpty())
        return Result;

    const QStringView Addr = Parts.Addr;
    const qsizetype Len = Addr.size();
    qsizetype Pos = 0;
    while (Pos < Len) {
        // Token: up to the next "," or "." or the end.
        qsizetype End = Pos;
        while (End < Len && Addr[End] != QLatin1Char(',') && Addr[End] != QLatin1Char('.'))
            ++End;
        const QStringView Token = Addr.mid(Pos, End - Pos);
        Pos = End;
        int Index = 0;
        const bool HasIndex = ParseDecimal(Token, Index) && Index > -32000;

        bool HasSub = false;
        int Sub = 0;
        if (Pos < Len && Addr[Pos] == QLatin1Char('.')) {
            ++Pos;
            qsizetype SubEnd = Pos;
            while (SubEnd < Len && Addr[SubEnd] != QLatin1Char(','))
                ++SubEnd;
            HasSub = ParseDecimal(Addr.mid(Pos, SubEnd - Pos), Sub) && Sub != 499;
            Pos = SubEnd;
        }
        if (Pos < Len && Addr[Pos] == QLatin1Char(','))
            ++Pos;

        const auto AppendIndexed = [&] {
            if (HasIndex)
                Result += QLatin1Char('[') + QString::number(Index) + QLatin1String("].");
            else if (!Result.isEmpty())
                Result += QLatin1Char('.');
        };
        if (HasSub) {
            AppendIndexed();
            // Sub-property IDs past the table (and negative ones) read as unknown.
            Result += PropertyTypeName(Sub > int(SubPropertyLastID) || Sub < 0 ? int(UnknownPropertyID) : Sub,
                                       LMAdditionNames);
        } else if (HasLetters(Token.toString())) {
            AppendIndexed();
            QString Name = Token.toString();
            Name.replace(QLatin1Char(':'), QLatin1Char('.'));
            Name.replace(QLatin1Char('='), QLatin1Char(' '));
            Result += Name;
        } else if (HasIndex) {
            if (Pos < Len)
                Result += QLatin1Char('[') + QString::number(Index) + QLatin1String("].Item");
            else
                Result += QLatin1String(".Item[") + QString::number(Index) + QLatin1Char(']');
        }
    }
    return Result;
}

// ---- searching -------------------------------------------------------------

int TComponentStructure::Find(const QString &LineID)
{
    fLastFoundIndex = Lookup(LineID);
    return fLastFoundIndex;
}

int TComponentStructure::Find(const TFullStructLine &LineData)
{
    return Find(MakeLineID(LineData));
}

int TComponentStructure::Find(const QString &CompName, const QString &OwnerName, quint16 PropertyType,
                              const QString &Addr)
{
    return Find(MakeLineID(CompName, OwnerName, PropertyType, Addr));
}

int TComponentStructure::Find(int LineIndex, const TComponentStructure &ByStruct)
{
    if (LineIndex >= ByStruct.Count()) {
        fLastFoundIndex = -1;
        return -1;
    }
    // A negative index is reported by the list, before any state changes.
    return Find(ByStruct.Lines().Strings(LineIndex));
}

QString TComponentStructure::GetString(const QString &CompName, const QString &OwnerName,
                                       quint16 PropertyType, const QString &Addr) const
{
    const int Index = Lookup(MakeLineID(CompName, OwnerName, PropertyType, Addr));
    return Index < 0 ? QString() : LineItem(Index)->Translation;
}

QString TComponentStructure::GetString(int LineIndex, const TComponentStructure &ByStruct) const
{
    if (LineIndex >= ByStruct.Count())
        return QString();
    const int Index = Lookup(ByStruct.Lines().Strings(LineIndex));
    return Index < 0 ? QString() : LineItem(Index)->Translation;
}

QString TComponentStructure::FoundItem() const
{
    if (fLastFoundIndex < 0)
        return QString();
    return LineItem(fLastFoundIndex)->Translation;
}

void TComponentStructure::SetFoundItem(const QString &Value)
{
    if (fLastFoundIndex >= 0)
        LineItem(fLastFoundIndex)->Translation = Value;
}
