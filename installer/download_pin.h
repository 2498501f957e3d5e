#pragma once
// SHA-256 pins of the downloaded packages: a deployment may fix the digest
// of each file its server offers, so that a file changed on the way or on
// the server is never run.

#include <QString>
#include <QStringList>

// The pin for a server path among entries "<path>=<64 hex digits>"; empty
// when the path has none (no check).
QString Sha256PinFor(const QStringList &Pins, const QString &Path);

// Whether the file's SHA-256 is the pin (hex, any case). A pin that is not a
// digest never matches, nor does a file that cannot be read.
bool Sha256Matches(const QString &FileName, const QString &Pin);
