#include "FakePlatform.h"

#include <QFile>

using namespace vantorel;
using vantorel::test::App;

TEST(Tray, LeftClickShowsAndUndocksTheWindowAtItsEdge) {
    struct Case {
        const char* dock;
        bool visible;
        double left, top;  // afterwards
    };
    const double right = 1024 * 15 - 3600;
    const Case cases[] = {
        {"中", false, 5000, 900},  // hidden by the minimise button: shows where it was
        {"右", true, right, 900},  // slid out at the right edge
        {"左", true, 0, 900},     {"上", true, 5000, 0},
        {"中", true, 5000, 900},  // shown and free: nothing moves
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        f.visible = c.visible;
        f.left = 5000;
        f.top = 900;
        f.TempWindowPosition = QString::fromUtf8(c.dock);
        f.TempWindowCtrl = "是";
        const quint64 focus = f.focusRequestSerial;
        f.IconLogo_MouseMove(kLeftButton);
        EXPECT_TRUE(f.visible) << c.dock;
        EXPECT_EQ(f.left, c.left) << c.dock;
        EXPECT_EQ(f.top, c.top) << c.dock;
        EXPECT_EQ(f.TempWindowPosition, "中");
        EXPECT_EQ(f.TempWindowCtrl, "否");
        EXPECT_EQ(f.focusRequest, &app.c("Text1"));
        EXPECT_EQ(f.focusRequestSerial, focus + 1);
    }
}

TEST(Tray, RightClickPopsTheMenuWhoseExitEndsWithoutSaving) {
    App app;
    FormLogin& f = app.load();
    f.IconLogo_MouseMove(4);
    EXPECT_EQ(app.tray.menus, 0);
    f.IconLogo_MouseMove(kRightButton);
    EXPECT_EQ(app.tray.menus, 1);
    auto menu = f.trayMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].caption, "官方网站");
    EXPECT_EQ(menu[1].caption, "退出软件");
    menu[0].action();
    EXPECT_EQ(app.opener.opened, std::vector<QString>{app.base()});
    menu[1].action();
    EXPECT_EQ(app.process.exits, 1);
    EXPECT_FALSE(app.tray.present);
    EXPECT_FALSE(QFile::exists(f.configPath()));
}

TEST(WebLinks, LabelsAndTheDownloadLineOpenTheirAddresses) {
    App app;
    FormLogin& f = app.load();
    f.click(app.c("Jion_Label"));
    f.click(app.c("RePass_Label"));
    f.click(app.c("Web_Label"));
    f.click(app.c("Web_Label"));
    f.WindowOpenUrl("web");
    f.WindowOpenUrl("Other");
    f.click(app.c("Login_Bot"));
    f.click(app.c("Login_Txt"));  // "正在获取登录信息": nothing
    app.receive("Err|ErrCode");
    f.click(app.c("Login_Txt"));
    const QString b = app.base();
    EXPECT_EQ(app.opener.opened, (std::vector<QString>{b + "/Reg.asp", b + "/BusinessRePass.asp", b,
                                                       b, b + "/Quorvex.exe"}));
}
