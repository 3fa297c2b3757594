#include "FakePlatform.h"

#include "app/IniFile.h"

#include <QFile>

using namespace vantorel;
using vantorel::test::App;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(Startup, FirstStartOpensTheLoginPageAtTheTopRight) {
    App app;
    FormLogin& f = app.load();
    EXPECT_EQ(f.width(), 3600);
    EXPECT_EQ(f.height(), 8550);
    EXPECT_EQ(f.top, 450);
    EXPECT_EQ(f.left, 1024 * 15 - 3600 - 450);
    EXPECT_TRUE(f.topmost);
    EXPECT_EQ(f.region, (RoundRegion{241, 571, 9, 9}));
    EXPECT_EQ(f.MaxMeWidth, 3600);
    EXPECT_EQ(f.TempWindowPosition, "中");
    EXPECT_EQ(f.TempWindowCtrl, "否");
    EXPECT_EQ(f.TempPlayFx, "右");
    EXPECT_EQ(f.TempAutoLogin, "No");
    EXPECT_FALSE(f.TempLoginOk);
    EXPECT_EQ(
        app.visiblePageControls(),
        (std::vector<std::string>{"UserName_Label", "UserName_border", "PassWord_Label",
                                  "PassWord_border", "Login_Bot", "Jion_Label", "RePass_Label",
                                  "Web_Label", "Logo", "Chk_AutoLogin", "LebAutoLogin"}));
    EXPECT_EQ(app.c("UserName_Txt").text(), "");
    EXPECT_EQ(app.c("Chk_AutoLogin").value(), 0);
    EXPECT_TRUE(app.tray.present);
    EXPECT_EQ(app.tray.tip, "Vantorel");
    EXPECT_EQ(app.link.host, "127.0.0.1");
    EXPECT_EQ(app.link.port, 4116);
    EXPECT_TRUE(app.link.sent.empty()) << "a saved login never logs in by itself";
    EXPECT_EQ(app.web("WebAD").navigations, std::vector<QString>{app.base() + "/ad.asp"});
    // Timers as the window is created.
    EXPECT_TRUE(app.on("Timer3"));
    EXPECT_TRUE(app.on("SearchGpInfoMonitor"));
    EXPECT_FALSE(app.on("PlayFlash") || app.on("Timer_Monitor") || app.on("Timer1") ||
                 app.on("Timer2"));
}

TEST(Startup, RestoresThePositionFromTheSettingsFile) {
    struct Case {
        const char* name;
        QByteArray file;  // empty: no file
        double top, left;
    };
    const double defLeft = 1024 * 15 - 3600 - 450;
    const Case cases[] = {
        {"no file", {}, 450, defLeft},
        {"blank MainTop", "[WindowMove]\r\nMainTop=   \r\nMainLeft=100\r\n", 450, defLeft},
        {"saved", "[WindowMove]\r\nMainTop=1200\r\nMainLeft=11760\r\n", 1200, 11760},
        {"off screen, kept as is", "[WindowMove]\r\nMainTop=1200\r\nMainLeft=-3000\r\n", 1200,
         -3000},
        {"far off screen", "[WindowMove]\r\nMainTop=-90000\r\nMainLeft=900000\r\n", -90000, 900000},
        {"MainLeft missing", "[WindowMove]\r\nMainTop=75\r\n", 75, defLeft},
        {"MainLeft not a number", "[WindowMove]\r\nMainTop=75\r\nMainLeft=abc\r\n", 75, defLeft},
        {"MainTop not a number", "[WindowMove]\r\nMainTop=x1\r\nMainLeft=5\r\n", 450, defLeft},
        {"absurd number", "[WindowMove]\r\nMainTop=1e300\r\nMainLeft=5\r\n", 450, defLeft},
        {"other section", "[Other]\r\nMainTop=1200\r\n", 450, defLeft},
        {"garbage bytes", QByteArray("\x00\xff\xfe[Wind\x00owMove]\n=\n\n", 20), 450, defLeft},
    };
    for (const Case& c : cases) {
        App app;
        if (!c.file.isEmpty()) writeFile(app.f().configPath(), c.file);
        FormLogin& f = app.load();
        EXPECT_EQ(f.top, c.top) << c.name;
        EXPECT_EQ(f.left, c.left) << c.name;
        EXPECT_EQ(f.TempWindowPosition, "中") << c.name << ": the dock position is never restored";
    }
}

TEST(Startup, RestoresTheSavedLoginOnlyWhenAutoLoginIsExactlyYes) {
    struct Case {
        const char* name;
        bool opens;
        std::optional<SystemRow> row;
        int ticked;
        QString user, pass, autoLogin;
    };
    const QString digest = "900150983CD24FB0D6963F7D28E17F72";
    const Case cases[] = {
        {"saved", true, SystemRow{"Yes", "demo", digest}, 1, "demo", digest, "Yes"},
        {"not saved", true, SystemRow{"No", "demo", digest}, 0, "", "", "No"},
        {"lower case yes", true, SystemRow{"yes", "demo", digest}, 0, "", "", "No"},
        {"NULL account", true, SystemRow{"Yes", std::nullopt, digest}, 1, "", digest, "Yes"},
        {"NULL digest", true, SystemRow{"Yes", "demo", std::nullopt}, 1, "demo", "", "Yes"},
        {"no row", true, std::nullopt, 0, "", "", "No"},
        {"no database", false, SystemRow{"Yes", "demo", digest}, 0, "", "", "No"},
    };
    for (const Case& c : cases) {
        App app;
        app.database.opens = c.opens;
        app.database.system = c.row;
        FormLogin& f = app.load();
        EXPECT_EQ(app.c("Chk_AutoLogin").value(), c.ticked) << c.name;
        EXPECT_EQ(app.c("UserName_Txt").text(), c.user) << c.name;
        EXPECT_EQ(app.c("PassWord_Txt").text(), c.pass) << c.name;
        EXPECT_EQ(f.TempAutoLogin, c.autoLogin) << c.name;
        // Later steps still ran.
        EXPECT_EQ(app.web("WebAD").navigations.size(), 1u) << c.name;
    }
}

TEST(Startup, StartsWithoutAnyPort) {
    Platform bare;
    bare.appDir = "/nonexistent/folder";
    FormLogin f(bare);
    f.Form_Load();
    EXPECT_EQ(f.width(), 3600);
    EXPECT_EQ(f.TempAutoLogin, "No");
    f.click(f.ctl("Login_Bot"));  // sends nowhere, shows the loading page
    EXPECT_TRUE(f.ctl("LoginClose_Bot").visible);
}

TEST(Shutdown, CloseButtonWritesThePositionThenEnds) {
    App app;
    FormLogin& f = app.load();
    f.left = 11760;
    f.top = 1200;
    f.TempWindowPosition = "右";
    f.click(app.c("Bot_Close"));
    EXPECT_FALSE(app.tray.present);
    EXPECT_EQ(app.process.exits, 1);
    QFile file(f.configPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[WindowMove]\r\nMainTop=1200\r\nMainLeft=11760\r\n"
                                         "MainVisible=\xD3\xD2\r\n"))
        << "three keys in order, GBK text";

    // The next start stands where the window was closed, undocked.
    App next;
    next.platform.appDir = f.configPath().section('/', 0, -2);
    FormLogin& g = next.load();
    EXPECT_EQ(g.left, 11760);
    EXPECT_EQ(g.top, 1200);
    EXPECT_EQ(g.TempWindowPosition, "中");
}

TEST(Shutdown, FractionalAndNegativePositionsAreStoredAsNumbers) {
    App app;
    FormLogin& f = app.load();
    f.left = -75;
    f.top = 1207.5;
    f.click(app.c("Bot_Close"));
    EXPECT_EQ(ReadIniValue("WindowMove", "MainTop", f.configPath()), "1207.5");
    EXPECT_EQ(ReadIniValue("WindowMove", "MainLeft", f.configPath()), "-75");
}

TEST(Shutdown, ExitFromTheTrayKeepsTheLastSavedPosition) {
    App app;
    FormLogin& f = app.load();
    WriteIniValue("WindowMove", "MainTop", "1200", f.configPath());
    f.top = 3000;
    f.ExitSoft();
    EXPECT_FALSE(app.tray.present);
    EXPECT_EQ(app.process.exits, 1);
    EXPECT_EQ(ReadIniValue("WindowMove", "MainTop", f.configPath()), "1200");
}

TEST(Shutdown, MinimiseHidesAndChangesNothingElse) {
    App app;
    FormLogin& f = app.load();
    f.TempWindowPosition = "右";
    f.ShowPage("SearchMainPage");
    f.visible = true;
    f.click(app.c("Bot_Min"));
    EXPECT_FALSE(f.visible);
    EXPECT_EQ(f.TempWindowPosition, "右");
    EXPECT_TRUE(app.c("Frame_Search").visible);
    EXPECT_TRUE(app.on("Timer3"));
}

TEST(Startup, TaskbarHeightFromTheWorkArea) {
    struct Case {
        int screenH, workBottom, tpp;
        int want;
    };
    const Case cases[] = {
        {768, 728, 15, 600},  // bottom task bar, 40 px
        {768, 768, 15, 0},    // task bar elsewhere
        {1080, 1040, 15, 600},
        {768, 0, 15, 11520},  // odd work area: still a plain number
    };
    for (const Case& c : cases) {
        App app;
        app.screen.s.heightTwips = c.screenH * 15.0;
        app.screen.s.workBottom = c.workBottom;
        app.screen.s.twipsPerPixelX = c.tpp;
        EXPECT_EQ(app.load().GetTaskbarHeight(), c.want) << c.screenH << " " << c.workBottom;
    }
}
