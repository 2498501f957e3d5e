#pragma once
// Reads an HTTP/1.1 answer off the wire as it arrives, within fixed bounds:
// the head (status line and header lines, interim 1xx heads included) and
// the body's framing (Content-Length, chunked, or until the connection
// closes). Pure QtCore and fed in pieces of any size, so a hostile server's
// bytes can be fed to it directly; it never holds more than its bounds.

#include "installer/platform/wine/download_response.h"

#include <QByteArray>
#include <QString>

// The status line and headers of one answer. The bounds hold for all heads
// of an answer together (a server may send interim 1xx heads before the
// real one), so a head that never ends is refused once it passes them, as
// is a single endless line: nothing waits for a line's end to count it.
class THttpResponseHead
{
public:
    // Bytes of all heads of one answer, line ends included.
    static constexpr qsizetype MaxHeadBytes = 64 * 1024;
    // Header lines of all heads of one answer (status lines not counted).
    static constexpr int MaxHeaderLines = 100;

    enum class TState { Reading, Complete, Malformed };

    // Consumes bytes from Data up to the end of the final (non-1xx) head and
    // answers how many it took; the rest is the body's. Once the state is
    // no longer Reading it takes nothing more.
    qsizetype Feed(const char *Data, qsizetype Size);

    TState State() const { return fState; }
    // Why the head was refused (Malformed), for the failure reason.
    QString Error() const { return fError; }
    // The final head, once Complete.
    const TResponseHead &Head() const { return fHead; }
    qsizetype HeadBytes() const { return fHeadBytes; }

private:
    bool EndLine();
    void Fail(const QString &Reason);

    TState fState = TState::Reading;
    QString fError;
    TResponseHead fHead;
    QByteArray fLine;          // the line being read, without its end
    bool fAtStatusLine = true; // the next line is a status line
    qsizetype fHeadBytes = 0;
    int fHeaderLines = 0;
};

// The framing of a body: how its end is known and, for a chunked body, the
// chunk headers and trailers stripped. Chunk-size lines and trailers are
// bounded like the head.
class THttpBodyReader
{
public:
    // The longest chunk-size line (size, extensions and all).
    static constexpr qsizetype MaxChunkLineBytes = 1024;

    enum class TFraming { Length, Chunked, UntilClose };
    enum class TState { Reading, Complete, Malformed };

    // The framing a head announces for a GET's answer: chunked when the
    // Transfer-Encoding names it, a length when Content-Length gives a sound
    // one, otherwise the body runs until the connection closes. 204 and 304
    // carry no body.
    static THttpBodyReader ForHead(const TResponseHead &Head);

    THttpBodyReader() = default;
    THttpBodyReader(TFraming Framing, qint64 Length);

    // Decodes Size raw bytes at Data in place and answers how many body
    // bytes now lie at Data's start. Bytes past the body's end are dropped.
    qint64 Decode(char *Data, qint64 Size);
    // The connection closed: a body running until then is complete.
    void Closed();

    TFraming Framing() const { return fFraming; }
    TState State() const { return fState; }
    QString Error() const { return fError; }
    qint64 BodyBytes() const { return fBodyBytes; }

private:
    enum class TStep { Size, Data, DataEnd, Trailer };
    bool EndChunkLine();
    void Fail(const QString &Reason);

    TFraming fFraming = TFraming::UntilClose;
    TState fState = TState::Reading;
    QString fError;
    qint64 fRemaining = 0; // of the body (Length) or of the current chunk (Chunked)
    qint64 fBodyBytes = 0;
    TStep fStep = TStep::Size;
    QByteArray fLine;
    qsizetype fTrailerBytes = 0;
    int fTrailerLines = 0;
};
