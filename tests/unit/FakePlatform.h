#pragma once

// Small fakes of every port and a fixture that owns a FormLogin driven by a virtual clock.

#include "app/FormLogin.h"
#include "app/Timer.h"
#include "link/Gbk.h"
#include "platform/Ports.h"
#include "ui/message/FormMessage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vantorel::test {

struct FakeScreen : ScreenPort {
    ScreenInfo s{1024 * 15.0, 768 * 15.0, 15, 0, 0, 1024, 728};
    ScreenInfo info() const override { return s; }
};

struct FakeCursor : CursorPort {
    int x = 0, y = 0;
    void position(int& px, int& py) const override {
        px = x;
        py = y;
    }
};

struct FakeLink : DatagramLink {
    QString host;
    quint16 port = 0;
    std::vector<QByteArray> sent;
    void configure(const QString& h, quint16 p) override {
        host = h;
        port = p;
    }
    void send(const QByteArray& d) override { sent.push_back(d); }
};

struct FakeWebView : WebView {
    std::vector<QString> navigations;
    QString document;
    void navigate(const QString& url) override {
        navigations.push_back(url);
        document = url;  // the fixture lets a test replace it with a redirect target
    }
    QString documentUrl() const override { return document; }
};

struct FakeWebViews : WebViewFactory {
    std::map<QString, FakeWebView*> latest;
    std::unique_ptr<WebView> create(const QString& name) override {
        auto v = std::make_unique<FakeWebView>();
        latest[name] = v.get();
        return v;
    }
};

struct FakeDatabase : LocalDatabase {
    bool opens = true;
    std::optional<SystemRow> system = SystemRow{QStringLiteral("No"), std::nullopt, std::nullopt};
    std::vector<std::array<QString, 3>> saved;  // AutoLogin, PassWord, UserName
    std::vector<StockRow> favouriteRows;
    bool open(const QString&) override { return opens; }
    std::optional<SystemRow> readSystem() override { return system; }
    bool saveLogin(const QString& a, const QString& p, const QString& u) override {
        saved.push_back({a, p, u});
        system = SystemRow{a, u, p};
        return true;
    }
    std::vector<StockRow> favourites() override { return favouriteRows; }
    // Plain substring match: the wildcard rules belong to the real database's tests.
    std::vector<StockRow> stocks;
    std::vector<QString> searches;
    SearchResult search(const QString& text, int limit) override {
        searches.push_back(text);
        SearchResult r;
        for (const StockRow& s : stocks) {
            if (!s.gpId.contains(text, Qt::CaseInsensitive) &&
                !s.gpName.contains(text, Qt::CaseInsensitive))
                continue;
            if (static_cast<int>(r.rows.size()) < limit) r.rows.push_back(s);
            ++r.total;
        }
        return r;
    }
};

struct FakeOpener : ExternalOpener {
    std::vector<QString> opened;
    void open(const QString& url) override { opened.push_back(url); }
};

struct FakeTray : TrayPort {
    bool present = false;
    int menus = 0;
    bool add(const QString& tip) override {
        present = true;
        this->tip = tip;
        return true;
    }
    void remove() override { present = false; }
    void popupMenu() override { ++menus; }
    QString tip;
};

struct FakeRandom : RandomPort {
    double value = 0.5;
    int reseeds = 0;
    void reseedFromClock() override { ++reseeds; }
    double next() override { return value; }
};

struct FakeProcess : ProcessPort {
    int exits = 0;
    void exitNow() override { ++exits; }
};

// A FormLogin on fakes. Construct, adjust the fakes, then call load().
class App {
  public:
    FakeScreen screen;
    FakeCursor cursor;
    FakeLink link;
    FakeWebViews webViews;
    FakeDatabase database;
    FakeOpener opener;
    FakeTray tray;
    FakeRandom random;
    FakeProcess process;
    QTemporaryDir dir;
    Platform platform;
    std::unique_ptr<FormLogin> form;
    VirtualClock clock;

    App() {
        platform.screen = &screen;
        platform.cursor = &cursor;
        platform.link = &link;
        platform.webViews = &webViews;
        platform.database = &database;
        platform.opener = &opener;
        platform.tray = &tray;
        platform.random = &random;
        platform.process = &process;
        platform.appDir = dir.path();
        form = std::make_unique<FormLogin>(platform);
        for (auto& t : form->timers()) clock.add(*t);
    }

    FormLogin& load() {
        form->Form_Load();
        return *form;
    }
    FormLogin& f() { return *form; }
    Control& c(const char* name, int index = -1) {
        return form->ctl(QString::fromUtf8(name), index);
    }
    bool on(const char* timer) { return form->timer(QString::fromLatin1(timer)).enabled(); }
    FakeWebView& web(const char* name) { return *webViews.latest.at(QString::fromLatin1(name)); }
    QString base() const { return platform.service.webBase; }

    // A datagram from the login server (or from elsewhere).
    void receive(const QString& text, const QString& host = QStringLiteral("127.0.0.1"),
                 quint16 port = 4116) {
        form->Link_DataArrival(toGbk(text), host, port);
    }
    QString lastSent() const { return link.sent.empty() ? QString() : fromGbk(link.sent.back()); }

    // Names of the page controls that are visible, to compare pages as sets.
    std::vector<std::string> visiblePageControls();
};

inline std::vector<std::string> App::visiblePageControls() {
    static const char* const pageControls[] = {
        "UserName_Label", "UserName_border", "PassWord_Label",  "PassWord_border",
        "Login_Bot",      "Jion_Label",      "RePass_Label",    "Web_Label",
        "Logo",           "Chk_AutoLogin",   "LebAutoLogin",    "Login_Txt",
        "LoadingLogo",    "LoginClose_Bot",  "SearchClose_Bot", "Main_Logo",
        "Info_UserName",  "ToolsTree",       "Frame_Search",    "Frame_results",
        "WebAD",          "WebQuestion"};
    std::vector<std::string> v;
    for (const char* n : pageControls)
        if (c(n).visible) v.push_back(n);
    bool cells = true;
    for (int i = 1; i <= 8; ++i) cells = cells && c("Pic_Load", i).visible;
    if (cells) v.push_back("Pic_Load");
    return v;
}

}  // namespace vantorel::test
