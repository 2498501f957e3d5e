#include "glotta/widgets/editor/language_manager.h"
#include "glotta/engine/engine_log.h"

#include "glotta/engine/lang_core_data.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/iso639.h"
#include "glotta/store/language_names.h"
#include "glotta/store/text_helpers.h"
#include "glotta/widgets/editor/lang_file_save.h"
#include "glotta/widgets/editor/lang_grid.h"
#include "glotta/widgets/flag_picture.h"
#include "toolkit/widgets/class_registry.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/message_box.h"
#include "toolkit/widgets/picture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QShortcut>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {
const char EditorDesign[] = ":/designs/language_manager.json";

void RegisterEditorClasses()
{
    static bool Done = false;
    if (Done)
        return;
    Done = true;
    TClassRegistry::Register({QStringLiteral("TLanguageManager"), &TLanguageManager::staticMetaObject,
                              QStringLiteral("TForm"),
                              [](QObject *Parent) { return new TLanguageManager(qobject_cast<QWidget *>(Parent)); },
                              {}, {}});
    TClassRegistry::Register({QStringLiteral("TLangGrid"), &TLangGrid::staticMetaObject, QStringLiteral("QWidget"),
                              [](QObject *Parent) { return new TLangGrid(qobject_cast<QWidget *>(Parent)); }, {},
                              {}});
}

template<typename T>
T *Control(QObject *Form, const char *Name)
{
    T *C = Form->findChild<T *>(QLatin1String(Name));
    if (!C)
        throw EDesignError(QStringLiteral("%1: the editor's design lacks %2")
                               .arg(QLatin1String(EditorDesign), QLatin1String(Name)));
    return C;
}

QString DefaultChooseSaveFile(QWidget *Parent, const QString &Title, const QString &Dir, const QString &Filter)
{
    return QFileDialog::getSaveFileName(Parent, Title, Dir, Filter);
}

} // namespace

std::function<QString(QWidget *, const QString &, const QString &, const QString &)>
    TLanguageManager::ChooseSaveFile = DefaultChooseSaveFile;
std::function<QString(QWidget *, const QString &, const QString &, const QString &)>
    TLanguageManager::ChooseOpenFile = [](QWidget *Parent, const QString &Title, const QString &Dir,
                                          const QString &Filter) {
        return QFileDialog::getOpenFileName(Parent, Title, Dir, Filter);
    };
std::function<QString(QWidget *, const QString &)> TLanguageManager::ChoosePictureFile =
    [](QWidget *Parent, const QString &Title) {
        return QFileDialog::getOpenFileName(Parent, Title, QString(),
                                            QStringLiteral("*.bmp *.png *.ico *.jpg *.gif *.xpm"));
    };

TLanguageManager::TLanguageManager(QWidget *Parent) : TForm(Parent)
{
    PublishMethod(QStringLiteral("FormCreate"), &TLanguageManager::FormCreate);
}

TLanguageManager::~TLanguageManager() = default;

QString TLanguageManager::Lex(TLibraryItem Item) const
{
    return LData ? LData->EditorLex[size_t(Item)] : QString();
}

void TLanguageManager::Fail(TLibraryItem Item, quint32 Flags, const QString &Detail)
{
    MessageBox(Detail.isEmpty() ? Lex(Item) : Lex(Item) + QLatin1Char('\n') + Detail, windowTitle(), Flags);
}

TLanguageManager *TLanguageManager::Create(TLangCoreData *Data, bool EditMode, const QString &About)
{
    Q_INIT_RESOURCE(editor);
    RegisterEditorClasses();
    auto *W = new TLanguageManager;
    W->LData = Data;
    W->EditMode = EditMode;
    try {
        ReadDesign(W, QLatin1String(EditorDesign));
        W->FormCreate(W);
    } catch (const std::exception &E) {
        qCWarning(lcGlottaEditor).noquote() << QStringLiteral("editor window not opened: %1").arg(QString::fromLocal8Bit(E.what()));
        delete W;
        throw;
    }

    // The state before a language is chosen.
    W->CopyPanel->setText(About);
    W->CopyPanel->setVisible(!(Data->Engine && Data->Engine->HideCopyright()));
    W->ISOCombo->hide();
    W->ISOTitle->hide();
    W->LangCombo->addItems((EditMode ? Data->EditableLangs : Data->Languages).ToStringList());
    W->LangCombo->setCurrentIndex(-1);
    W->ISOCombo->setCurrentIndex(-1);
    W->ISOCombo->setEditText(QString());
    W->LangEdit->clear();
    W->LangEdit->hide();
    W->setWindowTitle(W->Lex(liEditorTitle));
    W->LLanguage->setText(W->Lex(EditMode ? liLanguage : liChooseSourceLanguage) + QLatin1Char(':'));
    W->LRefLangLabel->setText(W->Lex(liSourceLanguage) + QStringLiteral(" :"));
    W->LRefTextLabel->setText(W->Lex(liSourceString) + QStringLiteral(" :"));
    W->LRefLang->clear();
    W->LRefText->clear();
    W->PlaceReferenceLabels();
    W->LangFilesPanel->setEnabled(false);
    W->LangListEditor->setHorizontalHeaderLabels({W->Lex(liPropertyColumn), W->Lex(liTranslationColumn)});
    W->LGroup->setText(W->Lex(liGroup) + QLatin1Char(':'));
    W->LObject->setText(W->Lex(liObject) + QLatin1Char(':'));
    W->AddLangButton->setToolTip(W->Lex(liCreateNewLanguage));
    W->GroupCombo->setToolTip(W->Lex(liGroupHint));
    W->ILeft->setToolTip(W->Lex(liPreviousUntranslated));
    W->IRight->setToolTip(W->Lex(liNextUntranslated));
    W->FlagImage->setToolTip(W->Lex(liFlagHint));
    W->FinishBtn->setText(W->Lex(liSave));
    W->ImportBtn->setToolTip(W->Lex(liImport));
    W->ExportBtn->setToolTip(W->Lex(liExportLanguage));
    W->FitBtn->setToolTip(W->Lex(liTooLongList));
    W->ToDoCheck->setText(W->Lex(liToDoFilter));
    W->SuggestList->setToolTip(W->Lex(liSuggestions));
    W->LItem->setText(QStringLiteral("-/-"));
    connect(W->LangCombo, &QComboBox::activated, W, &TLanguageManager::LanguageChosen);
    return W;
}

void TLanguageManager::PlaceReferenceLabels()
{
    // The texts follow their captions, whatever length the language gives those.
    LRefLangLabel->adjustSize();
    LRefTextLabel->adjustSize();
    LRefLang->move(LRefLangLabel->geometry().right() + 7, LRefLang->y());
    SourceIcon->setGeometry(LRefTextLabel->geometry().right() + 7, LRefText->y() + 2, 7, LRefText->height() - 2);
    const int Left = SourceIcon->geometry().right() + 5;
    LRefText->setGeometry(Left, LRefText->y(), qMax(0, LRefText->parentWidget()->width() - 7 - Left),
                          LRefText->height());
}

void TLanguageManager::FormCreate(QObject *)
{
    ImgPan = Control<QWidget>(this, "ImgPan");
    LangFilesPanel = Control<QWidget>(this, "LangFilesPanel");
    LLanguage = Control<QLabel>(this, "LLanguage");
    ISOTitle = Control<QLabel>(this, "ISOTitle");
    FlagImage = Control<QLabel>(this, "FlagImage");
    LRefLangLabel = Control<QLabel>(this, "LRefLangLabel");
    LRefLang = Control<QLabel>(this, "LRefLang");
    LRefTextLabel = Control<QLabel>(this, "LRefTextLabel");
    LRefText = Control<QLabel>(this, "LRefText");
    SourceIcon = Control<QLabel>(this, "SourceIcon");
    LGroup = Control<QLabel>(this, "LGroup");
    ConGlobalIcon = Control<QLabel>(this, "ConGlobalIcon");
    LObject = Control<QLabel>(this, "LObject");
    LItem = Control<QLabel>(this, "LItem");
    CopyPanel = Control<QLabel>(this, "CopyPanel");
    LProgress = Control<QLabel>(this, "LProgress");
    LangCombo = Control<QComboBox>(this, "LangCombo");
    ISOCombo = Control<QComboBox>(this, "ISOCombo");
    GroupCombo = Control<QComboBox>(this, "GroupCombo");
    ObjectCombo = Control<QComboBox>(this, "ObjectCombo");
    LangEdit = Control<QLineEdit>(this, "LangEdit");
    FindEdit = Control<QLineEdit>(this, "FindEdit");
    AddLangButton = Control<QPushButton>(this, "AddLangButton");
    FinishBtn = Control<QPushButton>(this, "FinishBtn");
    ImportBtn = Control<QPushButton>(this, "ImportBtn");
    ExportBtn = Control<QPushButton>(this, "ExportBtn");
    FindBtn = Control<QPushButton>(this, "FindBtn");
    ILeft = Control<QPushButton>(this, "ILeft");
    IRight = Control<QPushButton>(this, "IRight");
    FitBtn = Control<QPushButton>(this, "FitBtn");
    ToDoCheck = Control<QCheckBox>(this, "ToDoCheck");
    SuggestList = Control<QListWidget>(this, "SuggestList");
    LangListEditor = Control<TLangGrid>(this, "LangListEditor");

    // The left panel keeps its dark blue whatever the style; its labels are sky blue.
    ImgPan->setAutoFillBackground(true);
    QPalette Dark = ImgPan->palette();
    Dark.setColor(QPalette::Window, QColor(0x00, 0x35, 0x6B));
    Dark.setColor(QPalette::WindowText, QColor(0x87, 0xCE, 0xEB));
    ImgPan->setPalette(Dark);
    LLanguage->setPalette(Dark);
    LProgress->setPalette(Dark);
    ToDoCheck->setPalette(Dark);
    LProgress->setWordWrap(true);
    LProgress->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ISOTitle->setPalette(Dark);
    ISOCombo->setEditable(true);
    ISOCombo->lineEdit()->setMaxLength(2);
    ISOCombo->setMaxVisibleItems(20);
    for (int i = 0; i < ISO639LanguagesCount; ++i)
        ISOCombo->addItem(ISO639Language(i));
    ObjectCombo->setMaxVisibleItems(64);
    FindBtn->setDefault(true);
    setMinimumSize(574, 274);

    LangListEditor->RowColor = [this](int Row) {
        return LData->GetItemColor(Row, GroupCombo->currentText(), SingleLineText(LangListEditor->Value(Row), false));
    };
    LangListEditor->ColorHint = [this](quint32 Color) { return LData->GetColorHint(Color); };
    LangListEditor->ValueProblem = [this](int Row) { return RowProblem(Row); };
    connect(LangEdit, &QLineEdit::textChanged, this, &TLanguageManager::LangEditChange);
    connect(ISOCombo, &QComboBox::activated, this, &TLanguageManager::ISOComboSelect);
    connect(AddLangButton, &QPushButton::clicked, this, &TLanguageManager::CreateLanguageClick);
    connect(ObjectCombo, &QComboBox::activated, this, &TLanguageManager::ObjectComboChange);
    connect(FinishBtn, &QPushButton::clicked, this, &TLanguageManager::FinishBtnClick);
    connect(FindBtn, &QPushButton::clicked, this, &TLanguageManager::FindBtnClick);
    connect(FindEdit, &QLineEdit::returnPressed, this, &TLanguageManager::FindBtnClick);
    connect(IRight, &QPushButton::clicked, this,
            [this] { NextPage(QApplication::keyboardModifiers() & Qt::ShiftModifier); });
    connect(ILeft, &QPushButton::clicked, this,
            [this] { PreviousPage(QApplication::keyboardModifiers() & Qt::ShiftModifier); });
    connect(LangListEditor, &TLangGrid::KeyCellClicked, this, [this](int Row) { ToggleItemStatus(Row + 1); });
    connect(LangListEditor, &QTableWidget::currentCellChanged, this,
            [this](int Row) { SelectRow(Row + 1); });
    connect(LangListEditor, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *Item) {
        if (Item->column() == 1)
            ValueChanged();
    });
    LangListEditor->installEventFilter(this);
    FlagImage->installEventFilter(this);
    connect(ImportBtn, &QPushButton::clicked, this, &TLanguageManager::ImportClick);
    connect(ExportBtn, &QPushButton::clicked, this, &TLanguageManager::ExportClick);
    connect(FitBtn, &QPushButton::clicked, this, &TLanguageManager::FitBtnClick);
    connect(ToDoCheck, &QCheckBox::toggled, this, &TLanguageManager::ApplyToDoFilter);
    connect(SuggestList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *Item) { TakeSuggestion(SuggestList->row(Item)); });
    // One key to the next row to do, and one to take a suggestion, wherever
    // the focus is in the window (the value being typed included).
    auto *Next = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(Next, &QShortcut::activated, this, &TLanguageManager::NextToDo);
    for (int i = 0; i < 9; ++i) {
        auto *Take = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)), this);
        connect(Take, &QShortcut::activated, this, [this, i] { TakeSuggestion(i); });
    }
}

bool TLanguageManager::Execute()
{
    fAccepted = false;
    setWindowModality(Qt::ApplicationModal);
    show();
    FormShow();
    if (isVisible())
        fLoop.exec();
    return fAccepted;
}

void TLanguageManager::FormShow()
{
    LastNameFromISO.clear();
    LangModify = false;
    EnableEditEvent = false;
    SameLocStr.Clear();
    if (LangCombo->count() == 1) {
        LangCombo->setCurrentIndex(0);
        LanguageChosen();
    }
}

QString TLanguageManager::SaveFileName() const
{
    if (EditMode)
        return LData->GetFile(LData->Languages.IndexOf(LData->EditorLang));
    return LData->LangsDir() + NewLangFile;
}

void TLanguageManager::LanguageChosen()
{
    const QString Name = LangCombo->currentText();
    if (Name.isEmpty())
        return;
    ISOTitle->show();
    ISOCombo->show();
    if (EditMode) {
        if (!LData->EditorAction(TEditorActions::eaLoadLangForEdit, Name)) {
            Fail(liReadError, MB_ICONERROR);
            LangCombo->setCurrentIndex(-1);
            close();
            return;
        }
        ISOCombo->setEditText(LData->Engine ? LData->Engine->CurrentLanguageISO() : QString());
        disconnect(LangCombo, &QComboBox::activated, this, &TLanguageManager::LanguageChosen);
        LangCombo->setEnabled(false);
        if (ListGroups(Name)) {
            LData->WorkGlobalLexicon->AssignGlobals(*LData->SmartLexicon);
            ShowLanguageData();
        }
        return;
    }
    if (!LData->EditorAction(TEditorActions::eaLoadLangForCreate, Name)) {
        Fail(liReadError, MB_ICONERROR);
        LangCombo->setCurrentIndex(-1);
        return;
    }
    LLanguage->setText(Lex(liNewLanguageName) + QLatin1Char(':'));
    LData->NewLanguage();
    LData->CompleteSourceData();
    LangCombo->hide();
    LangEdit->show();
    LangEdit->setFocus();
}

void TLanguageManager::LangEditChange()
{
    AddLangButton->setVisible(LangEdit->isVisible() && LangEdit->text().size() > 2);
}

void TLanguageManager::ISOComboSelect()
{
    if (EditMode || (!LangEdit->text().isEmpty() && LangEdit->text() != LastNameFromISO))
        return;
    const int Index = ISOCombo->currentIndex();
    if (!ISOCombo->isEnabled() || Index < 0)
        return;
    LastNameFromISO = ExtractISOName(ISOCombo->itemText(Index));
    LangEdit->setText(LastNameFromISO);
    LangEditChange();
}

void TLanguageManager::CreateLanguageClick()
{
    const QString Name = LangEdit->text();
    if (Name.isEmpty())
        return;
    if (LData->Languages.IndexOf(Name) >= 0) {
        MessageBox(Name + QLatin1Char(' ') + Lex(liNameExists), windowTitle(), MB_ICONWARNING);
        return;
    }
    QString Ext = LData->Engine ? LData->Engine->LangFileExtension() : QString();
    Ext = AsciiLowerCase(Ext);
    const QString Chosen =
        ChooseSaveFile(this, Lex(liNewLanguageFileName), LData->LangsDir(), DialogFilter(Lex(liLanguageFiles), QStringLiteral("*") + Ext));
    if (Chosen.isEmpty()) {
        close();
        return;
    }
    // Only the name counts: the file always goes into the language
    // directory, with the language-file extension.
    const QString Path = LangFileSavePath(LData->LangsDir(), QFileInfo(Chosen).completeBaseName(), Ext);
    NewLangFile = QFileInfo(Path).fileName();
    if (NewLangFile.isEmpty())
        return;
    LLanguage->setText(Lex(liLanguage) + QLatin1Char(':'));
    LangEdit->setEnabled(false);
    if (ListGroups(Name)) {
        LData->EditorAction(TEditorActions::eaCreateLang, QString());
        ShowLanguageData();
    }
    LangModify = true;
}

bool TLanguageManager::ListGroups(const QString &Name)
{
    LData->EditorLang = Name;
    LData->EditorISO = ISOCombo->currentText();
    QStringList Groups;
    if (!LData->LoadGroups(Groups))
        return false;
    GroupCombo->addItems(Groups);
    return true;
}

void TLanguageManager::ShowLanguageData()
{
    AddLangButton->hide();
    LangFilesPanel->setEnabled(true);
    ISOCombo->setEnabled(ISOCombo->currentText().isEmpty());
    FinishBtn->show();
    LangListEditor->setEnabled(true);
    const TLangIDs &Reference = LData->CurrentSuperiorLang;
    LRefLang->setText(Reference.Code.isEmpty() ? Reference.Name
                                               : Reference.Name + QStringLiteral(" (") + Reference.Code + QLatin1Char(')'));
    connect(GroupCombo, &QComboBox::activated, this, &TLanguageManager::GroupChanged, Qt::UniqueConnection);
    if (GroupCombo->count() > 0) {
        GroupCombo->setCurrentIndex(0);
        GroupChanged();
    }
    ShowFlag();
    FlagImage->show();
    ImportBtn->show();
    ExportBtn->show();
    FitBtn->show();
    ToDoCheck->show();
    SuggestList->show();
}

void TLanguageManager::ShowFlag()
{
    // Without a flag of its own the language shows a white field.
    QPixmap Flag;
    if (HasFlagIcon())
        Flag.loadFromData(FlagIconData().data());
    if (Flag.isNull()) {
        Flag = QPixmap(FlagSize, FlagSize);
        Flag.fill(Qt::white);
    }
    FlagImage->setPixmap(Flag);
}

void TLanguageManager::FlagImageMouseDown(Qt::MouseButton Button)
{
    if (Button == Qt::LeftButton) {
        // The picture is fitted into the flag square on white and kept as
        // the bitmap a language file carries.
        QFile File(ChoosePictureFile(this, Lex(liImportFlag)));
        TPicture Picture;
        if (File.fileName().isEmpty() || !File.open(QIODevice::ReadOnly) || !Picture.LoadFromBytes(File.readAll()))
            return;
        NormalizeFlagPicture(Picture);
        const QByteArray Bytes = FlagBytes(Picture);
        if (Bytes.isEmpty())
            return;
        SetFlagIcon(Bytes);
    } else {
        if (MessageBox(Lex(liRemoveFlag), windowTitle(), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        ClearFlagIcon();
    }
    ShowFlag();
    LangModify = true;
}

void TLanguageManager::FinishBtnClick()
{
    // A failing check does not stop the saving; the translator hears how
    // many rows still fail.
    if (const int Failing = LData->FailingRows(); Failing > 0)
        MessageBox(Lex(liChecksRemain).replace(QLatin1String("%s"), QString::number(Failing)), windowTitle(),
                   MB_ICONINFORMATION);
    LangModify = false;
    fAccepted = true;
    close();
}

void TLanguageManager::resizeEvent(QResizeEvent *Event)
{
    TForm::resizeEvent(Event);
    if (LRefText)
        PlaceReferenceLabels();
}

void TLanguageManager::closeEvent(QCloseEvent *Event)
{
    if (LangModify && MessageBox(Lex(liCloseWithoutSaving), windowTitle(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        Event->ignore();
        return;
    }
    Event->accept();
    fLoop.quit();
}

