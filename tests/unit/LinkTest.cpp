#include "FakePlatform.h"

#include "link/Gbk.h"
#include "link/Md5.h"

using namespace vantorel;
using vantorel::test::App;

namespace {

const QString kDigest = "900150983CD24FB0D6963F7D28E17F72";  // MD5 of "abc"

// Logs in up to the loading page with a typed password.
void typeAndLogin(App& app, const QString& user, const QString& password) {
    app.c("UserName_Txt").setText(user);
    app.c("PassWord_Txt").setText(password);
    app.f().click(app.c("Login_Bot"));
}

}  // namespace

TEST(LoginRequest, CarriesAccountDigestAndVersionAsOneGbkDatagram) {
    struct Case {
        const char* name;
        QString user, password, autoLogin;
        QString want;
    };
    const Case cases[] = {
        {"typed", "demo", "abc", "No", "Login|demo|" + kDigest + "|10.09"},
        {"restored digest sent unchanged", "demo", kDigest, "Yes",
         "Login|demo|" + kDigest + "|10.09"},
        {"empty", "", "", "No", "Login||D41D8CD98F00B204E9800998ECF8427E|10.09"},
        {"untrimmed Chinese account", " 张三 ", "abc", "No", "Login| 张三 |" + kDigest + "|10.09"},
    };
    for (const Case& c : cases) {
        App app;
        app.load();
        app.c("UserName_Txt").setText(c.user);
        app.c("PassWord_Txt").setText(c.password);
        app.f().TempAutoLogin = c.autoLogin;
        app.f().click(app.c("Login_Bot"));
        ASSERT_EQ(app.link.sent.size(), 1u) << c.name;
        EXPECT_EQ(app.link.sent[0], toGbk(c.want)) << c.name;
        EXPECT_TRUE(app.c("LoginClose_Bot").visible) << c.name;
        EXPECT_EQ(app.c("Login_Txt").text(), "正在获取登录信息") << c.name;
        EXPECT_TRUE(app.on("Timer_Monitor")) << c.name;
    }
}

TEST(LoginRequest, AnAccountWithTheFieldSeparatorIsNotSent) {
    App app;
    app.load();
    typeAndLogin(app, "a|b", "abc");
    EXPECT_TRUE(app.link.sent.empty());
    EXPECT_TRUE(app.c("Login_Bot").visible);
}

TEST(LoginAnswers, ErrorCodesShowTheirTextAndColourAndStopWaiting) {
    const Rgb white{255, 255, 255}, cyan{0, 200, 255};
    struct Case {
        const char* datagram;
        const char* text;
        Rgb colour;
    };
    const Case cases[] = {
        {"Err|Password", "帐户与密码错误，请重试", white},
        {"Err|Style", "账户状态异常，请联系销售商", white},
        {"Err|ErrCode", "当前版本过旧 点击下载最新版", cyan},
        {"Err|Somewhere", "正在获取登录信息", white},
        {"Err", "正在获取登录信息", white},
        {"Err|password", "正在获取登录信息", white},
        {"Err|Password|extra|fields", "帐户与密码错误，请重试", white},
    };
    for (const Case& c : cases) {
        App app;
        app.load();
        typeAndLogin(app, "demo", "abc");
        app.c("Login_Txt").foreColor = Rgb{1, 2, 3};
        app.receive(QString::fromUtf8(c.datagram));
        EXPECT_EQ(app.c("Login_Txt").text(), QString::fromUtf8(c.text)) << c.datagram;
        EXPECT_EQ(app.c("Login_Txt").foreColor, c.colour) << c.datagram;
        EXPECT_FALSE(app.on("PlayFlash")) << c.datagram;
        EXPECT_FALSE(app.on("Timer_Monitor")) << c.datagram;
        EXPECT_TRUE(app.c("LoginClose_Bot").visible) << c.datagram << ": page unchanged";
        app.clock.advance(6000);
        EXPECT_EQ(app.c("Login_Txt").text(), QString::fromUtf8(c.text)) << "no timeout follows";
    }
}

TEST(LoginAnswers, UsersTakesAnyPageBackToTheStoppedLoadingPage) {
    App app;
    FormLogin& f = app.load();
    typeAndLogin(app, "demo", "abc");
    app.receive("LoginOk");
    f.ShowPage("SearchResultPage");
    app.receive("Err|Users");
    EXPECT_TRUE(app.c("LoginClose_Bot").visible);
    EXPECT_FALSE(app.c("Frame_results").visible);
    EXPECT_EQ(app.c("Login_Txt").text(), "有另一用户在异地登录");
    EXPECT_FALSE(app.on("PlayFlash"));
    EXPECT_FALSE(app.on("Timer_Monitor"));
    EXPECT_TRUE(f.TempLoginOk) << "stays set until the loading page is left";
}

TEST(LoginAnswers, LoginOkSwitchesToSearchAndSavesTheLogin) {
    struct Case {
        const char* name;
        int ticked;
        QString password, autoLogin;
        std::array<QString, 3> saved;  // AutoLogin, PassWord, UserName
    };
    const Case cases[] = {
        {"typed, save ticked", 1, "abc", "No", {"Yes", kDigest, "demo"}},
        {"typed, not ticked", 0, "abc", "No", {"No", kDigest, "demo"}},
        {"restored digest", 1, kDigest, "Yes", {"Yes", kDigest, "demo"}},
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        app.c("Chk_AutoLogin").setValue(c.ticked);
        app.c("UserName_Txt").setText("demo");
        app.c("PassWord_Txt").setText(c.password);
        f.TempAutoLogin = c.autoLogin;
        f.click(app.c("Login_Bot"));
        app.receive("LoginOk|1|2|3");
        EXPECT_EQ(app.c("Info_UserName").text(), "帐号: demo") << c.name;
        EXPECT_TRUE(f.TempLoginOk) << c.name;
        EXPECT_EQ(app.c("FormTop_Left").picture(), 1013) << c.name;
        EXPECT_TRUE(app.c("Frame_Search").visible) << c.name;
        EXPECT_FALSE(app.on("Timer_Monitor")) << c.name;
        ASSERT_EQ(app.database.saved.size(), 1u) << c.name;
        EXPECT_EQ(app.database.saved[0], c.saved) << c.name;
    }
}

TEST(LoginAnswers, LateAndRepeatedLoginOkStillLogIn) {
    App app;
    app.load();
    typeAndLogin(app, "demo", "abc");
    app.clock.advance(5000);
    EXPECT_EQ(app.c("Login_Txt").text(), "连接超时，请重试。");
    EXPECT_FALSE(app.on("PlayFlash"));
    app.clock.advance(2000);
    app.receive("LoginOk");
    EXPECT_TRUE(app.c("Frame_Search").visible);
    app.f().ShowPage("SearchResultPage");
    app.receive("LoginOk");
    EXPECT_TRUE(app.c("Frame_Search").visible);
    EXPECT_EQ(app.database.saved.size(), 2u);
}

TEST(LoginAnswers, ProbesAreEchoedWithTheTokenOnly) {
    struct Case {
        const char* probe;
        const char* echo;
    };
    const Case cases[] = {
        {"TestLogin|abc", "TestLogin|abc"},   {"TestLogin|abc|xyz", "TestLogin|abc"},
        {"TestLogin|", "TestLogin|"},         {"TestLogin", "TestLogin|"},
        {"TestLogin|令牌", "TestLogin|令牌"},
    };
    for (const Case& c : cases) {
        App app;
        app.load();
        app.f().ShowPage("SearchMainPage");
        app.receive(QString::fromUtf8(c.probe));
        ASSERT_EQ(app.link.sent.size(), 1u) << c.probe;
        EXPECT_EQ(fromGbk(app.link.sent[0]), QString::fromUtf8(c.echo)) << c.probe;
        EXPECT_TRUE(app.c("Frame_Search").visible) << c.probe << ": page unchanged";
    }
}

TEST(LoginAnswers, OddDatagramsChangeNothing) {
    QByteArray huge(65507, 'x');
    const QByteArray cases[] = {
        QByteArray(),
        "LoginOK",
        "loginok",
        "|LoginOk",
        "Msg",
        "Msg|title only",
        QByteArray("Err\0|Users", 10),
        "\xff\xfe\x80|\x81",
        huge,
        "Err|" + huge,
    };
    for (const QByteArray& d : cases) {
        App app;
        FormLogin& f = app.load();
        f.ShowPage("SearchMainPage");
        f.Link_DataArrival(d, "127.0.0.1", 4116);
        EXPECT_TRUE(app.c("Frame_Search").visible) << d.left(20).toStdString();
        EXPECT_TRUE(app.link.sent.empty());
        EXPECT_EQ(f.messageWindow(), nullptr);
        EXPECT_FALSE(f.TempLoginOk);
    }
}

TEST(LoginAnswers, OnlyTheLoginServerIsHeard) {
    struct Case {
        QString host;
        quint16 port;
        bool heard;
    };
    const Case cases[] = {
        {"127.0.0.1", 4116, true},  {"::ffff:127.0.0.1", 4116, true}, {"127.0.0.1", 4117, false},
        {"127.0.0.2", 4116, false}, {"10.0.0.1", 4116, false},
    };
    for (const Case& c : cases) {
        App app;
        app.load();
        typeAndLogin(app, "demo", "abc");
        app.receive("Err|Users", c.host, c.port);
        app.receive("Msg|t|1", c.host, c.port);
        app.receive("TestLogin|x", c.host, c.port);
        EXPECT_EQ(app.c("Login_Txt").text() == "有另一用户在异地登录", c.heard)
            << c.host.toStdString();
        EXPECT_EQ(app.f().messageWindow() != nullptr, c.heard);
        EXPECT_EQ(app.link.sent.size(), c.heard ? 2u : 1u);
    }
}

TEST(LoginAnswers, GbkTextOnTheWireIsDecoded) {
    App app;
    FormLogin& f = app.load();
    f.Link_DataArrival(toGbk("Msg|系统通知|15"), "127.0.0.1", 4116);
    ASSERT_NE(f.messageWindow(), nullptr);
    EXPECT_EQ(f.messageWindow()->ctl("NewsBt").text(), "系统通知");
}

TEST(LoginPanel, KeysInTheAccountBoxDiscardARestoredDigest) {
    App app;
    app.database.system = SystemRow{"Yes", "demo", kDigest};
    FormLogin& f = app.load();
    EXPECT_EQ(app.c("PassWord_Txt").text(), kDigest);
    EXPECT_FALSE(f.keyPress(app.c("UserName_Txt"), 'x'));
    EXPECT_EQ(app.c("PassWord_Txt").text(), "");
    EXPECT_EQ(f.TempAutoLogin, "No");
    // Enter in the account box does not log in.
    EXPECT_FALSE(f.keyPress(app.c("UserName_Txt"), '\r'));
    EXPECT_TRUE(app.link.sent.empty());
    EXPECT_TRUE(f.keyPress(app.c("UserName_Txt"), '|')) << "the separator is refused";
}

TEST(LoginPanel, EnterInThePasswordBoxLogsInWithTheRestoredDigest) {
    App app;
    app.database.system = SystemRow{"Yes", "demo", kDigest};
    FormLogin& f = app.load();
    EXPECT_TRUE(f.keyPress(app.c("PassWord_Txt"), '\r')) << "Enter is swallowed";
    EXPECT_EQ(app.lastSent(), "Login|demo|" + kDigest + "|10.09");
    EXPECT_EQ(f.TempAutoLogin, "Yes");
    app.receive("LoginOk");
    EXPECT_EQ(app.database.saved.back()[1], kDigest) << "the stored digest is unchanged";
}

TEST(LoginPanel, TypingInThePasswordBoxMakesItsWholeTextAPassword) {
    App app;
    app.database.system = SystemRow{"Yes", "demo", kDigest};
    FormLogin& f = app.load();
    Control& box = app.c("PassWord_Txt");
    EXPECT_FALSE(f.keyPress(box, 'a'));
    f.userEdited(box, kDigest + "a");
    f.keyPress(box, '\r');
    EXPECT_EQ(app.lastSent(), "Login|demo|" + Md5Digest(kDigest + "a") + "|10.09");
}

TEST(LoginPanel, ThePasswordBoxTakesSingleByteCharactersOnly) {
    App app;
    FormLogin& f = app.load();
    Control& box = app.c("PassWord_Txt");
    EXPECT_TRUE(f.keyPress(box, QChar(0x5BC6))) << "密 is refused";
    EXPECT_TRUE(f.keyPress(box, QChar(0xE9)));
    EXPECT_FALSE(f.keyPress(box, '~'));
    f.userEdited(box, "ab密码c");  // a paste or an input method
    EXPECT_EQ(box.text(), "abc");
    f.userEdited(app.c("UserName_Txt"), "张|三");
    EXPECT_EQ(app.c("UserName_Txt").text(), "张三");
    EXPECT_EQ(box.text(), "") << "a changed account discards the password";
}

TEST(LoginPanel, PastingOverARestoredDigestCountsAsTyping) {
    App app;
    app.database.system = SystemRow{"Yes", "demo", kDigest};
    FormLogin& f = app.load();
    f.userEdited(app.c("PassWord_Txt"), "secret");
    EXPECT_EQ(f.TempAutoLogin, "No");
    f.click(app.c("Login_Bot"));
    EXPECT_EQ(app.lastSent(), "Login|demo|" + Md5Digest("secret") + "|10.09");
}

TEST(MessageWindow, OpensAtTheBottomRightAboveTheTaskBar) {
    struct Case {
        const char* name;
        int workBottom;
        double top;
    };
    const Case cases[] = {
        {"task bar at the bottom", 728, 768 * 15 - 600 - 2700},
        {"task bar elsewhere", 768, 768 * 15 - 2700},
    };
    for (const Case& c : cases) {
        App app;
        app.screen.s.workBottom = c.workBottom;
        FormLogin& f = app.load();
        f.ShowPage("SearchMainPage");
        app.receive("Msg|通知|15");
        FormMessage* m = f.messageWindow();
        ASSERT_NE(m, nullptr) << c.name;
        EXPECT_EQ(m->width(), 3900);
        EXPECT_EQ(m->height(), 2700);
        EXPECT_EQ(m->left, 1024 * 15 - 3900 - 75) << c.name;
        EXPECT_EQ(m->top, c.top) << c.name;
        EXPECT_TRUE(m->visible && m->topmost);
        EXPECT_EQ(m->region, (RoundRegion{261, 181, 9, 9}));
        EXPECT_EQ(m->ctl("NewsBt").text(), "通知");
        EXPECT_EQ(app.web("WebSet").navigations.back(), app.base() + "/WebSet.asp?MsgID=15");
        EXPECT_TRUE(app.c("Frame_Search").visible) << "the main window keeps its page";
    }
}

TEST(MessageWindow, LaysOutItsSkin) {
    App app;
    app.load();
    app.receive("Msg|t|1");
    FormMessage& m = *app.f().messageWindow();
    struct Want {
        const char* name;
        double left, top, width, height;
        int picture;
    };
    const Want wants[] = {
        {"FormTop", 0, 0, 3900, 390, 1011},     {"FormCenent", 0, 390, 3900, 2250, 102},
        {"FormBottom", 0, 2640, 3900, 60, 103}, {"Bot_Close", 3390, 30, 435, 360, 110},
        {"WebSetBox", 150, 480, 3600, 2025, 0}, {"WebSet", -30, -30, 3660, 2085, 0},
    };
    for (const Want& w : wants) {
        const Control& c = m.ctl(w.name);
        EXPECT_EQ(std::tie(c.left, c.top, c.width, c.height),
                  std::tie(w.left, w.top, w.width, w.height))
            << w.name;
        EXPECT_EQ(c.picture(), w.picture) << w.name;
    }
    EXPECT_EQ(m.ctl("NewsBt").left, 225);
}

TEST(MessageWindow, IsReusedWhileOpenAndCreatedAnewAfterClosing) {
    App app;
    FormLogin& f = app.load();
    app.receive("Msg|一|1");
    FormMessage* first = f.messageWindow();
    const int firstId = first->instanceId();
    first->left = 0;  // placed again on the next message
    app.receive("Msg|二|2");
    EXPECT_EQ(f.messageWindow(), first);
    EXPECT_EQ(first->ctl("NewsBt").text(), "二");
    EXPECT_EQ(first->left, 1024 * 15 - 3900 - 75);
    EXPECT_EQ(app.web("WebSet").navigations.back(), app.base() + "/WebSet.asp?MsgID=2");

    first->click(first->ctl("Bot_Close"));
    EXPECT_EQ(f.messageWindow(), nullptr);
    EXPECT_EQ(f.forms().size(), 1u);
    app.receive("Msg|三|3");
    ASSERT_NE(f.messageWindow(), nullptr);
    EXPECT_NE(f.messageWindow()->instanceId(), firstId);
    EXPECT_TRUE(f.messageWindow()->topmost);
}

TEST(MessageWindow, CloseButtonHoverCapturesTheMouse) {
    App app;
    app.load();
    app.receive("Msg|t|1");
    FormMessage& m = *app.f().messageWindow();
    Control& b = m.ctl("Bot_Close");
    struct Case {
        double x, y;
        bool over;
    };
    const Case cases[] = {{0, 0, true},     {435, 360, true}, {436, 100, false},
                          {100, -1, false}, {200, 200, true}, {-15, 0, false}};
    for (const Case& c : cases) {
        m.mouseMove(b, 0, 0, c.x, c.y);
        EXPECT_EQ(b.picture(), c.over ? 111 : 110) << c.x << "," << c.y;
        EXPECT_EQ(b.mouseCaptured, c.over);
    }
}
