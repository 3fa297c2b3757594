// The real client (models, views, UDP, SQLite, hidden browser) against the real service on
// loopback, driven through its widgets.

#include "../support/ServiceProcess.h"

#include "platform/qt/Application.h"
#include "platform/qt/FormView.h"
#include "platform/qt/Shell.h"
#include "platform/qt/SqliteDatabase.h"
#include "ui/message/FormMessage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace vantorel;
using vantorel::test::ServiceProcess;

namespace {

// Types any text, Chinese included, as key events with that text (QTest::keyClicks is ASCII only).
void typeText(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

struct CountingExit : ProcessPort {
    int exits = 0;
    void exitNow() override { ++exits; }
};

// One client with its own application folder (a copy of the shipped database).
class Client {
  public:
    explicit Client(const ServiceProcess& service, quint16 loginPort = 0) {
        QFile::copy(QStringLiteral(VANTOREL_BIN_DIR "/QsDate.db"), dir.filePath("QsDate.db"));
        QFile::setPermissions(dir.filePath("QsDate.db"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        qt::Application::Options o;
        o.appDir = dir.path();
        o.service.loginHost = QStringLiteral("127.0.0.1");
        o.service.loginPort = loginPort ? loginPort : service.loginPort;
        o.service.webBase = service.webBase();
        o.process = &exit;
        app = std::make_unique<qt::Application>(o);
        app->start();
    }

    FormLogin& form() { return app->form(); }
    QWidget* widget(const char* name, int index = -1) {
        Control& c = form().ctl(QString::fromLatin1(name), index);
        return app->shell().view(form())->widgetFor(c);
    }
    void login(const QString& account, const QString& password) {
        typeText(widget("UserName_Txt"), account);
        typeText(widget("PassWord_Txt"), password);
        QTest::keyClick(widget("PassWord_Txt"), Qt::Key_Return);
    }
    QString status() { return form().ctl("Login_Txt").text(); }
    bool shows(const char* control) { return form().ctl(QString::fromLatin1(control)).visible; }

    CountingExit exit;
    QTemporaryDir dir;
    std::unique_ptr<qt::Application> app;
};

}  // namespace

TEST(LoginRoad, GoodLoginReachesTheSearchPageAndIsSaved) {
    ServiceProcess service;
    ASSERT_TRUE(service.ready());
    Client client(service);
    QTest::mouseClick(client.widget("Chk_AutoLogin"), Qt::LeftButton);
    client.login("demo", "demo123");
    EXPECT_TRUE(client.shows("LoginClose_Bot") || client.shows("Frame_Search"));
    QTRY_VERIFY_WITH_TIMEOUT(client.shows("Frame_Search"), 5000);
    EXPECT_EQ(client.form().ctl("Info_UserName").text(), "帐号: demo");
    EXPECT_TRUE(client.form().TempLoginOk);

    qt::SqliteDatabase db;
    ASSERT_TRUE(db.open(client.dir.path()));
    const auto row = db.readSystem();
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->autoLogin, "Yes");
    EXPECT_EQ(row->userName.value_or(""), "demo");
    EXPECT_EQ(row->passWord.value_or(""), "62CC2D8B4BF2D8728120D052163A77DF");
}

TEST(LoginRoad, WrongPasswordAndLockedAccountShowTheirMessages) {
    ServiceProcess service;
    ASSERT_TRUE(service.ready());
    const std::pair<const char*, const char*> cases[] = {{"demo", "帐户与密码错误，请重试"},
                                                         {"locked", "账户状态异常，请联系销售商"}};
    for (auto [account, message] : cases) {
        Client client(service);
        client.login(account, account == QStringLiteral("locked") ? "locked123" : "wrong");
        QTRY_COMPARE_WITH_TIMEOUT(client.status(), QString::fromUtf8(message), 5000);
        EXPECT_TRUE(client.shows("LoginClose_Bot"));
        EXPECT_FALSE(client.form().timer("PlayFlash").enabled());
    }
}

TEST(LoginRoad, NoServerTimesOutAfterFiveSeconds) {
    ServiceProcess service;  // for the web pages only
    ASSERT_TRUE(service.ready());
    QUdpSocket silent;  // a bound port that never answers
    ASSERT_TRUE(silent.bind(QHostAddress::LocalHost, 0));
    Client client(service, silent.localPort());
    QElapsedTimer waited;
    waited.start();
    client.login("demo", "demo123");
    QTRY_COMPARE_WITH_TIMEOUT(client.status(), QStringLiteral("连接超时，请重试。"), 8000);
    EXPECT_GE(waited.elapsed(), 4900);
    EXPECT_TRUE(client.shows("LoginClose_Bot"));
}

TEST(LoginRoad, ASecondLoginTakesTheFirstBackAndMessagesArrive) {
    ServiceProcess service;
    ASSERT_TRUE(service.ready());
    Client first(service);
    first.login("demo", "demo123");
    QTRY_VERIFY_WITH_TIMEOUT(first.shows("Frame_Search"), 5000);

    QNetworkAccessManager http;
    auto push = [&](const QString& user) {
        QUrl url(service.webBase() + "/admin/msg");
        QUrlQuery q;
        q.addQueryItem("user", user);
        q.addQueryItem("title", "系统通知");
        q.addQueryItem("id", "15");
        url.setQuery(q);
        std::unique_ptr<QNetworkReply> reply(http.get(QNetworkRequest(url)));
        if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 5000)) return -1;
        return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    };
    EXPECT_EQ(push("demo"), 200);
    QTRY_VERIFY_WITH_TIMEOUT(first.form().messageWindow() != nullptr, 5000);
    FormMessage* message = first.form().messageWindow();
    EXPECT_EQ(message->ctl("NewsBt").text(), "系统通知");
    EXPECT_TRUE(message->visible);
    ASSERT_NE(first.app->shell().view(*message), nullptr);
    EXPECT_TRUE(first.app->shell().view(*message)->isVisible());

    Client second(service);
    second.login("demo", "demo123");
    QTRY_VERIFY_WITH_TIMEOUT(second.shows("Frame_Search"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(first.status(), QStringLiteral("有另一用户在异地登录"), 5000);
    EXPECT_TRUE(first.shows("LoginClose_Bot"));
    EXPECT_FALSE(first.shows("Frame_Search"));
    EXPECT_FALSE(first.form().timer("PlayFlash").enabled());
}

TEST(LoginRoad, SearchAndQueryFillTheResultPage) {
    ServiceProcess service;
    ASSERT_TRUE(service.ready());
    Client client(service);
    client.login("张三", "zhang3");
    QTRY_VERIFY_WITH_TIMEOUT(client.shows("Frame_Search"), 5000);
    QWidget* box = client.widget("SearchForm_Text");
    QTest::mouseClick(box, Qt::LeftButton);
    box->setFocus();
    typeText(box, "茅台");
    ASSERT_GE(client.form().gpRowCount(), 1);
    EXPECT_EQ(client.form().ctl("GpName", 1).text(), "贵州茅台");
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(client.form().ctl("SearchForm_Text").text(), "sh600519");
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(client.shows("Frame_results"), 5000);
    EXPECT_EQ(client.form().ctl("SearchGp_Name").text(), "贵州茅台");
    EXPECT_EQ(client.form().ctl("SearchGp_ID").text(), "SH600519");
    EXPECT_TRUE(client.form().ctl("SearchGp_UpMoney").text().startsWith("RMB: "));
    EXPECT_TRUE(client.form().ctl("SearchGp_Info").text().startsWith("　　"));

    QTest::mouseClick(client.widget("ToolsTree_Bot", 1), Qt::LeftButton);
    QTest::mouseClick(client.widget("SearchDapan_shanghai"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(client.form().ctl("SearchGp_Name").text(), QStringLiteral("上证指数"),
                              5000);
    EXPECT_TRUE(client.shows("Frame_results"));
    EXPECT_EQ(client.form().ctl("SearchGp_ID").text(), "");
}
