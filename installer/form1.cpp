#include "installer/form1.h"
#include "installer/platform/installer_log.h"

#include "toolkit/widgets/class_registry.h"
#include "toolkit/widgets/design.h"
#include "glotta/widgets/glotta_classes.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"
#include "glotta/engine/lexicon.h"
#include "toolkit/widgets/message_box.h"
#include "toolkit/widgets/status_bar.h"
#include "installer/install_log.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

void RegisterInstallerClasses()
{
    static bool Done = false;
    if (Done)
        return;
    Done = true;
    RegisterGlottaClasses();
    TClassRegistry::Register({QStringLiteral("TForm1"), &TForm1::staticMetaObject, QStringLiteral("TForm"),
                              [](QObject *Parent) { return new TForm1(qobject_cast<QWidget *>(Parent)); },
                              PublishedProperties(&TForm1::staticMetaObject), {}});
}

TForm1::TForm1(QWidget *Parent) : TForm(Parent)
{
    PublishMethod(QStringLiteral("FormCreate"), &TForm1::FormCreate);
    PublishMethod(QStringLiteral("GlottaEngine1ChangeLanguage"), &TForm1::GlottaEngine1ChangeLanguage);
    PublishMethod(QStringLiteral("konecbClick"), &TForm1::konecbClick);
    PublishMethod(QStringLiteral("zrusitbClick"), &TForm1::zrusitbClick);
    PublishMethod(QStringLiteral("pokracovatbClick"), &TForm1::pokracovatbClick);
    PublishMethod(QStringLiteral("instalovat1bClick"), &TForm1::instalovat1bClick);
    PublishMethod(QStringLiteral("instalovat2bClick"), &TForm1::instalovat2bClick);
    PublishMethod(QStringLiteral("instalovat3bClick"), &TForm1::instalovat3bClick);
}

TForm1::~TForm1() = default;

TForm1 *TForm1::Create(TPlatform *Platform, const QString &ProgramDir)
{
    // The designs and built-in languages live in a static library's resources.
    Q_INIT_RESOURCE(resources);
    RegisterInstallerClasses();
    auto *Form = new TForm1;
    Form->fPlatform = Platform;
    Form->fProgramDir = ProgramDir.isEmpty() ? QCoreApplication::applicationDirPath() : ProgramDir;
    try {
        ReadDesign(Form, QStringLiteral(":/designs/form1.json"));
    } catch (const std::exception &E) {
        qCWarning(lcInstaller()).noquote() << QStringLiteral("installer window not created: %1").arg(QString::fromLocal8Bit(E.what()));
        delete Form;
        throw;
    }
    return Form;
}

void TForm1::Loaded()
{
    BindControls();
    SetMinimumToContent();
    TForm::Loaded();
}

void TForm1::SetMinimumToContent()
{
    // The controls between the description at the top and the bars at the
    // bottom keep their designed places; the window may not shrink below
    // them, or the bars would slide over the last rows.
    constexpr int Margin = 8;
    int Right = 0, Bottom = 0;
    for (QWidget *W : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (W->isWindow() || W == Memo1 || W == pb1 || W == sb1)
            continue;
        Right = qMax(Right, W->geometry().right() + 1);
        Bottom = qMax(Bottom, W->geometry().bottom() + 1);
    }
    setMinimumSize(Right + Margin, Bottom + Margin + pb1->height() + sb1->height());
}

void TForm1::BindControls()
{
    // Found by name, as the design created them.
    auto Find = [this](auto *&Field, const char *Name) {
        Field = qobject_cast<std::remove_reference_t<decltype(Field)>>(FindComponent(this, QString::fromLatin1(Name)));
        if (!Field)
            throw EDesignError(QStringLiteral(":/designs/form1.json: the window has no %1").arg(QString::fromLatin1(Name)));
    };
    Find(Memo1, "Memo1");
    Find(Memo2, "Memo2");
    Find(pokracovatb, "pokracovatb");
    Find(instalovat1b, "instalovat1b");
    Find(instalovat2b, "instalovat2b");
    Find(instalovat3b, "instalovat3b");
    Find(zrusitb, "zrusitb");
    Find(konecb, "konecb");
    Find(Label1, "Label1");
    Find(Label2, "Label2");
    Find(Label3, "Label3");
    Find(Label4, "Label4");
    Find(pb1, "pb1");
    Find(sb1, "sb1");
    Find(LangCombo1, "LangCombo1");
    Find(GlottaEngine1, "GlottaEngine1");
    Find(GlottaClient1, "GlottaClient1");
    Find(Lexicon1, "Lexicon1");
}

QString TForm1::Msg(TForm1Message Item) const
{
    return Lexicon1->GetItem(Item);
}

void TForm1::ErrorBox(const QString &Text, const QString &Caption)
{
    if (fClosing)
        return;
    // Whoever reads the box can find the details in the log.
    const QString Shown = fLog && fLog->IsOpen()
                            ? Text + QStringLiteral("\n\n") + Msg(fmLogFile) + QStringLiteral(": ") + fLog->FileName()
                            : Text;
    MessageBox(Shown, Caption, MB_ICONERROR | MB_OK);
}

void TForm1::InfoBox(const QString &Text)
{
    if (!fClosing)
        MessageBox(Text, windowTitle(), MB_ICONINFORMATION | MB_OK);
}

void TForm1::LogLine(const QString &Text)
{
    if (fLog)
        fLog->Line(Text);
}

void TForm1::Cancel()
{
    LogLine(QStringLiteral("cancel requested"));
    fCancelRequested = true;
    // As a close in the middle of a step: the running download stops at its
    // next progress notification, nothing further is started or shown.
    fClosing = true;
    if (zrusitb)
        zrusitb->setEnabled(false);
}

bool TForm1::SetPackageSource(const QString &Folder, QString &Why)
{
    if (!fSourceManifest.Read(Folder, Why))
        return false;
    fSourceDir = Folder;
    return true;
}

void TForm1::ShowPackageSource()
{
    SetStatus(fSourceDir.isEmpty() ? Msg(fmPackagesFromServer) + QStringLiteral(": ") + fDownloadServer
                                   : Msg(fmPackagesFromFolder) + QStringLiteral(": ") + QDir::toNativeSeparators(fSourceDir));
}

void TForm1::SetStatus(const QString &Text)
{
    sb1->SetSimpleText(Text);
}

void TForm1::FormCreate(QObject *)
{
    // The user's language; an unknown code leaves the design language current.
    GlottaEngine1->SetCurrentLanguage(fPlatform->GetLocaleString(LOCALE_SISO639LANGNAME));
    // A warning only; the window opens and works either way.
    if (!fPlatform->IsUserAdmin())
        ErrorBox(Msg(fmNeedsAdmin), Msg(fmSetupError));
    Memo1->setPlainText(Msg(fmDescription));
    // The application is installed already: no step 3, for the whole run.
    // Only a file is the program; a folder of that name is not.
    if (QFileInfo(QDir(fProgramDir).filePath(QStringLiteral("dilnex.exe"))).isFile()) {
        Label4->hide();
        instalovat3b->hide();
    }
    // Without the means to run installers (no Wine on Linux) every step would
    // download in vain; the steps stay disabled and the user learns why.
    if (!fPlatform->CanRunInstallers(fMissingRuntime))
        ReportNoInstallers();
}

void TForm1::GlottaEngine1ChangeLanguage(QObject *)
{
    Memo1->setPlainText(Msg(fmDescription));
}

void TForm1::konecbClick(QObject *)
{
    close();
}

void TForm1::zrusitbClick(QObject *)
{
    zrusitb->setEnabled(false);
    if (fUnattended)
        Cancel();
}

void TForm1::closeEvent(QCloseEvent *Event)
{
    // Closed in the middle of a step: stop the download at its next progress
    // notification, start no further download or program and show no
    // further boxes of that step, so the running handler returns at once.
    if (fUnattended) {
        // Closing the window of an unattended run cancels it.
        if (!fClosing && fBusy > 0)
            Cancel();
    } else if (fBusy > 0) {
        fClosing = true;
        if (zrusitb)
            zrusitb->setEnabled(false);
    }
    TForm::closeEvent(Event);
}
