#pragma once
// TStringList: the toolkit's string list. By default it keeps insertion order,
// allows duplicates, does not own its objects and looks texts up
// case-insensitively by the user locale's collation (first match).
// Sorted lists (see TNamedObjectList in the store) switch on Sorted and
// Duplicates and override CompareStrings.

#include "toolkit/core/toolkit_core_export.h"
#include "toolkit/core/object.h"

#include <QString>
#include <QStringList>
#include <vector>

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TOOLKIT_CORE_EXPORT TStringList
{
public:
    TStringList();
    TStringList(const TStringList &) = delete;
    TStringList &operator=(const TStringList &) = delete;
    virtual ~TStringList();

    int Count() const { return int(fItems.size()); }
    // Room for NewCapacity strings without growing (never less than Count).
    void SetCapacity(int NewCapacity) { fItems.reserve(size_t(qMax(NewCapacity, Count()))); }
    const QString &Strings(int Index) const;
    void Put(int Index, const QString &S);
    TObject *Objects(int Index) const;
    void PutObject(int Index, TObject *Obj);

    int Add(const QString &S) { return AddObject(S, nullptr); }
    virtual int AddObject(const QString &S, TObject *Obj);
    void Insert(int Index, const QString &S, TObject *Obj = nullptr);
    void Delete(int Index);
    void Clear();
    void Exchange(int Index1, int Index2);

    virtual int IndexOf(const QString &S) const;
    int IndexOfObject(const TObject *Obj) const;
    // Search by halving over a sorted list: true when S is present; Index is
    // where it is or would be inserted. On an unsorted list it scans.
    bool Find(const QString &S, int &Index) const;

    // name=value access
    QChar NameValueSeparator() const { return fNameValueSeparator; }
    void SetNameValueSeparator(QChar C) { fNameValueSeparator = C; }
    QString Names(int Index) const;
    QString ValueFromIndex(int Index) const;
    QString Values(const QString &Name) const;
    void SetValue(const QString &Name, const QString &Value);
    virtual int IndexOfName(const QString &Name) const;

    bool Sorted() const { return fSorted; }
    void SetSorted(bool Value);
    void Sort();
    TDuplicates Duplicates() const { return fDuplicates; }
    void SetDuplicates(TDuplicates Value) { fDuplicates = Value; }
    bool CaseSensitive() const { return fCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool OwnsObjects() const { return fOwnsObjects; }
    void SetOwnsObjects(bool Value) { fOwnsObjects = Value; }

    // Texts joined with line breaks / split at line breaks (CR, LF or CRLF).
    QString Text() const;
    void SetText(const QString &Value);
    QStringList ToStringList() const;
    void SetStrings(const QStringList &Values);
    // Copies texts and object links; an owning list copies texts only, so no
    // object ever has two owners.
    void AddStrings(const TStringList &Source);
    void Assign(const TStringList &Source);

    // Grows whenever a text is added, removed, replaced or moved, so a
    // derived index can tell whether it still describes the list.
    quint64 ChangeCount() const { return fChangeCount; }

    // The order and equality of texts: negative, zero or positive.
    virtual int CompareStrings(const QString &S1, const QString &S2) const;

protected:
    void CheckIndex(int Index) const;
    void InsertItem(int Index, const QString &S, TObject *Obj);

private:
    struct TItem
    {
        QString Text;
        TObject *Object;
    };
    std::vector<TItem> fItems;
    bool fSorted = false;
    bool fCaseSensitive = false;
    bool fOwnsObjects = false;
    TDuplicates fDuplicates = TDuplicates::dupAccept;
    QChar fNameValueSeparator = QLatin1Char('=');
    quint64 fChangeCount = 0;
};

// Compares by the user locale's collation, with or without letter case.
TOOLKIT_CORE_EXPORT int LocaleCompare(const QString &S1, const QString &S2, bool CaseSensitive);
