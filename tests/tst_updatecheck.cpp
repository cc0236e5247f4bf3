#include "app/loader.h"
#include "app/reriruvozive.h"
#include "app/updatecheck.h"
#include "deruvivuriri_form.h"
#include "link/portconnection.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

namespace {

const QString kFailed = QStringLiteral("Не удалось проверить обновления");
const QString kUpToDate = QStringLiteral("Вы используете актуальную версию ПО");
const QString kNewer = QStringLiteral("Доступна новая версия конфигуратора. Перейдите на наш сайт для загрузки");

// A one-file HTTP server on 127.0.0.1: every GET gets the same status and body.
class VersionServer : public QObject
{
public:
    VersionServer(QByteArray status, QByteArray body) : status(std::move(status)), body(std::move(body))
    {
        connect(&server, &QTcpServer::newConnection, this, &VersionServer::take);
        server.listen(QHostAddress::LocalHost);
    }

    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server.serverPort()); }
    QByteArray lastRequest;
    bool endless = false; // the body again and again, never an end
    int open = 0;         // replies asked for and not ended yet
    int answered = 0;     // requests answered
    qint64 sent = 0;

private:
    void take()
    {
        while (QTcpSocket *socket = server.nextPendingConnection()) {
            // Each connection's request is its own: a check given up on by
            // its window may still be on its way beside the next one's, and
            // a window gone may leave a connection that never asks anything.
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
                *request += socket->readAll();
                if (!request->endsWith("\r\n\r\n"))
                    return;
                ++open;
                ++answered;
                lastRequest += *request;
                // Where a redirect leads: an older version.
                const bool moved = request->startsWith("GET /moved ");
                const QByteArray sending = moved ? QByteArray("1.0.2.37\r\n") : body;
                const QByteArray length = "Content-Length: " + QByteArray::number(sending.size()) + "\r\n";
                socket->write("HTTP/1.1 " + (moved ? "200 OK" : status) + "\r\nContent-Type: text/plain\r\n" +
                              (endless ? QByteArray() : length) + "Connection: close\r\n\r\n" + sending);
                if (!endless)
                    socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::bytesWritten, this, [this, socket](qint64 bytes) {
                sent += bytes;
                if (endless && !socket->bytesToWrite())
                    socket->write(body);
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::disconnected, this, [this, request] {
                if (request->endsWith("\r\n\r\n"))
                    --open;
            });
        }
    }

    QTcpServer server;
    QByteArray status;
    QByteArray body;
};

// A gzip answer unpacking to a version line and 1 GiB of zeros: after a full flush a packed MiB
// stands alone, so one is repeated (the trailer, counting 2 MiB, is reached only after all of it).
QByteArray gzippedGigabyte()
{
    QByteArray zeros(1 << 20, '\0'), packed(1 << 20, Qt::Uninitialized), body;
    z_stream z = {};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, MAX_WBITS + 16, 9, Z_DEFAULT_STRATEGY);
    for (QByteArray in : {"1.0.2.39\r\n" + zeros, zeros, QByteArray()}) {
        z.next_in = reinterpret_cast<Bytef *>(in.data());
        z.avail_in = uInt(in.size());
        z.next_out = reinterpret_cast<Bytef *>(packed.data());
        z.avail_out = uInt(packed.size());
        deflate(&z, in.isEmpty() ? Z_FINISH : Z_FULL_FLUSH);
        const QByteArray part = packed.left(packed.size() - int(z.avail_out));
        body += in.isEmpty() || body.isEmpty() ? part : part.repeated(1023);
    }
    deflateEnd(&z);
    return body;
}

// A port on 127.0.0.1 where nothing listens, held for as long as the object
// lives: bound without listening and without letting anyone share it, so that
// a connection there is refused and no other program can be given the port.
class ClosedHost
{
public:
    ClosedHost()
    {
        descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (descriptor < 0 || ::bind(descriptor, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
            ::getsockname(descriptor, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        port = ntohs(address.sin_port);
    }
    ~ClosedHost()
    {
        if (descriptor >= 0)
            ::close(descriptor);
    }
    ClosedHost(const ClosedHost &) = delete;
    ClosedHost &operator=(const ClosedHost &) = delete;

    bool isValid() const { return port != 0; }
    QByteArray host() const { return "127.0.0.1:" + QByteArray::number(port); }

private:
    int descriptor = -1;
    quint16 port = 0;
};

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void versionsCompareNumberByNumber_data();
    void versionsCompareNumberByNumber();
    void versionFileIsReadFromItsFirstWord_data();
    void versionFileIsReadFromItsFirstWord();
    void anyBodySurvivesTheParse();
    void hostComesFromTheEnvironment();
    void noticeTellsTheOutcome_data();
    void noticeTellsTheOutcome();
    void noServerAtAllIsAFailure();
    void newerVersionLinksTheArchive();
    void openingOrClosingThePortRemovesTheNotice();
    void noticeSitsInTheMiddleOfTheShownPage();
};

void TestUpdateCheck::cleanup()
{
    qunsetenv("RERIRUVOZIVE_UPDATE_HOST");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestUpdateCheck::versionsCompareNumberByNumber_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("equal") << "1.0.2.38"
                           << "1.0.2.38" << 0;
    QTest::newRow("next build") << "1.0.2.39"
                                << "1.0.2.38" << 1;
    QTest::newRow("next minor, shorter build") << "1.0.3.1"
                                               << "1.0.2.38" << 1;
    QTest::newRow("two-digit part") << "1.0.10.1"
                                    << "1.0.2.38" << 1;
    QTest::newRow("older") << "1.0.2.9"
                           << "1.0.2.38" << -1;
    QTest::newRow("major wins") << "2.0.0.0"
                                << "1.9.99.99" << 1;
}

void TestUpdateCheck::versionsCompareNumberByNumber()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const QVector<int> va = updatecheck::parseVersion(a);
    const QVector<int> vb = updatecheck::parseVersion(b);
    QCOMPARE(va.size(), 4);
    QCOMPARE(vb.size(), 4);
    const int result = updatecheck::compareVersions(va, vb);
    QCOMPARE((result > 0) - (result < 0), sign);
    QCOMPARE(-updatecheck::compareVersions(vb, va), updatecheck::compareVersions(va, vb));
}

void TestUpdateCheck::versionFileIsReadFromItsFirstWord_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("version"); // empty: no version
    QTest::newRow("with line end") << QByteArray("1.0.2.39\r\n") << "1.0.2.39";
    QTest::newRow("with more lines") << QByteArray("1.0.10.1\nchanges: many\n") << "1.0.10.1";
    QTest::newRow("zero byte ends it") << QByteArray("1.0.3.1\0junk", 12) << "1.0.3.1";
    QTest::newRow("seven bytes") << QByteArray("1.0.2.3") << "1.0.2.3";
    QTest::newRow("six bytes") << QByteArray("1.0.2.") << "";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("three parts") << QByteArray("1.0.238\n") << "";
    QTest::newRow("five parts") << QByteArray("1.0.2.38.1\n") << "";
    QTest::newRow("letters") << QByteArray("1.0.2.3a\n") << "";
    QTest::newRow("sign") << QByteArray("1.0.-2.38\n") << "";
    QTest::newRow("html error page") << QByteArray("<html><body>Not here</body></html>") << "";
    QTest::newRow("huge part") << QByteArray("1.0.2.99999999999999\n") << "";
}

void TestUpdateCheck::versionFileIsReadFromItsFirstWord()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, version);
    const QVector<int> parsed = updatecheck::parseVersionFile(body);
    QCOMPARE(parsed, updatecheck::parseVersion(version));
    QCOMPARE(parsed.isEmpty(), version.isEmpty());
}

void TestUpdateCheck::anyBodySurvivesTheParse()
{
    QRandomGenerator random(20261207);
    for (int i = 0; i < 2000; ++i) {
        QByteArray body(int(random.bounded(0, 64)), Qt::Uninitialized);
        for (char &c : body)
            c = char(random.bounded(256));
        if (i % 3 == 0 && body.size() > 8)
            body.replace(0, 8, "1.0.2.3 ");
        const QVector<int> parsed = updatecheck::parseVersionFile(body);
        QVERIFY(parsed.isEmpty() || parsed.size() == 4);
    }
}

void TestUpdateCheck::hostComesFromTheEnvironment()
{
    qunsetenv("RERIRUVOZIVE_UPDATE_HOST");
    QCOMPARE(updatecheck::versionFileUrl().host(), QString::fromLatin1(updatecheck::kDefaultHost));
    QCOMPARE(updatecheck::versionFileUrl().scheme(), QStringLiteral("http"));
    QCOMPARE(updatecheck::archiveUrl().scheme(), QStringLiteral("https"));
    qputenv("RERIRUVOZIVE_UPDATE_HOST", "127.0.0.1:8123");
    QCOMPARE(updatecheck::versionFileUrl().toString(),
             QStringLiteral("http://127.0.0.1:8123/download/_ftp/all/dut/ZEZ_Izezuzidivir.txt"));
    QCOMPARE(updatecheck::archiveUrl().path(), QStringLiteral("/download/_ftp/all/dut/ZEZ_Izezuzidivir.zip"));
}

void TestUpdateCheck::noticeTellsTheOutcome_data()
{
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("older") << QByteArray("200 OK") << QByteArray("1.0.2.37\r\n") << kUpToDate;
    QTest::newRow("equal") << QByteArray("200 OK") << QByteArray("1.0.2.38\r\n") << kUpToDate;
    QTest::newRow("newer build") << QByteArray("200 OK") << QByteArray("1.0.2.39\r\n") << kNewer;
    QTest::newRow("newer minor") << QByteArray("200 OK") << QByteArray("1.0.3.1\r\n") << kNewer;
    QTest::newRow("two-digit part") << QByteArray("200 OK") << QByteArray("1.0.10.1\r\n") << kNewer;
    QTest::newRow("short body") << QByteArray("200 OK") << QByteArray("1.0.2") << kFailed;
    QTest::newRow("no version") << QByteArray("200 OK") << QByteArray("maintenance\r\n") << kFailed;
    QTest::newRow("not found") << QByteArray("404 Not Found") << QByteArray("1.0.9.99\r\n") << kFailed;
    QTest::newRow("endless body") << QByteArray("200 OK") << QByteArray("1.0.2.39\r\n").leftJustified(4096) << kFailed;
    QTest::newRow("moved, nowhere said") << QByteArray("301 Moved Permanently") << QByteArray("1.0.2.39\r\n")
                                         << kFailed;
    // An answer without an error of Qt's own that is no version file all the same.
    QTest::newRow("multiple choices") << QByteArray("300 Multiple Choices") << QByteArray("1.0.2.39\r\n") << kFailed;
    QTest::newRow("found elsewhere") << QByteArray("302 Found\r\nLocation: /moved") << QByteArray("1.0.2.39\r\n")
                                     << kUpToDate;
    // Marked packed, the answer is refused whatever its bytes.
    QTest::newRow("marked packed") << QByteArray("200 OK\r\nContent-Encoding: gzip") << QByteArray("1.0.2.39\r\n")
                                   << kFailed;
    QTest::newRow("packed gigabyte") << QByteArray("200 OK\r\nContent-Encoding: gzip") << gzippedGigabyte() << kFailed;
}

void TestUpdateCheck::noticeTellsTheOutcome()
{
    QFETCH(QByteArray, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    VersionServer server(status, body);
    server.endless = QTest::currentDataTag() == QLatin1String("endless body");
    qputenv("RERIRUVOZIVE_UPDATE_HOST", server.host().toLatin1());
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    const long peakBefore = usage.ru_maxrss;
    // The check waits a fixed half second while the window is built; on a
    // loaded machine even a server that answers at once may miss it, and the
    // next start takes the answer. Only a start whose wait saw the answer go
    // out judges it: a failure told for want of time says nothing of it.
    std::unique_ptr<Reriruvozive> window;
    for (int start = 0; start < 5; ++start) {
        const int answeredBefore = server.answered;
        window = std::make_unique<Reriruvozive>();
        const bool inTime = server.answered > answeredBefore;
        if (inTime &&
            (text == kFailed || !window->updateNotice() || !window->updateNotice()->text().startsWith(kFailed)))
            break;
    }
    QVERIFY(window->updateNotice());
    QVERIFY(window->updateNotice()->text().startsWith(text));
    QTRY_VERIFY_WITH_TIMEOUT(server.answered > 0, 10000);
    QVERIFY(server.lastRequest.startsWith("GET /download/_ftp/all/dut/ZEZ_Izezuzidivir.txt HTTP/1.1\r\n"));
    QVERIFY(server.lastRequest.contains("\r\nAccept-Encoding: identity\r\n"));
    // Every reply ends, an endless one once longer than a version file can be
    // (read on to the end of the wait, it takes hundreds of megabytes).
    QTRY_COMPARE_WITH_TIMEOUT(server.open, 0, 10000);
    QVERIFY2(server.sent < 4 << 20, qPrintable(QString::number(server.sent)));
    // Nor a packed one more memory once unpacked (a window takes about 20 MiB;
    // the sanitizers' first windows take more, until their quarantine is full).
    getrusage(RUSAGE_SELF, &usage);
    if (QTest::currentDataTag() == QLatin1String("packed gigabyte"))
        QVERIFY2(usage.ru_maxrss - peakBefore < 32 << 10, qPrintable(QString::number(usage.ru_maxrss - peakBefore)));
}

void TestUpdateCheck::noServerAtAllIsAFailure()
{
    const ClosedHost closed;
    QVERIFY(closed.isValid());
    qputenv("RERIRUVOZIVE_UPDATE_HOST", closed.host());
    Reriruvozive window;
    QVERIFY(window.updateNotice());
    QCOMPARE(window.updateNotice()->text(), kFailed);
    // The program goes on: the window is built and works without the server.
    QVERIFY(window.form()->stackedWidget->currentWidget());
}

void TestUpdateCheck::newerVersionLinksTheArchive()
{
    VersionServer server("200 OK", "1.0.2.39\n");
    qputenv("RERIRUVOZIVE_UPDATE_HOST", server.host().toLatin1());
    Reriruvozive window;
    QLabel *notice = window.updateNotice();
    QVERIFY(notice);
    QCOMPARE(notice->textFormat(), Qt::RichText);
    QVERIFY(notice->openExternalLinks());
    QVERIFY(notice->text().contains(
        QStringLiteral("href=\"https://%1/download/_ftp/all/dut/ZEZ_Izezuzidivir.zip\"").arg(server.host())));
    QVERIFY(notice->text().contains(QStringLiteral("color:#E32323")));
    QVERIFY(notice->text().contains(QStringLiteral(">Загрузить</a>")));
    QCOMPARE(notice->size(), QSize(400, 300));
}

void TestUpdateCheck::openingOrClosingThePortRemovesTheNotice()
{
    const ClosedHost closed;
    QVERIFY(closed.isValid());
    qputenv("RERIRUVOZIVE_UPDATE_HOST", closed.host());
    Reriruvozive window;
    QPointer<QLabel> notice = window.updateNotice();
    QVERIFY(notice);
    emit window.port()->signalOpenPort(false);
    QVERIFY(!window.updateNotice());
    QTRY_VERIFY(!notice);
    // A second removal finds nothing to remove.
    window.deleteLabelUpdate();
    QVERIFY(!window.updateNotice());
}

// The notice is placed while the window is still being built; it must sit
// where the page will be once the window is shown, not where the page's
// default size would put it.
void TestUpdateCheck::noticeSitsInTheMiddleOfTheShownPage()
{
    const ClosedHost closed;
    QVERIFY(closed.isValid());
    qputenv("RERIRUVOZIVE_UPDATE_HOST", closed.host());
    Reriruvozive window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QLabel *notice = window.updateNotice();
    QVERIFY(notice);
    const QSize page = window.form()->DUT->size();
    QVERIFY2(page.width() > 640, qPrintable(QString::number(page.width())));
    QCOMPARE(notice->geometry(), QRect(page.width() / 2 - 200, page.height() / 3, 400, 300));
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
