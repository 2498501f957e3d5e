// The editor window's import and export of exchange files.

#include "glotta/widgets/editor/language_manager.h"

#include "glotta/engine/glotta_core.h"
#include "glotta/store/text_helpers.h"
#include "glotta/engine/lang_core_data.h"
#include "toolkit/core/exception.h"
#include "toolkit/widgets/message_box.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace {
// The folder of the last import or export, for the whole process.
QString &ExchangeFolder()
{
    static QString Folder;
    return Folder;
}
} // namespace

QString TLanguageManager::DialogFilter(const QString &Description, const QString &Patterns)
{
    // "|" separates a filter's parts, so a lexicon text may not hold one;
    // Qt separates patterns by blanks.
    QString D = Description, P = Patterns;
    ReplaceChar(D, QLatin1Char('|'), QLatin1Char(';'));
    ReplaceChar(P, QLatin1Char(';'), QLatin1Char(' '));
    return D + QStringLiteral(" (") + P + QLatin1Char(')');
}

void TLanguageManager::ImportClick()
{
    const QString Ext = AsciiLowerCase(LData->Engine ? LData->Engine->LangFileExtension() : QString());
    QString All = QStringLiteral("*.llx;*") + Ext;
    if (Ext != QLatin1String(".lng"))
        All += QStringLiteral(";*.lng");
    if (Ext != QLatin1String(".txt"))
        All += QStringLiteral(";*.txt");
    const QString Filter = QStringList{DialogFilter(Lex(liLanguageFiles), All), DialogFilter(Lex(liExchangeFiles), QStringLiteral("*.llx")),
                                       DialogFilter(Lex(liLanguageFiles), QStringLiteral("*") + Ext),
                                       DialogFilter(Lex(liMobileLangFiles), QStringLiteral("*.lng")),
                                       DialogFilter(Lex(liTextFiles), QStringLiteral("*.txt"))}
                               .join(QStringLiteral(";;"));
    const QString File = ChooseOpenFile(this, Lex(liSelectImportFile), ExchangeFolder(), Filter);
    if (File.isEmpty())
        return;
    // The page and the group are stored, and the globals handed over,
    // before the import merges into the language data.
    const int Group = GroupCombo->currentIndex();
    GroupCombo->setCurrentIndex(-1);
    GroupChanged();
    LData->StoreNewGlobals();
    ExchangeFolder() = QFileInfo(File).absolutePath();
    try {
        const int Count = LData->Engine ? LData->Engine->ImportFromFile(File, true) : 0;
        QString Text = Lex(liImportedCount);
        Text.replace(QLatin1String("%s"), QString::number(Count));
        MessageBox(Text, windowTitle(), MB_ICONINFORMATION);
        if (Count > 0) {
            LangModify = true;
            ShowFlag();
        }
    } catch (const EImportExport &E) {
        MessageBox(E.Message(), windowTitle(), MB_ICONWARNING);
    } catch (const std::exception &) {
        Fail(liCannotImport, MB_ICONERROR);
    }
    LData->LoadNewWorkGlobals();
    if (ISOCombo->currentText().isEmpty() && LData->Engine)
        ISOCombo->setEditText(LData->Engine->CurrentLanguageISO());
    if (Group >= 0) {
        GroupCombo->setCurrentIndex(Group);
        GroupChanged();
    }
}

void TLanguageManager::ExportClick()
{
    const QString Filter = DialogFilter(Lex(liExchangeFiles), QStringLiteral("*.llx")) + QStringLiteral(";;")
                           + DialogFilter(Lex(liTextFiles), QStringLiteral("*.txt"));
    const QString Folder = ExchangeFolder().isEmpty() ? LData->LangsDir() : ExchangeFolder();
    const QString Base = QFileInfo(SaveFileName()).completeBaseName();
    const QString Suggested = Base.isEmpty() ? Folder : QDir(Folder).filePath(Base);
    QString File = ChooseSaveFile(this, Lex(liExportLanguage), Suggested, Filter);
    if (File.isEmpty() || QFileInfo(File).fileName().isEmpty())
        return;
    ExchangeFolder() = QFileInfo(File).absolutePath();
    // A name without a three-letter extension becomes an exchange file.
    if (QFileInfo(File).suffix().size() != 3)
        File += QStringLiteral(".llx");
    LData->StoreChanges();
    LData->StoreNewGlobals();
    try {
        LData->ExportLanguage(File, LData->EditorLang, ISOCombo->currentText());
    } catch (const Exception &E) {
        Fail(liSaveFailed, MB_ICONERROR, E.Message());
    } catch (const std::exception &) {
        Fail(liSaveFailed, MB_ICONERROR);
    }
    EnableEditEvent = true;
}

