#pragma once
// Runs the glotta tool in process, as the program would with these
// arguments, and keeps what it wrote.

#include "glotta/engine/exchange/catalog_language_file.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/component_structure.h"
#include "tools/glotta/glotta_tool.h"

#include <QMap>
#include <QString>
#include <QStringList>

struct TToolRun
{
    int Exit = -1;
    QString Out;
    QString Err;
};

inline TToolRun RunTool(const QStringList &Args)
{
    TToolRun R;
    QTextStream Out(&R.Out);
    QTextStream Err(&R.Err);
    TToolConsole Console(Out, Err, false);
    R.Exit = RunGlotta(Args, Console);
    Out.flush();
    Err.flush();
    return R;
}

inline QString SourcePath(const QString &Relative)
{
    return QStringLiteral(GLOTTA_SOURCE_DIR "/") + Relative;
}

inline QString ToolData(const QString &Relative)
{
    return QStringLiteral(TOOL_DATA "/") + Relative;
}

// Line ID -> text of every component line of a language file.
inline QMap<QString, QString> ComponentLines(const QString &File)
{
    QMap<QString, QString> Lines;
    QByteArray Bytes;
    TLanguageStores Stores;
    QString Error;
    if (!ReadLanguageFileBytes(File, Bytes) || !ReadLanguageStores(Bytes, Stores, Error))
        return Lines;
    for (int i = 0; i < Stores.Struct.Count(); ++i)
        Lines.insert(Stores.Struct.LineID(i), Stores.Struct.GetFull(i).Translation);
    return Lines;
}
