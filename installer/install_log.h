#pragma once
// TInstallLog: the installer's log file. Every line is written and flushed at
// once, so a run that is killed still leaves everything up to that moment.

#include <QDateTime>
#include <QFile>
#include <QString>

class TInstallLog
{
public:
    // Opens FileName for appending (its folder is made when missing). False,
    // with the reason in ErrorText, when it cannot be written.
    bool Open(const QString &FileName);
    bool IsOpen() const { return fFile.isOpen(); }
    QString FileName() const { return fFile.fileName(); }
    QString ErrorText() const { return fFile.errorString(); }
    // One line, prefixed with the local time; line breaks inside Text are
    // kept apart as " | " so a reader can go line by line.
    void Line(const QString &Text);

    // The default log: "dilnex-local-setup_<yyyyMMdd_HHmmss>.log" in Folder.
    static QString DefaultFileName(const QString &Folder, const QDateTime &Start);

private:
    QFile fFile;
};
