#pragma once
// The package server's reading of one HTTP request head and its mapping of a
// URL path to a file below the served folder, apart from any socket so that
// they can be tried on any bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Request heads larger than this are refused; a package request is one short line.
constexpr qsizetype MaxPackageRequestHeadBytes = 16 * 1024;

struct TPackageRequest
{
    enum TState {
        Incomplete, // the head has not ended yet; read more
        Serve,      // a GET or HEAD of Path
        Refuse,     // answer Status (400, 405, 431) instead
    };
    TState State = Incomplete;
    int Status = 0;
    bool Head = false; // HEAD: the answer carries no body
    QString Path;      // percent-decoded, without the query
};

// Reads the request line of the head received so far (the head ends with an
// empty line). Never fails on any bytes: what it cannot read is Refuse 400.
TPackageRequest ParsePackageRequest(QByteArrayView Received);

// Root/a/b for the path "/data/a/b" when that is a file inside Root (links
// followed, and the target still inside); empty for anything else: another
// prefix, "." or ".." segments, backslashes, NUL, folders, missing files.
QString ResolvePackagePath(const QString &Root, const QString &Path);
