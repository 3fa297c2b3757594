// vantorel-service end to end: the real executable on loopback, spoken to over UDP and HTTP.

#include "../support/ServiceProcess.h"
#include "link/Md5.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTcpSocket>
#include <QTemporaryFile>
#include <QUdpSocket>
#include <QUrl>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include <sys/prctl.h>

#include <csignal>

namespace {

constexpr int kWaitMs = 5000;

QByteArray gbk(const QString& text) {
    return QStringEncoder("GBK").encode(text);
}
QString fromGbk(const QByteArray& bytes) {
    return QStringDecoder("GBK").decode(bytes);
}

QString login(const QString& account, const QString& password, const QString& version = "10.09") {
    return QStringLiteral("Login|%1|%2|%3").arg(account, vantorel::Md5Digest(password), version);
}

using Service = vantorel::test::ServiceProcess;

// One client endpoint. It can answer every probe at once, as the client does, or with a token
// of its own; everything else is kept for receive().
class UdpClient {
  public:
    enum class Echo { None, Right, Wrong };

    explicit UdpClient(quint16 serverPort, Echo echo = Echo::None)
        : serverPort_(serverPort), echo_(echo) {
        socket_.bind(QHostAddress::LocalHost, 0);
        if (echo_ != Echo::None) {
            QObject::connect(&socket_, &QUdpSocket::readyRead, &socket_, [this] { drain(true); });
        }
    }

    void send(const QString& text) { sendRaw(gbk(text)); }
    void sendRaw(const QByteArray& bytes) {
        socket_.writeDatagram(bytes, QHostAddress::LocalHost, serverPort_);
    }

    // The next datagram; probes are skipped unless asked for.
    std::optional<QString> receive(bool includeProbes = false, int timeoutMs = kWaitMs) {
        const QDeadlineTimer deadline(timeoutMs);
        while (true) {
            drain(false);
            while (!inbox_.isEmpty()) {
                const QByteArray bytes = inbox_.takeFirst();
                lastRaw = bytes;
                const QString text = fromGbk(bytes);
                if (includeProbes || !text.startsWith(QLatin1String("TestLogin|"))) return text;
            }
            if (deadline.hasExpired()) return std::nullopt;
            QSignalSpy spy(&socket_, &QUdpSocket::readyRead);
            if (!socket_.hasPendingDatagrams()) spy.wait(int(deadline.remainingTime()));
        }
    }

    QByteArray lastRaw;

  private:
    void drain(bool echo) {
        while (socket_.hasPendingDatagrams()) {
            const QByteArray bytes = socket_.receiveDatagram().data();
            if (echo && bytes.startsWith("TestLogin|")) {
                sendRaw(echo_ == Echo::Right ? bytes : bytes + "0");
                continue;
            }
            inbox_.append(bytes);
        }
    }

    QUdpSocket socket_;
    quint16 serverPort_;
    Echo echo_;
    QList<QByteArray> inbox_;
};

struct HttpResult {
    int status = 0;
    QByteArray contentType, location, body;
};

HttpResult httpGet(quint16 port, const QUrl& relative) {
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(
        QUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)).resolved(relative));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!reply->isFinished()) finished.wait(kWaitMs);
    HttpResult result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.contentType = reply->rawHeader("Content-Type");
    result.location = reply->rawHeader("Location");
    result.body = reply->readAll();
    return result;
}

HttpResult httpGet(quint16 port, const QString& pathAndQuery) {
    return httpGet(port, QUrl(pathAndQuery));
}

HttpResult adminMessage(quint16 port, const QString& account, const QString& title,
                        const QString& number) {
    QUrl url(QStringLiteral("/admin/msg"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("user"), account);
    query.addQueryItem(QStringLiteral("title"), title);
    query.addQueryItem(QStringLiteral("id"), number);
    url.setQuery(query);
    return httpGet(port, url);
}

// Everything the server sends on one raw connection until it closes it.
QByteArray rawExchange(quint16 port, const QByteArray& request) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(kWaitMs)) return {};
    socket.write(request);
    // The server closes the connection after its answer; waiting ends there.
    QByteArray answer;
    const QDeadlineTimer deadline(kWaitMs);
    while (socket.waitForReadyRead(int(deadline.remainingTime()))) answer += socket.readAll();
    return answer + socket.readAll();
}

// Follows a query page's redirect and returns the answer fields, or the single error word.
QStringList queryAnswer(quint16 port, const QString& pathAndQuery, const char* sendPage) {
    const HttpResult result = httpGet(port, pathAndQuery);
    EXPECT_EQ(result.status, 302) << pathAndQuery.toStdString();
    const QUrl location = QUrl::fromEncoded(result.location, QUrl::StrictMode);
    EXPECT_TRUE(location.isValid()) << result.location.toStdString();
    EXPECT_EQ(location.path().toStdString(), sendPage);
    return location.query(QUrl::FullyDecoded).split(u'|');
}

class ServiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        service = std::make_unique<Service>(QStringList{"--probe-interval", "60000"});
        ASSERT_TRUE(service->ready()) << service->log().toStdString();
    }
    void TearDown() override {
        if (HasFailure()) std::cerr << "service log:\n" << service->log().toStdString();
    }
    std::unique_ptr<Service> service;
};

TEST_F(ServiceTest, LoginAnswers) {
    const struct {
        QString datagram, answer;
    } cases[] = {
        {login("demo", "demo123"), "LoginOk"},
        {login("张三", "zhang3"), "LoginOk"},
        {login("demo", "wrong"), "Err|Password"},
        {QStringLiteral("Login|demo|%1|10.09").arg(vantorel::Md5Digest("demo123").toLower()),
         "Err|Password"},
        {login("test", "demo123"), "Err|Password"},
        {login("nobody", "demo123"), "Err|Password"},
        {login("locked", "locked123"), "Err|Style"},
        {login("locked", "wrong"), "Err|Password"},
        {login("demo", "demo123", "10.08"), "Err|ErrCode"},
        {login("nobody", "wrong", "10.090"), "Err|ErrCode"},
    };
    for (const auto& c : cases) {
        UdpClient client(service->loginPort);
        client.send(c.datagram);
        EXPECT_EQ(client.receive().value_or("(nothing)"), c.answer) << c.datagram.toStdString();
    }
}

TEST_F(ServiceTest, NewerLoginOfTheSameAccountDisplacesTheOlderOne) {
    UdpClient first(service->loginPort), second(service->loginPort);
    first.send(login("test", "test123"));
    ASSERT_EQ(first.receive().value_or(""), "LoginOk");
    second.send(login("test", "test123"));
    ASSERT_EQ(second.receive().value_or(""), "LoginOk");
    EXPECT_EQ(first.receive().value_or(""), "Err|Users");

    // Messages now reach the newer client only.
    EXPECT_EQ(adminMessage(service->webPort, "test", "t", "1").status, 200);
    EXPECT_EQ(second.receive().value_or(""), "Msg|t|1");
    UdpClient third(service->loginPort);
    third.send(login("demo", "demo123"));
    ASSERT_EQ(third.receive().value_or(""), "LoginOk");
    first.send(login("demo", "demo123"));  // a datagram that surely gets an answer
    EXPECT_EQ(first.receive().value_or(""), "LoginOk") << "first got something else before";
}

TEST_F(ServiceTest, AdminMessageReachesTheSessionInGbk) {
    UdpClient client(service->loginPort);
    client.send(login("张三", "zhang3"));
    ASSERT_EQ(client.receive().value_or(""), "LoginOk");

    const HttpResult result = adminMessage(service->webPort, "张三", "开盘提醒", "15");
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "ok");
    EXPECT_EQ(client.receive().value_or(""), "Msg|开盘提醒|15");
    EXPECT_EQ(client.lastRaw, gbk("Msg|开盘提醒|15"));

    const struct {
        QString account, title, number;
        int status;
    } refused[] = {
        {"demo", "开盘提醒", "15", 404},  // not logged in
        {"张三", "a|b", "15", 400},       // would add a field
        {"张三", "提醒", "x1", 400},     {"张三", "", "15", 400},
        {"张三", "😀", "15", 400},  // not in GBK
    };
    for (const auto& r : refused) {
        EXPECT_EQ(adminMessage(service->webPort, r.account, r.title, r.number).status, r.status)
            << r.title.toStdString();
    }
    client.send(login("张三", "zhang3"));  // nothing refused was sent before this answer
    EXPECT_EQ(client.receive().value_or(""), "LoginOk");
}

TEST_F(ServiceTest, MalformedDatagramFloodIsIgnored) {
    const QByteArray junk[] = {
        QByteArray(),
        "Login",
        "Login|demo",
        "Login|demo|" + vantorel::Md5Digest("demo123").toLatin1(),
        "Login|demo|x|10.09|extra",
        "LOGIN|demo|x|10.09",
        "TestLogin|",
        "TestLogin|123",
        "Hello|world",
        "|||",
        "\xff\xfe\x81",        // not GBK
        "Login|\x81|x|10.09",  // truncated GBK character
        QByteArray("Login|\0demo|x", 13),
    };
    UdpClient client(service->loginPort);
    for (int round = 0; round < 100; ++round) {
        for (const QByteArray& datagram : junk) client.sendRaw(datagram);
    }
    client.sendRaw(QByteArray(65507, 'A'));  // the largest datagram there is
    // The flood may overflow the socket buffer, and UDP may drop the login with it.
    std::optional<QString> answer;
    for (int attempt = 0; attempt < 5 && !answer; ++attempt) {
        client.send(login("demo", "demo123"));
        answer = client.receive(true, 1000);
    }
    EXPECT_EQ(answer.value_or("(nothing)"), "LoginOk");
    EXPECT_EQ(service->process().state(), QProcess::Running);
}

TEST(ServiceProbeTest, ClientsThatDoNotEchoTheLatestProbeAreForgotten) {
    Service service({"--probe-interval", "150", "--probe-misses", "3"});
    ASSERT_TRUE(service.ready()) << service.log().toStdString();

    UdpClient echoing(service.loginPort, UdpClient::Echo::Right), silent(service.loginPort),
        wrongToken(service.loginPort, UdpClient::Echo::Wrong);
    echoing.send(login("demo", "demo123"));
    silent.send(login("test", "test123"));
    wrongToken.send(login("张三", "zhang3"));
    ASSERT_EQ(echoing.receive().value_or(""), "LoginOk");
    ASSERT_EQ(silent.receive().value_or(""), "LoginOk");
    ASSERT_EQ(wrongToken.receive().value_or(""), "LoginOk");

    const QString probe = silent.receive(true).value_or("");
    EXPECT_TRUE(QRegularExpression("^TestLogin\\|\\w+$").match(probe).hasMatch())
        << probe.toStdString();
    EXPECT_TRUE(service.waitForOutput("session test ", true));
    EXPECT_TRUE(service.waitForOutput("session 张三 ", true));
    EXPECT_EQ(adminMessage(service.webPort, "test", "t", "1").status, 404);
    EXPECT_EQ(adminMessage(service.webPort, "张三", "t", "1").status, 404);
    EXPECT_EQ(adminMessage(service.webPort, "demo", "t", "1").status, 200);
    EXPECT_EQ(echoing.receive().value_or(""), "Msg|t|1");
    EXPECT_FALSE(service.log().contains("session demo ")) << service.log().toStdString();
}

TEST_F(ServiceTest, PagesAnswerWithTheirContentType) {
    const QByteArray htmlType = "text/html; charset=utf-8";
    const struct {
        QString path;
        int status;
        QByteArray type;
    } cases[] = {
        {"/", 200, htmlType},
        {"/ad.asp", 200, htmlType},
        {"/WebSet.asp?MsgID=15", 200, htmlType},
        {"/WebSet.asp?MsgID=oops", 200, htmlType},
        {"/Question.asp", 200, htmlType},
        {"/Computer.asp", 200, htmlType},
        {"/Reg.asp", 200, htmlType},
        {"/BusinessRePass.asp", 200, htmlType},
        {"/SendG?x", 200, htmlType},
        {"/SendD", 200, htmlType},
        {"/Quorvex.exe", 200, "application/octet-stream"},
        {"/missing.asp", 404, htmlType},
    };
    for (const auto& c : cases) {
        const HttpResult result = httpGet(service->webPort, c.path);
        EXPECT_EQ(result.status, c.status) << c.path.toStdString();
        EXPECT_EQ(result.contentType, c.type) << c.path.toStdString();
        EXPECT_FALSE(result.body.isEmpty()) << c.path.toStdString();
    }
    // The message page shows the text of its number, and something for unknown numbers.
    const QByteArray fifteen = httpGet(service->webPort, QString("/WebSet.asp?MsgID=15")).body;
    const QByteArray unknown = httpGet(service->webPort, QString("/WebSet.asp?MsgID=9999")).body;
    EXPECT_NE(fifteen, unknown);
    EXPECT_TRUE(QString::fromUtf8(httpGet(service->webPort, QString("/ad.asp")).body)
                    .contains(QRegularExpression("[\\x{4e00}-\\x{9fff}]")));
}

TEST_F(ServiceTest, StockQueryRedirectsWithTheAnswer) {
    const QRegularExpression price("^\\d+\\.\\d\\d$");
    const struct {
        QString code, name;
    } stocks[] = {{"sh600519", "贵州茅台"}, {"SZ000001", "平安银行"}};
    for (const auto& s : stocks) {
        const QString path = "/RequestGpInfo.asp?GpID=" + s.code + "&UserID=demo&PgRun=3";
        const QStringList f = queryAnswer(service->webPort, path, "/SendG");
        ASSERT_EQ(f.size(), 9) << f.join('|').toStdString();
        EXPECT_EQ(f[0], s.name);
        EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d$").match(f[1]).hasMatch())
            << f[1].toStdString();
        EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(f[2]).hasMatch())
            << f[2].toStdString();
        for (int i : {3, 4, 5, 6, 7}) {
            EXPECT_TRUE(price.match(f[i]).hasMatch()) << i << ": " << f[i].toStdString();
        }
        const double pressure = f[3].toDouble(), current = f[5].toDouble(),
                     support = f[6].toDouble();
        EXPECT_GT(pressure, current);
        EXPECT_GT(current, support);
        EXPECT_NEAR(f[4].toDouble(), (pressure - current) / current * 100, 0.011);
        EXPECT_NEAR(f[7].toDouble(), (current - support) / current * 100, 0.011);
        EXPECT_TRUE(f[8].contains("<br><br>"));
        // The levels depend on the code only.
        EXPECT_EQ(queryAnswer(service->webPort, path, "/SendG").mid(3, 5), f.mid(3, 5));
    }

    const QStringList suspended = queryAnswer(
        service->webPort, "/RequestGpInfo.asp?GpID=sh600004&UserID=demo&PgRun=1", "/SendG");
    ASSERT_EQ(suspended.size(), 9);
    EXPECT_EQ(suspended[0], "白云机场");
    EXPECT_TRUE(suspended[3].isEmpty());

    const struct {
        QString query, answer;
    } errors[] = {
        {"GpID=sh999999&UserID=demo&PgRun=1", "ErrGpID"},
        {"GpID=&UserID=demo&PgRun=1", "ErrGpID"},
        {"UserID=demo", "ErrGpID"},
        {"GpID=sh600036&UserID=demo&PgRun=1", "ErrGpMoney"},
    };
    for (const auto& e : errors) {
        EXPECT_EQ(queryAnswer(service->webPort, "/RequestGpInfo.asp?" + e.query, "/SendG"),
                  QStringList{e.answer})
            << e.query.toStdString();
    }
}

TEST_F(ServiceTest, IndexQueryRedirectsWithEightFields) {
    const struct {
        QString daPan, name;
        bool wideRange;  // (pressure - support) / support above 12%
    } cases[] = {{"s_sh000001", "上证指数", true}, {"s_sh000002", "深证成指", false}};
    for (const auto& c : cases) {
        const QStringList f =
            queryAnswer(service->webPort,
                        "/RequestDaPan.asp?DaPan=" + c.daPan + "&UserID=demo&PgRun=2", "/SendD");
        ASSERT_EQ(f.size(), 8) << f.join('|').toStdString();
        EXPECT_EQ(f[0], c.name);
        const double pressure = f[3].toDouble(), current = f[5].toDouble(),
                     support = f[6].toDouble();
        EXPECT_GT(pressure, current);
        EXPECT_GT(current, support);
        EXPECT_EQ((pressure - support) / support > 0.12, c.wideRange) << c.daPan.toStdString();
    }
    EXPECT_EQ(queryAnswer(service->webPort, "/RequestDaPan.asp?DaPan=s_sh999999", "/SendD"),
              QStringList{"ErrGpID"});
}

TEST_F(ServiceTest, WebServerSurvivesBadAndSlowRequests) {
    const struct {
        QByteArray request, statusLine;
    } cases[] = {
        {"hello\r\n\r\n", "HTTP/1.1 400 "},
        {"GET nothing HTTP/1.1\r\n\r\n", "HTTP/1.1 400 "},
        {"GET / HTTP/1.1\r\nno colon here\r\n\r\n", "HTTP/1.1 400 "},
        {"POST /ad.asp HTTP/1.1\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 405 "},
        {"GET /" + QByteArray(20 * 1024, 'a'), "HTTP/1.1 431 "},
        {"GET /ad.asp HTTP/1.0\r\n\r\n", "HTTP/1.1 200 "},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(rawExchange(service->webPort, c.request).startsWith(c.statusLine))
            << c.request.left(40).toStdString();
    }

    // A client that stops half-way through its request holds up nobody else.
    QTcpSocket stalled;
    stalled.connectToHost(QHostAddress::LocalHost, service->webPort);
    ASSERT_TRUE(stalled.waitForConnected(kWaitMs));
    stalled.write("GET / HTTP/1.1\r\nHost: x\r\n");
    stalled.flush();
    EXPECT_EQ(httpGet(service->webPort, QString("/ad.asp")).status, 200);
}

TEST(ServiceCommandLineTest, DigestOptionPrintsTheUpperCaseDigest) {
    QProcess process;
    process.start(VANTOREL_BIN_DIR "/vantorel-service", {"--digest", "abc"});
    ASSERT_TRUE(process.waitForFinished(kWaitMs));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), "900150983CD24FB0D6963F7D28E17F72\n");
}

TEST(ServiceCommandLineTest, RefusesToStartWhenAPortIsTaken) {
    Service first;
    ASSERT_TRUE(first.ready());
    for (const QStringList& ports : {QStringList{"--login-port", QString::number(first.loginPort)},
                                     QStringList{"--web-port", QString::number(first.webPort)}}) {
        QProcess second;
        second.setStandardInputFile(QProcess::nullDevice());
        second.start(VANTOREL_BIN_DIR "/vantorel-service",
                     QStringList{"--login-port", "0", "--web-port", "0"} + ports);
        ASSERT_TRUE(second.waitForFinished(kWaitMs)) << ports.join(' ').toStdString();
        EXPECT_EQ(second.exitCode(), 1);
        EXPECT_FALSE(second.readAllStandardOutput().contains("READY"));
        EXPECT_TRUE(second.readAllStandardError().contains("cannot listen"));
    }
}

TEST(ServiceCommandLineTest, BrokenAccountLinesAreSkippedWithAWarning) {
    QTemporaryFile accounts;
    ASSERT_TRUE(accounts.open());
    const QByteArray digest = vantorel::Md5Digest("pw").toLatin1();
    const QByteArrayList lines = {
        "\xEF\xBB\xBF# comment\r",
        "",
        "alpha|" + digest + "|active\r",
        "beta|XYZ|active",
        "gamma|" + digest,
        "delta|" + digest + "|frozen",
        "|" + digest + "|active",
        "eps|" + digest.toLower() + "|active",
        "\xF0\x9F\x98\x80|" + digest + "|active",  // an account name GBK cannot carry
        "alpha|" + vantorel::Md5Digest("other").toLatin1() + "|active",
    };
    accounts.write(lines.join('\n'));
    accounts.close();

    Service service({"--accounts", accounts.fileName()});
    ASSERT_TRUE(service.ready()) << service.log().toStdString();
    ASSERT_TRUE(service.waitForOutput("1 accounts", true)) << service.log().toStdString();
    EXPECT_EQ(service.log().count("warning: "), 7) << service.log().toStdString();
    const struct {
        QString datagram, answer;
    } cases[] = {
        {login("alpha", "pw"), "LoginOk"},
        {login("alpha", "other"), "Err|Password"},  // the first line of a duplicate stays
        {login("gamma", "pw"), "Err|Password"},
        {login("delta", "pw"), "Err|Password"},
        {login("eps", "pw"), "Err|Password"},
    };
    for (const auto& c : cases) {
        UdpClient client(service.loginPort);
        client.send(c.datagram);
        EXPECT_EQ(client.receive().value_or("(nothing)"), c.answer) << c.datagram.toStdString();
    }
}

TEST(ServiceCommandLineTest, OperatorCommandsOnStdin) {
    Service service(QStringList{}, true);
    ASSERT_TRUE(service.ready()) << service.log().toStdString();
    UdpClient client(service.loginPort);
    client.send(login("demo", "demo123"));
    ASSERT_EQ(client.receive().value_or(""), "LoginOk");

    service.process().write("msg demo 收盘 提醒 7\n");
    EXPECT_EQ(client.receive().value_or(""), "Msg|收盘 提醒|7");
    service.process().write("list\n");
    EXPECT_TRUE(service.waitForOutput("demo 127.0.0.1:", false));
    service.process().write("bogus\n");
    EXPECT_TRUE(service.waitForOutput("commands:", false));
    service.process().write("kick demo\n");
    EXPECT_EQ(client.receive().value_or(""), "Err|Users");
    EXPECT_TRUE(service.waitForOutput("kicked demo", false));
    EXPECT_EQ(adminMessage(service.webPort, "demo", "t", "1").status, 404);

    // The end of stdin ends the console, not the service.
    service.process().closeWriteChannel();
    client.send(login("demo", "demo123"));
    EXPECT_EQ(client.receive().value_or(""), "LoginOk");
    EXPECT_EQ(service.process().state(), QProcess::Running);
}

}  // namespace
