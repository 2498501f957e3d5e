#pragma once
// TComponentStructure: the table of translatable component properties, one
// line per property value keyed by its line ID
//   component name "@" owner name "#" property-type ID "[" item path
// with a translation, a descent word and a changeable word per line. Serves
// as a client's design structure, the engine's data structure and the
// editor's source and working structures.
//
// Lines stay sorted by line ID (case-sensitive; see TNamedObjectList) and an
// ID occurs at most once: adding a present ID overwrites that line.
//
// Building: a line whose ID sorts after the last line is appended at once; a
// line that would land in the middle waits in a small side batch that is
// sorted and merged in before the next operation that reads or changes lines
// by index. A structure of n lines is thus built in O(n log n) whatever the
// order of the IDs, while every index seen by a caller is an index of the
// fully sorted lines.
//
// Searching: by halving over the sorted lines; once a structure has been
// searched many times without its lines moving (the pattern of a language
// switch), an ID -> index hash answers instead, which touches far less memory
// than halving over 100,000 scattered texts. Appending a line keeps the hash;
// inserting, deleting or renaming drops it until searches pay for it again.

#include "glotta/store/glotta_store_export.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/named_object_list.h"
#include "glotta/store/struct_item.h"
#include "glotta/store/struct_lines.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

class GLOTTA_STORE_EXPORT TComponentStructure : public TObject
{
public:
    TComponentStructure(); // Create
    ~TComponentStructure() override;

    int Count() const;
    void Clear();
    void Assign(const TComponentStructure &Struct);
    // The descent step on every line.
    void NewLanguage();
    // Renames owner Current to New in every line ID; true when a line changed.
    bool SwitchLanguageOwner(const QString &Current, const QString &New);

    // Adding and changing lines.
    void AddLine(const TFullStructLine &InputData);
    void AddLine(const TSimpleStructLine &InputData);
    void AddTextProperty(const QString &ComponentName, const QString &OwnerName,
                         quint16 PropertyType, const QString &Input, const QString &Addr);
    void Copy(int Index, const TComponentStructure &From);
    void SetupLine(int LineIndex, const QString &Translation, quint16 Descent, quint16 Changeable);
    void SetupLineBy(int LineIndex, int SourceLine, const TComponentStructure &ByStruct, quint16 Mark);
    void DeleteLine(int Index);
    void SetTranslation(int Index, const QString &NewTranslation);
    void SetDescent(int Index, quint16 NewDescent);
    void SetChangeable(int Index, quint16 NewStatus);

    // Reading lines.
    QString LineID(int Index) const;
    TSimpleStructLine GetSimple(int Index) const;
    TFullStructLine GetFull(int Index) const;
    QString GetTranslation(int Index) const;
    quint16 GetDescent(int Index) const;
    quint16 GetChangeable(int Index) const;
    // Raises EConvertError when the property-type part is not a decimal number.
    quint16 GetPropertyID(int Index) const;
    QString GetComponentName(int Index) const;
    bool IsGlobal(int Index) const;
    bool ValidItem(int Index);
    QString GetPropertyName(int ItemIndex, const QStringList &LMAdditionNames) const;

    // Searching; every Find stores its answer in LastFoundIndex.
    int Find(const QString &LineID);
    int Find(const TFullStructLine &LineData);
    int Find(const QString &CompName, const QString &OwnerName, quint16 PropertyType, const QString &Addr);
    int Find(int LineIndex, const TComponentStructure &ByStruct);
    QString GetString(const QString &CompName, const QString &OwnerName, quint16 PropertyType,
                      const QString &Addr) const;
    QString GetString(int LineIndex, const TComponentStructure &ByStruct) const;

    int LastFoundIndex() const { return fLastFoundIndex; }
    // Translation of line LastFoundIndex; empty / ignored while it is negative.
    QString FoundItem() const;
    void SetFoundItem(const QString &Value);

    // The sorted lines (line ID as text, TStructItem as owned object).
    const TNamedObjectList &Lines() const;

    static QString MakeLineID(const QString &CompName, const QString &OwnerName, quint16 PropertyID,
                              const QString &ItemAddr);
    static QString MakeLineID(const TFullStructLine &InputData);

private:
    TStructItem *LineItem(int Index) const;
    void AddLineID(const QString &ID, TStructItem *Item);
    void MergePending() const;
    void DropPending();
    // Index of the line with ID, or -1.
    int Lookup(const QString &ID) const;
    void LinesMoved() const;

    // Mutable: merging the side batch changes no line a caller can see.
    mutable std::unique_ptr<TNamedObjectList> fLines;
    mutable std::vector<std::pair<QString, TStructItem *>> fPending;
    mutable QHash<QString, int> fIndexOfID;
    mutable bool fIndexValid = false;
    mutable int fSearchesSinceMove = 0;
    int fLastFoundIndex = 0;
};
