#include "FakePlatform.h"

using namespace vantorel;
using vantorel::test::App;

namespace {

std::vector<StockRow> numbered(int n, const QString& prefix = "sh600") {
    std::vector<StockRow> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(
            {prefix + QString::number(i).rightJustified(3, '0'), "股票" + QString::number(i)});
    return v;
}

// A logged-in window on the search page.
FormLogin& searchPage(App& app) {
    FormLogin& f = app.load();
    app.receive("LoginOk");
    return f;
}

void type(App& app, const QString& text) {
    Control& box = app.c("SearchForm_Text");
    app.f().gotFocus(box);
    app.f().userEdited(box, text);
}

}  // namespace

TEST(StockTable, FavouritesFillRowsInTableOrder) {
    App app;
    app.database.favouriteRows = {
        {"sh600519", "贵州茅台"}, {"sz000001", "平安银行"}, {"sh601318", "中国平安"}};
    app.load();
    ASSERT_EQ(app.f().gpRowCount(), 3);
    const double bandTops[] = {0, 450, 900};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(app.c("GpBg", i).top, bandTops[i - 1]);
        EXPECT_EQ(app.c("GpID", i).top, bandTops[i - 1] + 150);
        EXPECT_EQ(app.c("GpName", i).left, 1050);
        EXPECT_TRUE(app.c("GpBg", i).visible);
    }
    EXPECT_EQ(app.c("GpName", 2).text(), "平安银行");
    EXPECT_FALSE(app.c("GpBg", 0).visible) << "the template stays hidden";
}

TEST(StockTable, EveryFavouriteGetsARowAndAMissingDatabaseGivesNone) {
    App app;
    app.database.favouriteRows = numbered(25);
    app.load();
    EXPECT_EQ(app.f().gpRowCount(), 25);
    EXPECT_EQ(app.c("GpBg", 25).top, 450 * 24);

    App none;
    none.database.opens = false;
    none.database.favouriteRows = numbered(3);
    none.load();
    EXPECT_EQ(none.f().gpRowCount(), 0);
}

TEST(StockTable, SelectionAndHoverPaintOneRowEach) {
    App app;
    app.database.favouriteRows = numbered(6);
    FormLogin& f = app.load();
    const Rgb white{255, 255, 255}, hover{200, 200, 200}, dark{60, 60, 60}, black{0, 0, 0};
    f.click(app.c("GpName", 2));
    f.mouseMove(app.c("GpBg", 5), 0, 0, 10, 10);
    f.mouseMove(app.c("GpBg", 5), 0, 0, 10, 10);
    EXPECT_EQ(app.c("GpBg", 5).backColor, hover);
    f.click(app.c("GpBg", 5));
    EXPECT_EQ(app.c("GpBg", 2).backColor, white);
    EXPECT_EQ(app.c("GpID", 2).foreColor, black);
    EXPECT_EQ(app.c("GpBg", 5).backColor, dark);
    EXPECT_EQ(app.c("GpName", 5).foreColor, white);
    EXPECT_EQ(f.TempClickMun, 5);

    f.mouseMove(app.c("GpBg", 5), 0, 0, 10, 10);  // the selected row: nothing
    EXPECT_EQ(app.c("GpBg", 5).backColor, dark);
    f.mouseMove(app.c("GpBg", 3), 0, 0, 10, 10);  // first move only remembers row 3
    EXPECT_EQ(app.c("GpBg", 3).backColor, white);
    f.mouseMove(app.c("GpBg", 3), 0, 0, 10, 10);
    EXPECT_EQ(app.c("GpBg", 3).backColor, hover);
    f.mouseMove(app.c("GpID", 4), 0, 0, 10, 10);  // over the text: no hover
    EXPECT_EQ(app.c("GpBg", 4).backColor, white);
    f.mouseMove(app.c("GpBg", 4), 0, 0, 10, 10);
    EXPECT_EQ(app.c("GpBg", 3).backColor, white);
    EXPECT_EQ(app.c("GpBg", 4).backColor, hover);
    EXPECT_EQ(app.c("GpBg", 5).backColor, dark);
}

TEST(StockTable, ScrollBarAndWheelMoveTheRows) {
    App app;
    app.database.favouriteRows = numbered(20);
    FormLogin& f = app.load();
    Control& bar = app.c("Frame_TableBar");
    const Control& box = app.c("Frame_TableBox");
    f.userToggled(bar, 5);
    EXPECT_EQ(box.top, -2190);
    f.userToggled(bar, 10);
    EXPECT_EQ(box.top, -4380);

    // The wheel keeps its own count: from 0, three notches towards the user give 3.
    f.userToggled(bar, 7);
    for (int i = 0; i < 3; ++i) f.mouseWheel(-120);
    EXPECT_EQ(bar.value(), 3);
    EXPECT_FLOAT_EQ(box.top, -438 * 3);
    f.mouseWheel(0);  // delta 0 counts towards the user
    EXPECT_EQ(bar.value(), 4);
    for (int i = 0; i < 8; ++i) f.mouseWheel(-240);
    EXPECT_EQ(bar.value(), 10);
    for (int i = 0; i < 12; ++i) f.mouseWheel(120);
    EXPECT_EQ(bar.value(), 0);
}

TEST(StockTable, DoubleClickQueriesTheRowsCode) {
    App app;
    app.database.favouriteRows = numbered(4);
    FormLogin& f = searchPage(app);
    f.dblClick(app.c("GpName", 4));
    EXPECT_TRUE(app.c("SearchClose_Bot").visible);
    EXPECT_TRUE(app.web("WebBrowser1").navigations.back().contains("GpID=sh600004&"));
}

TEST(SearchBox, FocusClearsTypingSearchesAndLeavingRestoresThePlaceholder) {
    App app;
    app.database.favouriteRows = numbered(3);
    app.database.stocks = numbered(35);
    FormLogin& f = searchPage(app);
    Control& box = app.c("SearchForm_Text");
    EXPECT_EQ(box.foreColor, (Rgb{192, 192, 192}));
    f.gotFocus(box);
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(f.gpRowCount(), 0) << "the favourites are gone";
    EXPECT_EQ(box.foreColor, (Rgb{0, 0, 0}));
    f.userEdited(box, "600");
    EXPECT_EQ(f.gpRowCount(), 20);
    EXPECT_EQ(f.SearchNumAll, 35);
    f.userEdited(box, "无此股票");
    EXPECT_EQ(f.gpRowCount(), 0);
    EXPECT_EQ(f.SearchNumAll, 35) << "a search that finds nothing keeps the count";
    f.userEdited(box, "");
    f.lostFocus(box);
    EXPECT_EQ(box.text(), "搜索股票代码或名称...");
    EXPECT_EQ(box.foreColor, (Rgb{192, 192, 192}));
    EXPECT_EQ(app.database.searches.back(), "搜索股票代码或名称...");
}

TEST(SearchBox, ArrowKeysMoveTheSelectionAndKeepItInView) {
    App app;
    app.database.stocks = numbered(35);
    FormLogin& f = searchPage(app);
    type(app, "600");
    Control& box = app.c("SearchForm_Text");
    Control& bar = app.c("Frame_TableBar");
    // h = 4620 / 450 ≈ 10.27: rows 1-10 keep the bar at 0, row 11 sets 1, row 20 sets 10.
    const int wantBar[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int i = 1; i <= 20; ++i) {
        f.keyDown(box, 40);
        EXPECT_EQ(f.SearchNum, i);
        EXPECT_EQ(bar.value(), wantBar[i - 1]) << "row " << i;
    }
    f.keyDown(box, 40);
    EXPECT_EQ(f.SearchNum, 20) << "stops at the last row";
    EXPECT_EQ(f.TempClickMun, 20);
    for (int i = 0; i < 10; ++i) f.keyDown(box, 38);
    EXPECT_EQ(f.SearchNum, 10);
    EXPECT_EQ(bar.value(), 0);
    for (int i = 0; i < 20; ++i) f.keyDown(box, 38);
    EXPECT_EQ(f.SearchNum, 1) << "Up on row 1 does nothing";

    type(app, "sh60000");  // 9 matches
    for (int i = 0; i < 12; ++i) f.keyDown(box, 40);
    EXPECT_EQ(f.SearchNum, 9);
}

TEST(SearchBox, EnterCompletesTheCodeThenQueriesIt) {
    App app;
    app.database.stocks = numbered(35);
    FormLogin& f = searchPage(app);
    Control& box = app.c("SearchForm_Text");
    EXPECT_TRUE(f.keyPress(box, '\r'));
    EXPECT_EQ(box.text(), "搜索股票代码或名称...") << "nothing selected: nothing happens";
    type(app, "60");
    f.keyDown(box, 40);
    f.keyDown(box, 40);
    f.keyDown(box, 40);
    EXPECT_TRUE(f.keyPress(box, '\r'));
    EXPECT_EQ(box.text(), "sh600003");
    EXPECT_EQ(f.gpRowCount(), 1);
    EXPECT_EQ(f.SearchNum, 1);
    EXPECT_EQ(f.TempClickMun, 1);
    EXPECT_EQ(app.c("GpBg", 1).backColor, (Rgb{60, 60, 60}));
    EXPECT_TRUE(app.web("WebBrowser1").navigations.empty());
    f.keyPress(box, '\r');
    EXPECT_TRUE(app.web("WebBrowser1").navigations.back().contains("GpID=sh600003&"));
    EXPECT_FALSE(f.keyPress(box, 'a'));
}

TEST(SearchBox, EnterOnAnEightCharacterTextQueriesTheSelectedRowAtOnce) {
    App app;
    app.database.stocks = numbered(35);
    FormLogin& f = searchPage(app);
    Control& box = app.c("SearchForm_Text");
    type(app, "sh60001");  // 7 characters, then one more
    f.userEdited(box, "股票");
    f.keyDown(box, 40);
    f.keyDown(box, 40);
    f.userEdited(box, "股票");  // unchanged text: the selection stays
    box.setText("abcdefgh");    // 8 characters without results does not query
    f.keyPress(box, '\r');
    EXPECT_TRUE(app.web("WebBrowser1").navigations.empty());
    type(app, "股票");
    f.keyDown(box, 40);
    f.keyDown(box, 40);
    f.userEdited(box, "股票");
    box.setText("股票股票股票股票");
    EXPECT_EQ(f.gpRowCount(), 0);
}

TEST(StockQuery, RequestAddressCarriesCodeAccountAndANumber) {
    struct Case {
        double r;
        const char* number;
    };
    const Case cases[] = {{0.0, "1"}, {0.5, "-49998"}, {0.99999999, "-99997"}};
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        app.c("UserName_Txt").setText("张三");
        app.receive("LoginOk");
        app.random.value = c.r;
        f.SearchGpInfo("sh600519");
        EXPECT_EQ(app.web("WebBrowser1").navigations.back(),
                  app.base() + "/RequestGpInfo.asp?GpID=sh600519&UserID=张三&PgRun=" + c.number);
        EXPECT_EQ(app.random.reseeds, 1);
        EXPECT_EQ(app.c("SearchGp_ID").text(), "SH600519");
        EXPECT_TRUE(app.on("SearchGpInfoMonitor"));
        EXPECT_EQ(app.c("Login_Txt").text(), "正在获取查询数据");
    }
}

TEST(StockQuery, AnswersFillTheResultPageOrShowTheirMessage) {
    const QString advice1 = "　　第一段\r\n\r\n　　";
    struct Case {
        const char* name;
        QString answer;
        const char* status;  // nullptr: the page is filled
        QString advice;
    };
    const Case cases[] = {
        {"full",
         "贵州茅台|2026-12-11|14:30:00|1800.00|5.23|1700.00|1600.00|4.10|第一段<br><br>第二段",
         nullptr, "　　第一段\r\n\r\n　　第二段\r\n\r\n　　"},
        {"one paragraph", "茅台|d|t|1|2|3|4|5|第一段", nullptr, advice1},
        {"empty advice", "茅台|d|t|1|2|3|4|5|", nullptr, "　　\r\n\r\n　　"},
        {"trailing break", "茅台|d|t|1|2|3|4|5|第一段<br><br>", nullptr, advice1 + "\r\n\r\n　　"},
        {"extra fields", "茅台|d|t|1|2|3|4|5|第一段|x|y", nullptr, advice1},
        {"second question mark", "茅台|d|t|1|2|3|4|5|第一段?junk", nullptr, advice1},
        {"unknown code", "ErrGpID", "没有找到匹配的信息", {}},
        {"busy", "ErrGpMoney", "股票停盘或服务器忙碌", {}},
        {"suspended", "茅台|d|t|1||3|4|5|x", "当前股票处于停盘中", {}},
        {"cut short", "茅台|d|t|1|2", "股票停盘或服务器忙碌", {}},
        {"empty", "", "股票停盘或服务器忙碌", {}},
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = searchPage(app);
        f.SearchGpInfo("sh600519");
        app.web("WebBrowser1").document = app.base() + "/SendG?" + c.answer;
        app.clock.advance(100);
        if (c.status) {
            EXPECT_EQ(app.c("Login_Txt").text(), QString::fromUtf8(c.status)) << c.name;
            EXPECT_TRUE(app.c("SearchClose_Bot").visible) << c.name;
            EXPECT_TRUE(app.on("PlayFlash")) << c.name << ": the animation keeps running";
            EXPECT_EQ(app.c("SearchGp_Name").text(), "暂无数据") << c.name;
        } else {
            EXPECT_TRUE(app.c("Frame_results").visible) << c.name;
            EXPECT_EQ(app.c("SearchGp_Info").text(), c.advice) << c.name;
        }
        EXPECT_EQ(app.web("WebBrowser1").navigations.back(), "about:blank") << c.name;
        EXPECT_FALSE(app.on("SearchGpInfoMonitor")) << c.name;
    }
}

TEST(StockQuery, FieldsAreShownAsTheServerWroteThem) {
    App app;
    FormLogin& f = searchPage(app);
    f.SearchGpInfo("sz000001");
    app.web("WebBrowser1").document =
        app.base() + "/SendG?平安银行|2026-12-11|14:30:00|12.5|5.23|11.80|10.0|4.1|x";
    app.clock.advance(100);
    const std::pair<const char*, const char*> want[] = {
        {"SearchGp_Name", "平安银行"},     {"SearchGp_Time", "查询时间: 2026-12-11 14:30:00"},
        {"SearchGp_UpMoney", "RMB: 12.5"}, {"SearchGp_UpNum", "5.23%"},
        {"SearchGp_DMoney", "RMB: 11.80"}, {"SearchGp_DownMoney", "RMB: 10.0"},
        {"SearchGp_DownNum", "4.1%"},      {"SearchGp_ID", "SZ000001"}};
    for (auto [name, text] : want) EXPECT_EQ(app.c(name).text(), QString::fromUtf8(text)) << name;
}

TEST(StockQuery, OnlyExactAnswerAddressesCountAndLateAnswersStillShow) {
    App app;
    FormLogin& f = searchPage(app);
    f.SearchGpInfo("sh600519");
    app.web("WebBrowser1").document = app.base() + "/sendg?ErrGpID";
    app.clock.advance(300);
    EXPECT_TRUE(app.on("SearchGpInfoMonitor"));
    app.web("WebBrowser1").document = "";
    app.clock.advance(300);
    EXPECT_EQ(app.c("Login_Txt").text(), "正在获取查询数据");

    f.click(app.c("SearchClose_Bot"));  // cancelled; the answer comes later
    app.web("WebBrowser1").document = app.base() + "/SendG?茅台|d|t|1|2|3|4|5|x";
    app.clock.advance(100);
    EXPECT_TRUE(app.c("Frame_results").visible);
}

TEST(IndexQuery, ButtonsAskForTheirIndexAndTheAdviceFollowsTheSpread) {
    const QString t1 =
        "　　影响大盘涨跌的因素很多，“Vantorel”给出的上方压力位与下方支撑位仅供参考。";
    struct Case {
        const char* name;
        QString p, s;
        QString prefix;  // before T1
    };
    const QString t0 = "是大盘目前的弱压力/支撑位，可能会对指数的运行产生影响。";
    const Case cases[] = {
        {"wide spread", "3000", "2600", "　　2800" + t0 + "\r\n\r\n"},
        {"narrow spread", "2800", "2600", ""},
        {"midpoint digits", "2950.6", "2600.2", "　　2775.4" + t0 + "\r\n\r\n"},
        {"exactly 12%", "2912", "2600", ""},
        {"not numbers", "abc", "2600", ""},
        {"zero support", "3000", "0", ""},
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = searchPage(app);
        f.SearchGpInfo("sh600519");
        f.click(app.c("SearchForm_Text"));
        f.SearchDapan_Click(true);
        EXPECT_TRUE(
            app.web("WebBrowser1")
                .navigations.back()
                .startsWith(app.base() + "/RequestDaPan.asp?DaPan=s_sh000001&UserID=&PgRun="));
        EXPECT_EQ(app.c("SearchGp_ID").text(), "");
        app.web("WebBrowser1").document =
            app.base() + "/SendD?上证指数|2026-12-11|14:30|" + c.p + "|1.5|2700|" + c.s + "|2.5";
        app.clock.advance(100);
        const QString info = app.c("SearchGp_Info").text();
        EXPECT_TRUE(info.startsWith(c.prefix + t1)) << c.name << " " << info.left(40).toStdString();
        EXPECT_TRUE(info.endsWith("相反则成为下跌的支撑。\r\n\r\n")) << c.name;
        EXPECT_EQ(app.c("SearchGp_UpMoney").text(), c.p) << c.name << ": no RMB prefix";
        EXPECT_EQ(app.c("SearchGp_DownNum").text(), "2.5%");
        EXPECT_TRUE(app.c("Frame_results").visible);
        EXPECT_FALSE(app.on("SearchGpInfoMonitor"));
    }
    App app;
    FormLogin& f = searchPage(app);
    f.click(app.c("SearchDapan_shenzhen"));
    EXPECT_TRUE(app.web("WebBrowser1").navigations.back().contains("DaPan=s_sh000002&"));
    app.web("WebBrowser1").document = app.base() + "/SendD?深证|short";
    app.clock.advance(100);
    EXPECT_EQ(app.c("Login_Txt").text(), "股票停盘或服务器忙碌");
}
