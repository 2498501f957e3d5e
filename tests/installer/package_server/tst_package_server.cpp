#include "installer/package_server/package_server.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// The server is driven with raw requests here: what a client library would
// normalise away (dot segments, odd methods) is exactly what must be checked.
class TestPackageServer : public QObject
{
    Q_OBJECT
    QTemporaryDir fRoot;
    QTemporaryDir fOutside;
    TPackageServer *fServer = nullptr;

    // The server runs on this thread, so the exchange waits in the event loop.
    QByteArray Exchange(const QByteArray &Request)
    {
        QTcpSocket Socket;
        QByteArray Answer;
        connect(&Socket, &QTcpSocket::connected, this, [&] { Socket.write(Request); });
        connect(&Socket, &QTcpSocket::readyRead, this, [&] { Answer += Socket.readAll(); });
        Socket.connectToHost(QHostAddress::LocalHost, fServer->Port());
        // The server answers one request and closes the connection.
        if (!QTest::qWaitFor([&] { return Socket.state() == QAbstractSocket::UnconnectedState; }, 5000))
            return {};
        return Answer + Socket.readAll();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(fRoot.isValid() && fOutside.isValid());
        QVERIFY(QDir(fRoot.path()).mkpath("pkg"));
        QFile File(fRoot.filePath("pkg/a file.msi"));
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write("package");
        File.close();
        QFile Secret(fOutside.filePath("secret"));
        QVERIFY(Secret.open(QIODevice::WriteOnly));
        Secret.write("secret");
        Secret.close();
        QVERIFY(QFile::link(fOutside.path(), fRoot.filePath("outside")));
        fServer = new TPackageServer(fRoot.path(), this);
        QVERIFY(fServer->Listen());
        QVERIFY(fServer->BaseUrl().startsWith("http://127.0.0.1:"));
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("Request");
        QTest::addColumn<QByteArray>("StatusLine");
        QTest::addColumn<QByteArray>("Body");

        QTest::newRow("GET") << QByteArray("GET /data/pkg/a%20file.msi HTTP/1.1\r\nHost: x\r\n\r\n")
                             << QByteArray("HTTP/1.1 200 OK") << QByteArray("package");
        QTest::newRow("HEAD has no body") << QByteArray("HEAD /data/pkg/a%20file.msi HTTP/1.1\r\n\r\n")
                                          << QByteArray("HTTP/1.1 200 OK") << QByteArray();
        QTest::newRow("query ignored") << QByteArray("GET /data/pkg/a%20file.msi?x=1 HTTP/1.0\r\n\r\n")
                                       << QByteArray("HTTP/1.1 200 OK") << QByteArray("package");
        QTest::newRow("folder") << QByteArray("GET /data/pkg HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found")
                                << QByteArray("404 Not Found\n");
        QTest::newRow("not below /data") << QByteArray("GET /pkg/a%20file.msi HTTP/1.1\r\n\r\n")
                                         << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("404 Not Found\n");
        QTest::newRow("dot-dot") << QByteArray("GET /data/pkg/../pkg/a%20file.msi HTTP/1.1\r\n\r\n")
                                 << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("404 Not Found\n");
        QTest::newRow("encoded dot-dot") << QByteArray("GET /data/%2e%2e/%2e%2e/etc/hostname HTTP/1.1\r\n\r\n")
                                         << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("404 Not Found\n");
        QTest::newRow("link out of the root") << QByteArray("GET /data/outside/secret HTTP/1.1\r\n\r\n")
                                              << QByteArray("HTTP/1.1 404 Not Found") << QByteArray("404 Not Found\n");
        QTest::newRow("POST") << QByteArray("POST /data/pkg/a%20file.msi HTTP/1.1\r\n\r\n")
                              << QByteArray("HTTP/1.1 405 Method Not Allowed") << QByteArray("405 Method Not Allowed\n");
        QTest::newRow("garbage") << QByteArray("hello\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request")
                                 << QByteArray("400 Bad Request\n");
        QTest::newRow("head too large") << "GET /data/" + QByteArray(17 * 1024, 'a') + " HTTP/1.1\r\n\r\n"
                                        << QByteArray("HTTP/1.1 431 Request Header Fields Too Large")
                                        << QByteArray("431 Request Header Fields Too Large\n");
    }

    void answers()
    {
        QFETCH(QByteArray, Request);
        QFETCH(QByteArray, StatusLine);
        QFETCH(QByteArray, Body);
        const QByteArray Answer = Exchange(Request);
        const qsizetype HeadEnd = Answer.indexOf("\r\n\r\n");
        QVERIFY2(HeadEnd > 0, Answer.constData());
        const QByteArray Head = Answer.left(HeadEnd);
        QCOMPARE(Head.left(Head.indexOf("\r\n")), StatusLine);
        QCOMPARE(Answer.mid(HeadEnd + 4), Body);
        const QByteArray Length = Request.startsWith("HEAD") ? QByteArray("Content-Length: 7")
                                                             : "Content-Length: " + QByteArray::number(Body.size());
        QVERIFY2(Head.contains(Length), Head.constData());
    }

    void countsRequestsAndAppliesFaults()
    {
        fServer->SetFault("/data/moved", TPackageFault::RedirectTo("/data/pkg/a%20file.msi", 307));
        const QByteArray Answer = Exchange("GET /data/moved HTTP/1.1\r\n\r\n");
        QVERIFY(Answer.startsWith("HTTP/1.1 307 Temporary Redirect\r\n"));
        QVERIFY(Answer.contains("\r\nLocation: /data/pkg/a%20file.msi\r\n"));
        QCOMPARE(fServer->RequestCount("/data/moved"), 1);
        fServer->ClearFaults();
        QVERIFY(Exchange("GET /data/moved HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 404"));
        QCOMPARE(fServer->RequestCount("/data/moved"), 2);
    }

    // Connections that bring no request or only part of one are dropped by
    // the idle timeout; a trickled request does not keep its connection
    // alive: it is dropped while the trickle goes on.
    void idleConnectionsAreDropped_data()
    {
        QTest::addColumn<QList<QByteArray>>("Pieces"); // sent one every 100 ms
        QTest::newRow("silent") << QList<QByteArray>{};
        QTest::newRow("half a request") << QList<QByteArray>{"GET /data/pkg/a%20file.msi HTTP/1.1\r\n"};
        QList<QByteArray> Trickle;
        for (const char C : QByteArray("GET /data/pkg/a%20file.msi HTTP/1.1"))
            Trickle.append(QByteArray(1, C));
        QTest::newRow("trickled") << Trickle;
    }

    void idleConnectionsAreDropped()
    {
        QFETCH(QList<QByteArray>, Pieces);
        fServer->SetIdleTimeout(400);
        const qint64 DropsBefore = fServer->IdleDrops();
        QTcpSocket Socket;
        Socket.connectToHost(QHostAddress::LocalHost, fServer->Port());
        QVERIFY(Socket.waitForConnected(5000));
        qsizetype Sent = 0;
        for (const QByteArray &Piece : Pieces) {
            if (Socket.state() != QAbstractSocket::ConnectedState)
                break;
            Socket.write(Piece);
            ++Sent;
            QTest::qWait(100);
        }
        QTRY_COMPARE_WITH_TIMEOUT(Socket.state(), QAbstractSocket::UnconnectedState, 20000);
        QTRY_COMPARE(fServer->IdleDrops(), DropsBefore + 1);
        // The trickle lasts 3.5 s, many times the idle time: had each byte
        // restarted the clock, all of it would have been sent.
        if (Pieces.size() > 1)
            QVERIFY2(Sent < Pieces.size(), qPrintable(QStringLiteral("all %1 pieces sent").arg(Sent)));
        QVERIFY(Socket.readAll().isEmpty());
        fServer->SetIdleTimeout(60000);
    }

    // A client that asks for a large file and does not read: the server reads
    // the file only as far as the client has taken it plus its bound per
    // connection, and the client that reads at last gets every byte.
    void nonReadingClientHoldsTheBound()
    {
        QByteArray Big(24 * 1024 * 1024, Qt::Uninitialized);
        for (qsizetype I = 0; I < Big.size(); ++I)
            Big[I] = char((I * 131 + I / 4093) & 0xff);
        {
            QFile File(fRoot.filePath("big.bin"));
            QVERIFY(File.open(QIODevice::WriteOnly));
            QCOMPARE(File.write(Big), Big.size());
        }
        TPackageServer Server(fRoot.path());
        QVERIFY(Server.Listen());
        QTcpSocket Client;
        Client.setReadBufferSize(16 * 1024); // the client library stops reading too
        Client.connectToHost(QHostAddress::LocalHost, Server.Port());
        QVERIFY(Client.waitForConnected(5000));
        Client.write("GET /data/big.bin HTTP/1.1\r\n\r\n");
        // Let it run until the system's buffers are full and the server
        // has stopped reading the file.
        qint64 Before = -1;
        for (int Round = 0; Round < 100; ++Round) {
            QTest::qWait(300);
            const qint64 Now = Server.FileBytesRead();
            if (Now > 0 && Now == Before)
                break;
            Before = Now;
        }
        QVERIFY2(Server.PeakBufferedBytes() <= 64 * 1024, qPrintable(QString::number(Server.PeakBufferedBytes())));
        QVERIFY2(Server.FileBytesRead() < Big.size(), "the whole file was read for a client that took little");
        QCOMPARE(Server.ConnectionCount(), 1);

        QByteArray Answer;
        Client.setReadBufferSize(0);
        connect(&Client, &QTcpSocket::readyRead, this, [&] { Answer += Client.readAll(); });
        Answer += Client.readAll();
        QTRY_COMPARE_WITH_TIMEOUT(Client.state(), QAbstractSocket::UnconnectedState, 60000);
        Answer += Client.readAll();
        const qsizetype HeadEnd = Answer.indexOf("\r\n\r\n");
        QVERIFY(HeadEnd > 0);
        QVERIFY(Answer.mid(HeadEnd + 4) == Big);
        QVERIFY(Server.PeakBufferedBytes() <= 64 * 1024);
        QFile::remove(fRoot.filePath("big.bin"));
    }

    // Connections over the cap wait unserved until a served one ends.
    void connectionsOverTheCapWait()
    {
        TPackageServer Server(fRoot.path());
        QVERIFY(Server.Listen());
        Server.SetMaxConnections(2);
        // All three are in the system's queue before the server runs.
        QTcpSocket Clients[3];
        for (QTcpSocket &Client : Clients) {
            Client.connectToHost(QHostAddress::LocalHost, Server.Port());
            QVERIFY(Client.waitForConnected(5000));
        }
        Clients[2].write("GET /data/pkg/a%20file.msi HTTP/1.1\r\n\r\n");
        QVERIFY(Clients[2].waitForBytesWritten(5000));
        QTRY_COMPARE(Server.ConnectionCount(), 2);
        QCOMPARE(Server.PeakConnectionCount(), 2);
        QCOMPARE(Server.RequestTotal(), 0);
        QVERIFY(Clients[2].bytesAvailable() == 0);

        Clients[0].abort();
        QTRY_COMPARE(Server.RequestTotal(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(Clients[2].state(), QAbstractSocket::UnconnectedState, 20000);
        const QByteArray Answer = Clients[2].readAll();
        QVERIFY2(Answer.startsWith("HTTP/1.1 200 OK\r\n") && Answer.endsWith("\r\n\r\npackage"), Answer.constData());
        QCOMPARE(Server.PeakConnectionCount(), 2);
    }

    // Requests for ever new paths, refused ones too, leave the server's
    // bookkeeping within its bounds; paths counted early stay counted.
    void requestBookkeepingIsBounded()
    {
        TPackageServer Server(fRoot.path());
        QVERIFY(Server.Listen());
        TPackageServer *Saved = fServer;
        fServer = &Server;
        QVERIFY(Exchange("GET /data/pkg/a%20file.msi HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200"));
        const int Requests = 120;
        for (int I = 0; I < Requests; ++I) {
            const QByteArray Path = "/data/" + QByteArray::number(I) + QByteArray(15 * 1024, 'p');
            QVERIFY(Exchange("GET " + Path + " HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 404"));
        }
        QVERIFY(Exchange("GET /data/pkg/a%20file.msi HTTP/1.1\r\n\r\n").startsWith("HTTP/1.1 200"));
        fServer = Saved;
        QCOMPARE(Server.RequestTotal(), Requests + 2);
        QCOMPARE(Server.RequestCount("/data/pkg/a file.msi"), 2);
        QVERIFY(Server.CountedPathBytes() <= TPackageServer::MaxCountedPathBytes);
        QVERIFY(Server.RequestCount("/data/0" + QString(15 * 1024, u'p')) == 1);
        QCOMPARE(Server.RequestCount("/data/119" + QString(15 * 1024, u'p')), 0);
    }
};

QTEST_GUILESS_MAIN(TestPackageServer)
#include "tst_package_server.moc"
