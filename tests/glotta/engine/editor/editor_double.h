#pragma once
// The editor's data holder with a window made of plain lists: the rows the
// model sends, the values the "user" leaves in them, the selections a
// search makes. Engines created after InstallEditorDouble() get one; a test
// reaches it through EditorDouble(Engine).

#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/store/text_helpers.h"
#include "glotta/widgets/glotta_engine.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class TEditorDouble : public TLangCoreData
{
public:
    using TLangCoreData::TLangCoreData;

    struct TRow
    {
        QString Label;
        QString Value;
    };
    struct TSelection
    {
        int Row = -1, Start = -1, Len = -1;
        TEditorSearch Column = seItem;
        bool operator==(const TSelection &) const = default;
    };

    QList<TRow> Rows;
    std::optional<TSelection> Selected;
    // What "the user" does while the editor is shown; answers the language
    // to switch to.
    std::function<QString(TEditorDouble &, int)> Session;

    // The window's page loading: the grid is emptied, then filled.
    void LoadPage(const QString &ObjectName = QString())
    {
        Rows.clear();
        NewEditorPage(ObjectName, {QStringLiteral("Unknown")});
    }
    int RowOf(const QString &Label) const
    {
        for (int i = 0; i < Rows.size(); ++i)
            if (Rows[i].Label == Label)
                return i;
        qFatal("no row %s", qPrintable(Label));
    }
    void Type(const QString &Label, const QString &Value) { Rows[RowOf(Label)].Value = Value; }
    quint32 Color(const QString &Label)
    {
        const int Row = RowOf(Label);
        return GetItemColor(Row, ClientName(), Rows[Row].Value);
    }
    QStringList Labels() const
    {
        QStringList L;
        for (const TRow &R : Rows)
            L << R.Label;
        return L;
    }

    QString EditorExecute(int EMode) override
    {
        PrepareForEditor();
        fOpened = true;
        const QString Result = Session ? Session(*this, EMode) : QString();
        fOpened = false;
        ClearWorkData();
        return Result;
    }
    void AddEditorRow(const QString &PropertyName, const QString &Value) override { Rows.append({PropertyName, Value}); }
    QString GetEditorRow(int Row) const override
    {
        return Row >= 0 && Row < Rows.size() ? SingleLineText(Rows[Row].Value, true) : QString();
    }
    bool EditorOpened() const override { return fOpened; }
    void EditorSelect(int Row, int Start, int Len, TEditorSearch Column) override
    {
        Selected = TSelection{Row, Start, Len, Column};
    }

private:
    bool fOpened = false;
};

inline void InstallEditorDouble()
{
    TGlottaEngine::SetDataFactory([](TGlottaCore *Engine) -> TLangCoreData * { return new TEditorDouble(Engine); });
}

inline TEditorDouble &EditorDouble(const TGlottaCore *Engine)
{
    return *static_cast<TEditorDouble *>(Engine->LData());
}
