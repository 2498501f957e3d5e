#pragma once
// A substitute for the installer's platform seam: answers set by the test,
// every call recorded.

#include "toolkit/core/exception.h"
#include "toolkit/widgets/message_box.h"
#include "installer/platform/platform.h"

#include <QSet>
#include <QStringList>
#include <functional>

class TFakePlatform : public TPlatform
{
public:
    QSet<QString> Keys; // registry keys present, as the probes name them
    bool Windows64 = true;
    bool Windows64Fails = false;
    bool Admin = true;
    QString WindowsName = QStringLiteral("Windows 10");
    bool Internet = true;
    bool ServerAnswering = false; // what a connection to the download server finds
    QString TempDir = QStringLiteral("/tmp/fake/");
    QString Locale = QStringLiteral("cs");
    QString MissingRuntime; // not empty: installers cannot run, this is missing
    bool Unprepared = false; // the system must be prepared before the probes
    // What preparing does; by default it succeeds and leaves the system prepared.
    std::function<bool(QString &Reason)> PrepareAction;
    QStringList Calls;
    // What a download does; by default it succeeds without progress.
    std::function<void(const QString &URL, const QString &FileName, const TDownloadProgressEvent &)> Download;
    // What running a file does; by default nothing (an installer that installs nothing).
    std::function<void(const QString &FileName, const QString &Parameters)> Run;
    // The exit code of a run; by default 0.
    std::function<int(const QString &FileName, const QString &Parameters)> ExitCode;
    int LastCode = -1;

    TLocalDBVersions GetLocalDBVersions() override
    {
        Calls << QStringLiteral("GetLocalDBVersions");
        TLocalDBVersions V;
        for (int i = 0; i < 6; ++i)
            V.Installed[size_t(i)] = Keys.contains(QString::fromLatin1(LocalDBVersionKeys[i]));
        return V;
    }
    bool LocalDB11Installed() override
    {
        Calls << QStringLiteral("LocalDB11Installed");
        return Keys.contains(QString::fromLatin1(LocalDBVersionKeys[0]));
    }
    bool HKLMKeyExists(const QString &Key) override
    {
        Calls << QStringLiteral("HKLMKeyExists ") + Key;
        return Keys.contains(Key);
    }
    bool IsWindows64() override
    {
        if (Windows64Fails)
            throw EOSError(5, QStringLiteral("System Error.  Code: 5.\nAccess is denied"));
        return Windows64;
    }
    bool IsUserAdmin() override { return Admin; }
    QString GetWindowsName() override { return WindowsName; }
    bool InternetConnected() override { return Internet; }
    QString GetTempDir() override { return TempDir; }
    QString GetLocaleString(int LCType) override
    {
        return LCType == LOCALE_SISO639LANGNAME ? Locale : QString();
    }
    bool CanRunInstallers(QString &Missing) override
    {
        Missing = MissingRuntime;
        return Missing.isEmpty();
    }
    bool NeedsPreparation() override { return Unprepared; }
    bool Prepare(QString &Reason) override
    {
        Calls << QStringLiteral("Prepare");
        Reason.clear();
        const bool Done = PrepareAction ? PrepareAction(Reason) : true;
        Unprepared = !Done;
        return Done;
    }
    void DownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress) override
    {
        Calls << QStringLiteral("DownloadFile ") + URL + QStringLiteral(" -> ") + FileName;
        if (Download)
            Download(URL, FileName, OnProgress);
    }
    bool RunAndWait(const QString &FileName, const QString &Parameters, const QString &Verb, int ShowCmd,
                    const QString &Directory) override
    {
        Calls << QStringLiteral("RunAndWait %1|%2|%3|%4|%5").arg(FileName, Parameters, Verb).arg(ShowCmd).arg(Directory);
        if (Run)
            Run(FileName, Parameters);
        LastCode = ExitCode ? ExitCode(FileName, Parameters) : 0;
        return true;
    }
    int LastExitCode() const override { return LastCode; }
    bool ServerAnswers(const QString &BaseUrl) override
    {
        Calls << QStringLiteral("ServerAnswers ") + BaseUrl;
        return ServerAnswering;
    }
};

// Records the message boxes shown while it lives.
struct TBoxRecorder
{
    struct TBox
    {
        QString Text, Caption;
        quint32 Flags;
    };
    QList<TBox> Boxes;
    std::function<void(const TBox &)> OnBox;
    // The answer to a Yes/No box.
    int YesNoAnswer = IDYES;
    TMessageBoxHandler Previous;
    TBoxRecorder()
    {
        Previous = SetMessageBoxHandler([this](const QString &T, const QString &C, quint32 F) {
            Boxes.append({T, C, F});
            if (OnBox)
                OnBox(Boxes.last());
            return (F & 0x0F) == MB_YESNO ? YesNoAnswer : IDOK;
        });
    }
    ~TBoxRecorder() { SetMessageBoxHandler(Previous); }
};
