#include "component_structure.h"

#include "property_ids.h"
#include "text_helpers.h"

#include <QSet>
#include <algorithm>

namespace {

// Below this many waiting lines, inserting each one into place is cheaper
// than rebuilding the whole list by a merge.
constexpr size_t DirectInsertLimit = 64;

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

// A decimal integer with an optional sign and nothing else; false when the
// text is empty, holds anything else or does not fit 32 bits.
bool ParseDecimal(QStringView S, int &Value)
{
    qsizetype i = 0;
    bool Negative = false;
    if (i < S.size() && (S[i] == QLatin1Char('-') || S[i] == QLatin1Char('+'))) {
        Negative = S[i] == QLatin1Char('-');
        ++i;
    }
    if (i == S.size())
        return false;
    qint64 V = 0;
    for (; i < S.size(); ++i) {
        const char16_t C = S[i].unicode();
        if (C < u'0' || C > u'9')
            return false;
        V = V * 10 + (C - u'0');
        if (V > qint64(INT_MAX) + 1)
            return false;
    }
    if (Negative)
        V = -V;
    if (V < INT_MIN || V > INT_MAX)
        return false;
    Value = int(V);
    return true;
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
    const auto Waiting = fPendingIndex.constFind(ID);
    if (Waiting != fPendingIndex.constEnd()) {
        std::pair<QString, TStructItem *> &Entry = fPending[*Waiting];
        delete Entry.second;
        Entry.second = Item;
        return;
    }
    if (Index == fLines->Count()) {
        // In order (the common case of a file written sorted): append.
        fLines->AddObject(ID, Item);
        return;
    }
    fPendingIndex.insert(ID, fPending.size());
    fPending.emplace_back(ID, Item);
}

void TComponentStructure::MergePending() const
{
    if (fPending.empty())
        return;
    const TNamedObjectList &Order = *fLines;
    std::sort(fPending.begin(), fPending.end(), [&Order](const auto &A, const auto &B) {
        return Order.CompareStrings(A.first, B.first) < 0;
    });
    if (fPending.size() <= DirectInsertLimit) {
        for (const auto &Entry : fPending)
            fLines->AddObject(Entry.first, Entry.second);
    } else {
        // Merge two sorted runs into a new list; every entry lands past the
        // last one, so each add costs one comparison.
        auto Merged = std::make_unique<TNamedObjectList>();
        const int N = fLines->Count();
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
    fPending.clear();
    fPendingIndex.clear();
}

void TComponentStructure::DropPending()
{
    for (const auto &Entry : fPending)
        delete Entry.second;
    fPending.clear();
    fPendingIndex.clear();
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
    // Waiting lines never share an ID with a sorted line.
    return fLines->Count() + int(fPending.size());
}

void TComponentStructure::Clear()
{
    DropPending();
    fLines->Clear();
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
    return PropertyIDOf(SplitLineID(ID).PropertyID);
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
    MergePending();
    int Index;
    fLastFoundIndex = fLines->Find(LineID, Index) ? Index : -1;
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
    int Index;
    if (!Lines().Find(MakeLineID(CompName, OwnerName, PropertyType, Addr), Index))
        return QString();
    return LineItem(Index)->Translation;
}

QString TComponentStructure::GetString(int LineIndex, const TComponentStructure &ByStruct) const
{
    if (LineIndex >= ByStruct.Count())
        return QString();
    const QString &ID = ByStruct.Lines().Strings(LineIndex);
    int Index;
    if (!Lines().Find(ID, Index))
        return QString();
    return LineItem(Index)->Translation;
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
