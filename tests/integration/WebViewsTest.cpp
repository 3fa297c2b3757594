#include "platform/qt/WebViews.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using vantorel::qt::DeferredWebView;
using vantorel::qt::HiddenWebView;
using vantorel::qt::QtWebViewFactory;

namespace {

// A loopback HTTP/1.0 server. Each request target is looked up in `routes`; a route answering
// with an empty response holds the connection open until release().
class TinyHttp : public QObject {
  public:
    TinyHttp() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s] { read(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

    std::map<QByteArray, std::function<QByteArray()>> routes;
    std::vector<QByteArray> targets;  // every request target in arrival order, as sent
    std::map<QByteArray, QPointer<QTcpSocket>> held;

    static QByteArray redirect(const QByteArray& location) {
        return "HTTP/1.0 302 Found\r\nLocation: " + location +
               "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    }
    static QByteArray page(const QByteArray& status, const QByteArray& body) {
        return "HTTP/1.0 " + status +
               "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }

  private:
    void read(QTcpSocket* s) {
        QByteArray& buf = buffers_[s];
        buf += s->readAll();
        if (!buf.contains("\r\n\r\n")) return;
        const QByteArray target = buf.split(' ').value(1);
        buf.clear();
        targets.push_back(target);
        const QByteArray path = target.split('?').value(0);
        const auto route = routes.find(path);
        const QByteArray answer =
            route == routes.end() ? page("404 Not Found", "missing") : route->second();
        if (answer.isEmpty()) {
            held[path] = s;
            return;
        }
        s->write(answer);
        s->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> buffers_;
};

bool waitForLoad(QSignalSpy& spy) {
    return spy.count() > 0 || spy.wait(10000);
}

}  // namespace

TEST(HiddenWebView, RedirectAnswerIsReadableTextAndRequestsCarryUtf8) {
    TinyHttp http;
    // The service answers in the redirect's query: "|"-separated fields, Chinese included.
    const QString answer = QStringLiteral("OK|张三|资金账户|12.5%");
    const QByteArray encoded = QUrl::toPercentEncoding(answer);
    http.routes["/ask"] = [&] { return TinyHttp::redirect("/SendG?" + encoded); };
    http.routes["/SendG"] = [] { return TinyHttp::page("200 OK", "<html></html>"); };

    HiddenWebView web;
    EXPECT_EQ(web.documentUrl(), QString()) << "no document before the first load";
    QSignalSpy loaded(&web, &HiddenWebView::loadFinished);
    web.navigate(http.base() + QStringLiteral("/ask?user=李四|x y"));
    ASSERT_TRUE(waitForLoad(loaded));
    EXPECT_EQ(loaded.takeFirst().at(0).toBool(), true);
    EXPECT_EQ(web.documentUrl(), http.base() + "/SendG?" + answer);

    // What went out: UTF-8 escapes that decode to exactly the text the model built.
    ASSERT_EQ(http.targets.size(), 2u);
    const QByteArray sent = http.targets[0];
    for (char ch : sent) EXPECT_LT(static_cast<unsigned char>(ch), 0x80) << sent.constData();
    EXPECT_EQ(QUrl::fromPercentEncoding(sent), QStringLiteral("/ask?user=李四|x y"));
}

TEST(HiddenWebView, BlankErrorsAndUnreachableAddresses) {
    TinyHttp http;
    HiddenWebView web;
    QSignalSpy loaded(&web, &HiddenWebView::loadFinished);

    web.navigate(QStringLiteral("about:blank"));
    EXPECT_EQ(web.documentUrl(), QStringLiteral("about:blank"));
    EXPECT_TRUE(http.targets.empty());

    // An error page is still the document the browser shows.
    loaded.clear();
    web.navigate(http.base() + "/nothing?q=1");
    ASSERT_TRUE(waitForLoad(loaded));
    EXPECT_EQ(web.documentUrl(), http.base() + "/nothing?q=1");

    // No answer at all: the previous document stays.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 deadPort = closed.serverPort();
    closed.close();
    loaded.clear();
    web.navigate(QStringLiteral("http://127.0.0.1:%1/x").arg(deadPort));
    ASSERT_TRUE(waitForLoad(loaded));
    EXPECT_EQ(loaded.takeFirst().at(0).toBool(), false);
    EXPECT_EQ(web.documentUrl(), http.base() + "/nothing?q=1");

    // Nonsense addresses are ignored the same way.
    loaded.clear();
    web.navigate(QStringLiteral("::not a url"));
    web.navigate(QString());
    EXPECT_EQ(web.documentUrl(), http.base() + "/nothing?q=1");
}

TEST(HiddenWebView, ANewNavigationReplacesOneStillWaiting) {
    TinyHttp http;
    // Both answers are held until the test lets go, the first one first.
    http.routes["/slow"] = [] { return QByteArray(); };
    http.routes["/fast"] = [] { return QByteArray(); };
    http.routes["/fast-done"] = [] { return TinyHttp::page("200 OK", "b"); };
    http.routes["/late"] = [] { return TinyHttp::page("200 OK", "a"); };

    HiddenWebView web;
    QSignalSpy loaded(&web, &HiddenWebView::loadFinished);
    web.navigate(http.base() + "/slow?a");
    ASSERT_TRUE(QTest::qWaitFor([&] { return http.held.count("/slow") > 0; }, 10000));
    web.navigate(http.base() + "/fast");
    ASSERT_TRUE(QTest::qWaitFor([&] { return http.held.count("/fast") > 0; }, 10000));

    if (QTcpSocket* slow = http.held["/slow"];
        slow && slow->state() == QTcpSocket::ConnectedState) {
        slow->write(TinyHttp::redirect("/late?a"));
        slow->disconnectFromHost();
    }
    QTcpSocket* fast = http.held["/fast"];
    ASSERT_TRUE(fast);
    fast->write(TinyHttp::redirect("/fast-done?b"));
    fast->disconnectFromHost();

    ASSERT_TRUE(waitForLoad(loaded));
    EXPECT_EQ(web.documentUrl(), http.base() + "/fast-done?b");
    EXPECT_EQ(loaded.count(), 1);
    EXPECT_EQ(std::count(http.targets.begin(), http.targets.end(), QByteArray("/late?a")), 0)
        << "the abandoned request's redirect was never followed";
}

TEST(WebViewFactory, OnlyWebBrowser1IsHidden) {
    QtWebViewFactory factory;
    EXPECT_NE(dynamic_cast<HiddenWebView*>(factory.create(QStringLiteral("WebBrowser1")).get()),
              nullptr);
    for (const char* name : {"WebAD", "WebQuestion", "WebSet"})
        EXPECT_NE(dynamic_cast<DeferredWebView*>(factory.create(QString::fromLatin1(name)).get()),
                  nullptr)
            << name;
}

TEST(DeferredWebView, KeepsTheLastAddressAndLoadsItOnAttach) {
    TinyHttp http;
    http.routes["/ad.asp"] = [] {
        return TinyHttp::page("200 OK", "<html><body>ad</body></html>");
    };

    DeferredWebView web;
    EXPECT_EQ(web.documentUrl(), QString());
    web.navigate(http.base() + "/first");
    web.navigate(http.base() + "/ad.asp");
    EXPECT_EQ(web.documentUrl(), http.base() + "/ad.asp");
    EXPECT_TRUE(http.targets.empty()) << "nothing loads before a view is attached";

    QWebEngineView view;
    view.resize(200, 100);
    view.show();
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    web.attach(&view);
    if (!finished.wait(60000))
        GTEST_SKIP() << "Qt WebEngine did not load a page in this environment (no GPU/sandbox?)";
    EXPECT_EQ(finished.takeFirst().at(0).toBool(), true);
    std::erase(http.targets, QByteArray("/favicon.ico"));
    EXPECT_EQ(http.targets, std::vector<QByteArray>{"/ad.asp"}) << "only the last address counts";
    EXPECT_EQ(web.documentUrl(), http.base() + "/ad.asp");
}
