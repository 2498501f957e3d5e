#pragma once
// The registered resource strings of the resource-string translator: the
// string's current text is the key, a TResourceInfo records its design form,
// identifier name and flag word. Stored with the translator as "Resources".

#include "glotta/store/glotta_store_export.h"
#include "glotta/store/named_object_list.h"

#include <QString>

class TValueReader;
class TValueWriter;

// The flag word UnitNr: bits 0-9 unit, 10-19 repeated links, bit 20 blind
// (registered without a known place), bit 21 linked.
class GLOTTA_STORE_EXPORT TResourceInfo : public TObject
{
public:
    static constexpr int UnitMask = 1023;
    static constexpr int RepetityMask = 1023 << 10;
    static constexpr int BlindBit = 1 << 20;
    static constexpr int LinkedBit = 1 << 21;

    // Keeps the unit and blind bit of UnitId (UnitId AND 1049599); SetBlind
    // sets the blind bit in addition.
    TResourceInfo(const QString &DesignStr, const QString &ResourceName, int UnitId, bool SetBlind);

    int UnitNr = 0;
    QString DesignForm; // one-line form
    QString Name;

    int UnitId() const { return UnitNr & UnitMask; }
    void SetUnitId(int Value) { UnitNr = (UnitNr & ~UnitMask) | (Value & UnitMask); }
    int Repetity() const { return (UnitNr & RepetityMask) >> 10; }
    bool Blind() const { return UnitNr & BlindBit; }
    bool Linked() const { return UnitNr & LinkedBit; }
    int GetFlags() const { return UnitNr; }

    // Linked: one more repetition; otherwise links to InUnitId (not blind).
    void LinkFound(int InUnitId);
    // One repetition less (false), or true when the last link is gone.
    bool LinkRemove();
    bool SameAs(const TResourceInfo &Other) const;
};

class GLOTTA_STORE_EXPORT TResourcesList : public TNamedObjectList
{
public:
    QString LibraryLangCode;

    bool UnsortedItemsExists() const { return fUnsortedItemsExists; }

    int RegisterKnown(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName, int UnitId);
    int RegisterCustom(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName, int UnitId);
    int AddResource(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName, int Flags);

    // EListError for an index outside the entries.
    TResourceInfo *GetResourceInfo(int ItemNr) const;
    QString GetDesignString(int ItemNr) const;
    void SetDesignString(int ItemNr, const QString &DesignStr);

    int IndexByName(const QString &Name) const;
    // The entry's key, design form and unit, and as result its name; empty
    // texts and UnitId -1 for a row outside the entries.
    QString ReadResource(int Row, QString &ResourceStr, QString &DesignStr, int &UnitId) const;
    bool DifferDesignForm(const QString &ResourceStr) const;
    bool DifferDesignForm(int ResourceIndex) const;
    bool Equal(const TResourcesList &List) const;
    void Assign(const TResourcesList &Source);
    void Clear();

    // Stored form: a list of the header "1;" + LibraryLangCode and, per
    // entry, name, key, design form and flag word. Reading also accepts the
    // legacy header "ANSI..." (texts with "~nnn" codes); any other header
    // raises EReadError "Glotta can not retrieve a list of resource strings!".
    void ReadList(TValueReader &Reader);
    void WriteList(TValueWriter &Writer) const;

private:
    int Register(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName, int UnitId,
                 bool SetBlind);
    bool fUnsortedItemsExists = false;
};

// Legacy character codes: "~" digits and an optional space stand for the
// character (digits modulo 256) when the number is at most 65535.
GLOTTA_STORE_EXPORT QString DecodeTildeCodes(const QString &S);
