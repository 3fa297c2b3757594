#include "FakePlatform.h"

using namespace vantorel;
using vantorel::test::App;
using Names = std::vector<std::string>;

namespace {

const Names kLogin{"UserName_Label", "UserName_border", "PassWord_Label", "PassWord_border",
                   "Login_Bot",      "Jion_Label",      "RePass_Label",   "Web_Label",
                   "Logo",           "Chk_AutoLogin",   "LebAutoLogin"};

std::vector<int> toolPictures(App& app) {
    std::vector<int> v;
    for (int i = 1; i <= 4; ++i) v.push_back(app.c("ToolsTree_Bot", i).picture());
    return v;
}

}  // namespace

TEST(ShowPage, EachPageShowsItsControlsWidthTimersAndToolButton) {
    struct Case {
        const char* page;
        Names shown;
        double width;
        bool playFlash, monitor, queryPoll;
        std::vector<int> tools;
        const char* status;
    };
    const Case cases[] = {
        {"LoginPage", kLogin, 3600, false, false, false, {127, 131, 142, 144}, ""},
        {"LoadingPage",
         {"Login_Txt", "LoadingLogo", "LoginClose_Bot", "Pic_Load"},
         3600,
         true,
         true,
         false,
         {127, 131, 142, 144},
         "正在获取登录信息"},
        {"LoadingSearchPage",
         {"Login_Txt", "LoadingLogo", "SearchClose_Bot", "Pic_Load"},
         3600,
         true,
         false,
         true,
         {127, 131, 142, 144},
         "正在获取查询数据"},
        {"SearchMainPage",
         {"Main_Logo", "Info_UserName", "ToolsTree", "Frame_Search", "WebAD"},
         3600,
         false,
         false,
         false,
         {128, 131, 142, 144},
         ""},
        {"SearchResultPage",
         {"Main_Logo", "Info_UserName", "ToolsTree", "Frame_results", "WebAD"},
         3600,
         false,
         false,
         false,
         {127, 132, 142, 144},
         ""},
        {"QuestionPage",
         {"Main_Logo", "Info_UserName", "ToolsTree", "WebAD", "WebQuestion"},
         6750,
         false,
         false,
         false,
         {127, 131, 143, 144},
         ""},
        {"ComputerPage",
         {"Main_Logo", "Info_UserName", "ToolsTree", "WebAD", "WebQuestion"},
         6750,
         false,
         false,
         false,
         {127, 131, 142, 145},
         ""},
        {"searchmainpage", {}, 3600, false, false, false, {127, 131, 142, 144}, ""},
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        f.timer("SearchGpInfoMonitor").setEnabled(false);
        f.ShowPage(QString::fromUtf8(c.page));
        EXPECT_EQ(app.visiblePageControls(), c.shown) << c.page;
        EXPECT_EQ(f.width(), c.width) << c.page;
        EXPECT_EQ(app.on("PlayFlash"), c.playFlash) << c.page;
        EXPECT_EQ(app.on("Timer_Monitor"), c.monitor) << c.page;
        EXPECT_EQ(app.on("SearchGpInfoMonitor"), c.queryPoll) << c.page;
        EXPECT_EQ(toolPictures(app), c.tools) << c.page;
        EXPECT_EQ(app.c("Login_Txt").text(), QString::fromUtf8(c.status)) << c.page;
        // Every switch reloads the banner, whatever the page.
        EXPECT_EQ(app.web("WebAD").navigations.back(), app.base() + "/ad.asp") << c.page;
        EXPECT_EQ(app.web("WebAD").navigations.size(), 2u) << c.page;
    }
}

TEST(ShowPage, WebPagesCoverTheSearchFrameOfTheWideWindow) {
    App app;
    FormLogin& f = app.load();
    f.ShowPage("QuestionPage");
    const Control& web = app.c("WebQuestion");
    EXPECT_EQ(web.width, 6195);
    EXPECT_EQ(web.height, 5220);
    EXPECT_EQ(web.top, 1920);
    EXPECT_EQ(web.left, 585);
    EXPECT_EQ(app.c("Frame_Search").width, 6135) << "the layout ran for the wide window first";
    EXPECT_EQ(app.web("WebQuestion").navigations.back(), app.base() + "/Question.asp");

    f.ShowPage("ComputerPage");  // passes through 3600 inside the call
    EXPECT_EQ(f.width(), 6750);
    EXPECT_EQ(app.c("Bot_Close").left, 6195);
    EXPECT_EQ(app.web("WebQuestion").navigations.back(), app.base() + "/Computer.asp");

    f.ShowPage("SearchMainPage");
    EXPECT_EQ(f.width(), 3600);
    EXPECT_FALSE(web.visible);
    EXPECT_EQ(app.c("Bot_Close").left, 3045);
}

TEST(ShowPage, LoadingPageAgainRestartsAnimationAndTimeout) {
    App app;
    FormLogin& f = app.load();
    f.ShowPage("LoadingPage");
    app.clock.advance(4000);
    app.c("Login_Txt").setText("x");
    f.TempPlayFx = "左";
    f.ShowPage("LoadingPage");
    EXPECT_EQ(f.TempPlayNum, 0);
    EXPECT_EQ(f.TempPlayFx, "右");
    EXPECT_EQ(app.c("Login_Txt").text(), "正在获取登录信息");
    app.clock.advance(4999);
    EXPECT_EQ(app.c("Login_Txt").text(), "正在获取登录信息") << "the 5000 ms count restarted";
    app.clock.advance(1);
    EXPECT_EQ(app.c("Login_Txt").text(), "连接超时，请重试。");
    EXPECT_EQ(app.web("WebAD").navigations.size(), 3u);
}

TEST(ShowPage, LeavesHeightStatusAndQueryPollAlone) {
    App app;
    FormLogin& f = app.load();
    f.setHeight(10000);
    f.TempWindowPosition = "左";
    app.c("Login_Txt").setText("keep");
    f.ShowPage("SearchMainPage");
    EXPECT_EQ(f.height(), 10000);
    EXPECT_EQ(f.TempWindowPosition, "左");
    EXPECT_EQ(app.c("Login_Txt").text(), "keep");
    EXPECT_TRUE(app.on("SearchGpInfoMonitor"));
}

TEST(PageButtons, ToolBarAndCloseButtonsSwitchPages) {
    struct Case {
        const char* control;
        int index;
        const char* from;
        Names shownAfter;
    };
    const Names main{"Main_Logo", "Info_UserName", "ToolsTree", "Frame_Search", "WebAD"};
    const Case cases[] = {
        {"ToolsTree_Bot", 1, "SearchResultPage", main},
        {"ToolsTree_Bot", 1, "SearchMainPage", main},
        {"ToolsTree_Bot",
         2,
         "SearchMainPage",
         {"Main_Logo", "Info_UserName", "ToolsTree", "Frame_results", "WebAD"}},
        {"ToolsTree_Bot",
         3,
         "SearchMainPage",
         {"Main_Logo", "Info_UserName", "ToolsTree", "WebAD", "WebQuestion"}},
        {"ToolsTree_Bot",
         4,
         "QuestionPage",
         {"Main_Logo", "Info_UserName", "ToolsTree", "WebAD", "WebQuestion"}},
        {"SearchClose_Bot", -1, "LoadingSearchPage", main},
        {"Bot_CloseSearchMain", -1, "SearchResultPage", main},
        {"LoginClose_Bot", -1, "LoadingPage", kLogin},
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        f.ShowPage(QString::fromUtf8(c.from));
        f.click(app.c(c.control, c.index));
        EXPECT_EQ(app.visiblePageControls(), c.shownAfter) << c.control << c.index;
    }
}

TEST(PageButtons, CancelLoginLogsOutAndRestoresTheHeight) {
    App app;
    FormLogin& f = app.load();
    app.receive("LoginOk");
    EXPECT_EQ(app.c("FormTop_Left").picture(), 1013);
    f.setHeight(11070);  // stretched at a side edge
    app.receive("Err|Users");
    f.click(app.c("LoginClose_Bot"));
    EXPECT_FALSE(f.TempLoginOk);
    EXPECT_EQ(f.height(), 8550);
    EXPECT_EQ(app.c("FormTop_Left").picture(), 146) << "the height change ran the layout pass";
    EXPECT_EQ(app.visiblePageControls(), kLogin);
}

TEST(PageButtons, CancelledQueryKeepsThePollRunning) {
    App app;
    FormLogin& f = app.load();
    f.ShowPage("LoadingSearchPage");
    f.click(app.c("SearchClose_Bot"));
    EXPECT_TRUE(app.on("SearchGpInfoMonitor"));
    EXPECT_FALSE(app.on("PlayFlash"));
}

// Lit cells after each tick as "cell:bitmap" pairs, for two full back-and-forth sweeps.
TEST(LoadingAnimation, SweepsForwardAndBackWithAFadingTail) {
    const std::vector<std::string> forward = {
        "1:1004",
        "2:1004 1:1003",
        "3:1004 2:1003 1:1002",
        "4:1004 3:1003 2:1002 1:1001",
        "5:1004 4:1003 3:1002 2:1001",
        "6:1004 5:1003 4:1002 3:1001",
        "7:1004 6:1003 5:1002 4:1001",
        "8:1004 7:1003 6:1002 5:1001",
        "8:1003 7:1002 6:1001",
        "8:1003 7:1002",
        "8:1003",
        "",
    };
    // The backward sweep mirrors every cell c to 9 - c.
    auto mirror = [](const std::string& frame) {
        std::string out;
        for (size_t i = 0; i < frame.size(); ++i)
            out += (i == 0 || frame[i - 1] == ' ') ? char('0' + 9 - (frame[i] - '0')) : frame[i];
        return out;
    };
    App app;
    FormLogin& f = app.load();
    app.c("Pic_Load", 5).setPicture(1003);  // left over from an earlier page
    f.ShowPage("LoadingPage");
    EXPECT_EQ(app.c("Pic_Load", 5).picture(), 1003) << "cells keep their pictures until a tick";
    for (int sweep = 0; sweep < 4; ++sweep) {
        for (int t = 0; t < 12; ++t) {
            app.clock.advance(60);
            std::string lit;
            std::vector<std::pair<int, int>> cells;
            for (int c = 1; c <= 8; ++c) {
                const int p = app.c("Pic_Load", c).picture();
                if (p != 1000) cells.push_back({p, c});
            }
            std::sort(cells.rbegin(), cells.rend());
            for (auto [p, c] : cells)
                lit += (lit.empty() ? "" : " ") + std::to_string(c) + ":" + std::to_string(p);
            const std::string want = sweep % 2 == 0 ? forward[t] : mirror(forward[t]);
            EXPECT_EQ(lit, want) << "sweep " << sweep << " tick " << t + 1;
        }
        EXPECT_EQ(f.TempPlayFx, sweep % 2 == 0 ? "左" : "右");
        EXPECT_EQ(f.TempPlayNum, 0);
    }
}

TEST(LoadingAnimation, RestartsForwardAndTreatsUnknownDirectionsAsBackward) {
    App app;
    FormLogin& f = app.load();
    f.ShowPage("LoadingSearchPage");
    app.clock.advance(60 * 15);  // in the middle of the backward sweep
    f.ShowPage("LoadingSearchPage");
    app.clock.advance(60);
    EXPECT_EQ(app.c("Pic_Load", 1).picture(), 1004);

    f.TempPlayFx = "?";
    f.TempPlayNum = 0;
    f.PlayFlash_Timer();
    EXPECT_EQ(app.c("Pic_Load", 8).picture(), 1004);
    for (int i = 0; i < 11; ++i) f.PlayFlash_Timer();
    EXPECT_EQ(f.TempPlayFx, "右");
}

TEST(LoadingAnimation, StopsWhereItIsOnALoginError) {
    App app;
    FormLogin& f = app.load();
    f.click(app.c("Login_Bot"));
    app.clock.advance(180);
    app.receive("Err|Password");
    app.clock.advance(6000);
    EXPECT_EQ(app.c("Pic_Load", 3).picture(), 1004);
    EXPECT_EQ(app.c("Pic_Load", 2).picture(), 1003);
    EXPECT_EQ(app.c("Login_Txt").text(), "帐户与密码错误，请重试");
}
