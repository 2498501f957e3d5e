#include "glotta/store/resources_list.h"

#include "toolkit/core/exception.h"
#include "glotta/store/text_helpers.h"
#include "toolkit/core/value_stream.h"

TResourceInfo::TResourceInfo(const QString &DesignStr, const QString &ResourceName, int UnitId, bool SetBlind)
    : UnitNr(UnitId & (UnitMask | BlindBit)), DesignForm(DesignStr), Name(ResourceName)
{
    if (SetBlind)
        UnitNr |= BlindBit;
}

void TResourceInfo::LinkFound(int InUnitId)
{
    if (Linked()) {
        // The count saturates: one more would carry into the blind bit.
        if (Repetity() < 1023)
            UnitNr += 1 << 10;
        return;
    }
    SetUnitId(InUnitId);
    UnitNr = (UnitNr & ~BlindBit) | LinkedBit;
}

bool TResourceInfo::LinkRemove()
{
    if (Repetity() > 0) {
        UnitNr -= 1 << 10;
        return false;
    }
    return true;
}

bool TResourceInfo::SameAs(const TResourceInfo &Other) const
{
    return DesignForm == Other.DesignForm && Name == Other.Name && UnitNr == Other.UnitNr;
}

int TResourcesList::Register(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName,
                             int UnitId, bool SetBlind)
{
    if (ResourceStr.isEmpty() || DesignStr.isEmpty())
        return -1;
    const int Index = Add(ResourceStr);
    ReplaceObject(Index, new TResourceInfo(DesignStr, ResourceName, UnitId, SetBlind));
    if ((UnitId & TResourceInfo::UnitMask) == 0)
        fUnsortedItemsExists = true;
    return Index;
}

int TResourcesList::RegisterKnown(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName,
                                  int UnitId)
{
    const int Index = AddResource(ResourceStr, DesignStr, ResourceName, UnitId);
    if (Index >= 0)
        GetResourceInfo(Index)->LinkFound(UnitId);
    return Index;
}

int TResourcesList::RegisterCustom(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName,
                                   int UnitId)
{
    return Register(ResourceStr, DesignStr, ResourceName, UnitId, true);
}

int TResourcesList::AddResource(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName,
                                int Flags)
{
    return Register(ResourceStr, DesignStr, ResourceName, Flags, false);
}

TResourceInfo *TResourcesList::GetResourceInfo(int ItemNr) const
{
    return static_cast<TResourceInfo *>(Objects(ItemNr));
}

QString TResourcesList::GetDesignString(int ItemNr) const
{
    return GetResourceInfo(ItemNr)->DesignForm;
}

void TResourcesList::SetDesignString(int ItemNr, const QString &DesignStr)
{
    GetResourceInfo(ItemNr)->DesignForm = DesignStr;
}

int TResourcesList::IndexByName(const QString &Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetResourceInfo(i)->Name == Name)
            return i;
    return -1;
}

QString TResourcesList::ReadResource(int Row, QString &ResourceStr, QString &DesignStr, int &UnitId) const
{
    if (Row < 0 || Row >= Count()) {
        ResourceStr.clear();
        DesignStr.clear();
        UnitId = -1;
        return QString();
    }
    const TResourceInfo *Info = GetResourceInfo(Row);
    ResourceStr = Strings(Row);
    DesignStr = Info->DesignForm;
    UnitId = Info->UnitId();
    return Info->Name;
}

bool TResourcesList::DifferDesignForm(const QString &ResourceStr) const
{
    return DifferDesignForm(IndexOf(ResourceStr));
}

bool TResourcesList::DifferDesignForm(int ResourceIndex) const
{
    if (ResourceIndex < 0 || ResourceIndex >= Count())
        return false;
    QString S = Strings(ResourceIndex);
    EncodeControlChars(S);
    return S != GetResourceInfo(ResourceIndex)->DesignForm;
}

bool TResourcesList::Equal(const TResourcesList &List) const
{
    if (Count() != List.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) != List.Strings(i) || !GetResourceInfo(i)->SameAs(*List.GetResourceInfo(i)))
            return false;
    return true;
}

void TResourcesList::Assign(const TResourcesList &Source)
{
    if (&Source == this)
        return;
    Clear();
    LibraryLangCode = Source.LibraryLangCode;
    for (int i = 0; i < Source.Count(); ++i) {
        const TResourceInfo *From = Source.GetResourceInfo(i);
        auto *Info = new TResourceInfo(From->DesignForm, From->Name, From->UnitNr, false);
        AddObject(Source.Strings(i), Info);
        if (Info->UnitId() == 0)
            fUnsortedItemsExists = true;
    }
}

void TResourcesList::Clear()
{
    TNamedObjectList::Clear();
    fUnsortedItemsExists = false;
    LibraryLangCode.clear();
}

void TResourcesList::WriteList(TValueWriter &Writer) const
{
    Writer.WriteListBegin();
    Writer.WriteString(QStringLiteral("1;") + LibraryLangCode);
    for (int i = 0; i < Count(); ++i) {
        const TResourceInfo *Info = GetResourceInfo(i);
        Writer.WriteString(Info->Name);
        Writer.WriteString(Strings(i));
        Writer.WriteString(Info->DesignForm);
        Writer.WriteInteger(Info->UnitNr);
    }
    Writer.WriteListEnd();
}

void TResourcesList::ReadList(TValueReader &Reader)
{
    Reader.ReadListBegin();
    if (!Reader.EndOfList()) {
        const QString Header = Reader.ReadString();
        const bool Legacy = Header.left(4) == QLatin1String("ANSI");
        if (!Legacy && !Header.startsWith(QLatin1Char('1')))
            throw EReadError(QStringLiteral("Glotta can not retrieve a list of resource strings!"));
        Clear();
        const qsizetype Semicolon = Header.indexOf(QLatin1Char(';'));
        LibraryLangCode = Semicolon < 0 ? QString() : Header.mid(Semicolon + 1, 2);
        while (!Reader.EndOfList()) {
            const QString Name = Reader.ReadString();
            if (Reader.EndOfList())
                break;
            QString Key = Reader.ReadString();
            if (Reader.EndOfList())
                break;
            QString Design = Reader.ReadString();
            if (Reader.EndOfList())
                break;
            const int Flags = Reader.ReadInteger();
            if (Legacy) {
                Key = DecodeTildeCodes(Key);
                Design = DecodeTildeCodes(Design);
            }
            AddResource(Key, Design, Name, Flags);
        }
    }
    Reader.ReadListEnd();
}

QString DecodeTildeCodes(const QString &S)
{
    QString R;
    R.reserve(S.size());
    const qsizetype Len = S.size();
    qsizetype i = 0;
    auto IsDigit = [&S](qsizetype k) { return S.at(k).unicode() >= '0' && S.at(k).unicode() <= '9'; };
    while (i < Len) {
        const QChar C = S.at(i);
        if (C != QLatin1Char('~') || i + 1 >= Len || !IsDigit(i + 1)) {
            R += C;
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        quint32 D = 0;
        while (j < Len && IsDigit(j)) {
            if (D <= 65535)
                D = D * 10 + (S.at(j).unicode() - '0');
            ++j;
        }
        if (D > 65535) {
            R += QStringView(S).mid(i, j - i); // unchanged; go on after the digits
            i = j;
            continue;
        }
        if (j < Len && S.at(j) == QLatin1Char(' '))
            ++j;
        R += QChar(char16_t(D % 256));
        i = j;
    }
    return R;
}
