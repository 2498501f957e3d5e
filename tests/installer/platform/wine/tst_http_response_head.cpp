#include "installer/platform/wine/http_response_head.h"

#include <QTest>

namespace {

struct TResult
{
    THttpResponseHead::TState HeadState = THttpResponseHead::TState::Reading;
    int Status = 0;
    QByteArray Headers; // "name=value|..." in order
    QByteArray Body;
    THttpBodyReader::TState BodyState = THttpBodyReader::TState::Reading;
    QString Error;
};

// Feeds Answer in pieces of Piece bytes, the way a socket may hand it over,
// then tells the body reader of the close.
TResult Read(const QByteArray &Answer, qsizetype Piece)
{
    TResult R;
    THttpResponseHead Head;
    THttpBodyReader Body;
    bool InBody = false;
    for (qsizetype At = 0; At < Answer.size(); At += Piece) {
        QByteArray Bytes = Answer.mid(At, Piece);
        if (!InBody) {
            const qsizetype Taken = Head.Feed(Bytes.constData(), Bytes.size());
            if (Head.State() != THttpResponseHead::TState::Complete)
                continue;
            Body = THttpBodyReader::ForHead(Head.Head());
            InBody = true;
            Bytes.remove(0, Taken);
        }
        const qint64 Got = Body.Decode(Bytes.data(), Bytes.size());
        R.Body += Bytes.left(Got);
    }
    if (InBody)
        Body.Closed();
    R.HeadState = Head.State();
    R.Status = Head.Head().Status;
    for (const auto &[Name, Value] : Head.Head().Headers)
        R.Headers += (R.Headers.isEmpty() ? "" : "|") + Name + '=' + Value;
    R.BodyState = Body.State();
    R.Error = Head.State() == THttpResponseHead::TState::Malformed ? Head.Error() : Body.Error();
    return R;
}

} // namespace

Q_DECLARE_METATYPE(THttpResponseHead::TState)
Q_DECLARE_METATYPE(THttpBodyReader::TState)

class TestHttpResponseHead : public QObject
{
    Q_OBJECT

private slots:
    // Each answer is read whole, a byte at a time and in 7-byte pieces: a
    // line end, a chunk size or a body split anywhere reads the same.
    void readsAnswers_data()
    {
        using H = THttpResponseHead::TState;
        using B = THttpBodyReader::TState;
        QTest::addColumn<QByteArray>("Answer");
        QTest::addColumn<H>("HeadState");
        QTest::addColumn<int>("Status");
        QTest::addColumn<QByteArray>("Headers");
        QTest::addColumn<QByteArray>("Body");
        QTest::addColumn<B>("BodyState");
        QTest::addColumn<QString>("Error"); // part of it

        QTest::newRow("length, bytes past the body dropped")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloEXTRA") << H::Complete << 200
            << QByteArray("Content-Length=5") << QByteArray("hello") << B::Complete << QString();
        QTest::newRow("bare line feeds, spaces around values")
            << QByteArray("HTTP/1.0 404 Not Found\nETag:   \"v1\"  \nContent-Length: 2\n\nno") << H::Complete << 404
            << QByteArray("ETag=\"v1\"|Content-Length=2") << QByteArray("no") << B::Complete << QString();
        QTest::newRow("continuation line, a line that is no header")
            << QByteArray("HTTP/1.1 200 OK\r\nX-A: one\r\n  two\r\nnot a header\r\nbad name: x\r\nContent-Length: 1\r\n\r\nz")
            << H::Complete << 200 << QByteArray("X-A=one two|Content-Length=1") << QByteArray("z") << B::Complete
            << QString();
        QTest::newRow("interim heads before the answer")
            << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: </a>\r\n\r\n"
                          "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok")
            << H::Complete << 200 << QByteArray("Content-Length=2") << QByteArray("ok") << B::Complete << QString();
        QTest::newRow("until the close")
            << QByteArray("HTTP/1.1 200 OK\r\n\r\nall of it") << H::Complete << 200 << QByteArray()
            << QByteArray("all of it") << B::Complete << QString();
        QTest::newRow("204 has no body") << QByteArray("HTTP/1.1 204 No Content\r\n\r\nstray") << H::Complete << 204
                                         << QByteArray() << QByteArray() << B::Complete << QString();
        QTest::newRow("chunked with extension and trailer")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, Chunked\r\n\r\n"
                          "3;x=1\r\nabc\r\n00A\r\n0123456789\r\n0\r\nX-Sum: 1\r\n\r\nEXTRA")
            << H::Complete << 200 << QByteArray("Transfer-Encoding=gzip, Chunked") << QByteArray("abc0123456789")
            << B::Complete << QString();
        QTest::newRow("chunked, closed before the last chunk")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n") << H::Complete << 200
            << QByteArray("Transfer-Encoding=chunked") << QByteArray("hello") << B::Reading << QString();
        QTest::newRow("length, closed early")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nhello") << H::Complete << 200
            << QByteArray("Content-Length=9") << QByteArray("hello") << B::Reading << QString();
        QTest::newRow("chunk size too long for a number")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1000000000000000\r\nx") << H::Complete
            << 200 << QByteArray("Transfer-Encoding=chunked") << QByteArray() << B::Malformed << "malformed chunk size";
        QTest::newRow("negative chunk size")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n-5\r\nhello\r\n0\r\n\r\n") << H::Complete
            << 200 << QByteArray("Transfer-Encoding=chunked") << QByteArray() << B::Malformed << "malformed chunk size";
        QTest::newRow("endless trailer")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n" + QByteArray("T: x\r\n").repeated(101))
            << H::Complete << 200 << QByteArray("Transfer-Encoding=chunked") << QByteArray() << B::Malformed
            << "more than 100 lines";
        QTest::newRow("no status line") << QByteArray("<html>\r\n\r\n") << H::Malformed << 0 << QByteArray() << QByteArray()
                                        << B::Reading << "malformed status line";
        QTest::newRow("status of two digits") << QByteArray("HTTP/1.1 20 OK\r\n\r\n") << H::Malformed << 0 << QByteArray()
                                              << QByteArray() << B::Reading << "malformed status line";
        QTest::newRow("HTTP/2 status line") << QByteArray("HTTP/2 200\r\n\r\n") << H::Malformed << 0 << QByteArray()
                                            << QByteArray() << B::Reading << "malformed status line";
        QTest::newRow("continuation without a header")
            << QByteArray("HTTP/1.1 200 OK\r\n folded\r\n\r\n") << H::Malformed << 200 << QByteArray() << QByteArray()
            << B::Reading << "continuation";
        QTest::newRow("head without its end") << QByteArray("HTTP/1.1 200 OK\r\nX-A: 1\r\n") << H::Reading << 200
                                              << QByteArray("X-A=1") << QByteArray() << B::Reading << QString();
    }

    void readsAnswers()
    {
        QFETCH(QByteArray, Answer);
        QFETCH(THttpResponseHead::TState, HeadState);
        QFETCH(int, Status);
        QFETCH(QByteArray, Headers);
        QFETCH(QByteArray, Body);
        QFETCH(THttpBodyReader::TState, BodyState);
        QFETCH(QString, Error);
        for (const qsizetype Piece : {Answer.size(), qsizetype(1), qsizetype(7)}) {
            const TResult R = Read(Answer, Piece);
            const QByteArray Where = "in pieces of " + QByteArray::number(Piece);
            QVERIFY2(R.HeadState == HeadState, Where);
            QVERIFY2(R.Status == Status, Where);
            QCOMPARE(R.Headers, Headers);
            QCOMPARE(R.Body, Body);
            QVERIFY2(R.BodyState == BodyState, Where);
            QVERIFY2(Error.isEmpty() ? R.Error.isEmpty() : R.Error.contains(Error), qPrintable(R.Error + " " + Where));
        }
    }

    // The bounds count bytes as they come: a line that never ends is refused
    // once the head passes 64 KiB, whatever the pieces, and the reader has
    // taken no byte past the bound.
    void boundsHoldWhateverThePieces_data()
    {
        QTest::addColumn<QByteArray>("Answer");
        QTest::addColumn<QString>("Error");
        QTest::newRow("endless line") << "HTTP/1.1 200 OK\r\nX-Big: " + QByteArray(200000, 'a') << "longer than 65536 bytes";
        QTest::newRow("endless status line") << "HTTP/1.1 200 " + QByteArray(200000, 'a') << "longer than 65536 bytes";
        QTest::newRow("101 lines") << "HTTP/1.1 200 OK\r\n" + QByteArray("A: b\r\n").repeated(101) << "more than 100 header lines";
        QTest::newRow("101 lines over interim heads")
            << "HTTP/1.1 103 Early Hints\r\n" + QByteArray("A: b\r\n").repeated(60) + "\r\nHTTP/1.1 200 OK\r\n"
                   + QByteArray("A: b\r\n").repeated(41)
            << "more than 100 header lines";
    }

    void boundsHoldWhateverThePieces()
    {
        QFETCH(QByteArray, Answer);
        QFETCH(QString, Error);
        for (const qsizetype Piece : {Answer.size(), qsizetype(1), qsizetype(4096)}) {
            THttpResponseHead Head;
            qsizetype Taken = 0;
            for (qsizetype At = 0; At < Answer.size() && Head.State() == THttpResponseHead::TState::Reading; At += Piece)
                Taken += Head.Feed(Answer.constData() + At, qMin(Piece, Answer.size() - At));
            QCOMPARE(Head.State(), THttpResponseHead::TState::Malformed);
            QVERIFY2(Head.Error().contains(Error), qPrintable(Head.Error()));
            QVERIFY(Taken <= THttpResponseHead::MaxHeadBytes);
            QCOMPARE(Head.Feed("more", 4), qsizetype(0));
        }
    }
};

QTEST_GUILESS_MAIN(TestHttpResponseHead)
#include "tst_http_response_head.moc"
