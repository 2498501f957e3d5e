#pragma once
// How the Linux downloader judges the head of an HTTP answer before any of
// its body is written: the status, the body's announced length, a resumed
// range and a redirect's target. Pure QtCore, so hostile heads can be fed
// to it directly.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <utility>

struct TResponseHead
{
    int Status = 0;
    // As received, in order; names in any case. A header sent twice may
    // appear twice or as one value joined with ", ".
    QList<std::pair<QByteArray, QByteArray>> Headers;
};

// What was asked, as far as the answer must agree with it.
struct TResponseRequest
{
    QUrl Url;             // the URL of this request (a redirect's Location is relative to it)
    qint64 Offset = 0;    // bytes already held; a Range request for the rest was sent when > 0
    qint64 Total = -1;    // the whole file's size learnt from an earlier answer, -1 unknown
    qint64 MaxBytes = 0;  // the largest file accepted
};

enum class TResponseAction {
    Body,     // the answer carries the whole file from its first byte
    Resume,   // the answer carries the file from Offset on
    Restart,  // the range was not honoured as asked: ask again for the whole file
    Redirect, // go on at Location
    Retry,    // a passing server failure (5xx): worth another try
    Refuse,   // a final failure: Reason says why
};

struct TResponseVerdict
{
    TResponseAction Action = TResponseAction::Refuse;
    QString Reason;
    qint64 Length = -1; // body bytes announced by Content-Length, -1 unknown
    qint64 Total = -1;  // the whole file's size when known, -1 unknown
    QUrl Location;      // absolute, for Redirect
};

TResponseVerdict JudgeResponse(const TResponseHead &Head, const TResponseRequest &Request);

// The length that every Content-Length value announces: -1 when there is
// none, -2 when a value is not a plain decimal number, or the values disagree.
qint64 ContentLengthOf(const TResponseHead &Head);

// The values of the named header (case-insensitive), in order.
QList<QByteArray> HeaderValues(const TResponseHead &Head, const QByteArray &Name);
