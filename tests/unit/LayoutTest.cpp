#include "FakePlatform.h"

using namespace vantorel;
using vantorel::test::App;

namespace {

struct Place {
    const char* control;
    int index;
    double left, top, width, height;  // NaN: not checked
};

constexpr double kAny = std::numeric_limits<double>::quiet_NaN();

void expectPlaces(App& app, const std::vector<Place>& places, const char* what) {
    for (const Place& p : places) {
        const Control& c = app.c(p.control, p.index);
        const std::string name = std::string(what) + " " + p.control +
                                 (p.index >= 0 ? "(" + std::to_string(p.index) + ")" : "");
        if (!std::isnan(p.left)) {
            EXPECT_EQ(c.left, p.left) << name << " left";
        }
        if (!std::isnan(p.top)) {
            EXPECT_EQ(c.top, p.top) << name << " top";
        }
        if (!std::isnan(p.width)) {
            EXPECT_EQ(c.width, p.width) << name << " width";
        }
        if (!std::isnan(p.height)) {
            EXPECT_EQ(c.height, p.height) << name << " height";
        }
    }
}

}  // namespace

TEST(Layout, NarrowWindow) {
    App app;
    app.load();
    expectPlaces(app,
                 {
                     {"Logo", -1, 1207.5, 675, 1185, 1230},
                     {"LoadingLogo", -1, 1207.5, 675, 1185, 1230},
                     {"UserName_Label", -1, 525, 3000, 450, 180},
                     {"UserName_border", -1, 525, 3300, 2550, 420},
                     {"UserName_Form", -1, 15, 15, 2520, 390},
                     {"UserName_Txt", -1, 75, 90, 2370, 210},
                     {"PassWord_border", -1, 525, 4200, 2550, 420},
                     {"PassWord_Txt", -1, 75, 90, 2370, 210},
                     {"Chk_AutoLogin", -1, 1290, 4770, 255, 255},
                     {"LebAutoLogin", -1, 1590, 4815, 720, 180},
                     {"Login_Bot", -1, 1222.5, 5370, 1155, 450},
                     {"Jion_Label", -1, 525, 7350, kAny, kAny},
                     {"RePass_Label", -1, 525, 7725, kAny, kAny},
                     {"Web_Label", -1, 525, 8100, kAny, kAny},
                     {"FormTop_Left", -1, 0, 0, 3450, 390},
                     {"FormTop_Right", -1, 3540, 0, 60, 390},
                     {"FormTop_Cennet", -1, 3450, 0, 90, 390},
                     {"FormBottom_Left", -1, 0, 8490, 60, 60},
                     {"FormBottom_Right", -1, 3540, 8490, 60, 60},
                     {"FormBottom_Cennet", -1, 60, 8490, 3480, 60},
                     {"FormCenent_Left", -1, 0, 390, 60, 8100},
                     {"FormCenent_Right", -1, 3540, 390, 60, 8100},
                     {"FormCenent_Cennet", -1, 60, 390, 3480, 8100},
                     {"Bot_Min", -1, 2610, 30, 435, 360},
                     {"Bot_Close", -1, 3045, 30, 435, 360},
                     {"Pic_Load", 1, 885, 3300, 150, 150},
                     {"Pic_Load", 8, 2565, 3300, 150, 150},
                     {"Login_Txt", -1, 1080, 3675, 1440, 180},
                     {"LoginClose_Bot", -1, 1222.5, 4200, 1155, 450},
                     {"SearchClose_Bot", -1, 1222.5, 4200, 1155, 450},
                     {"Main_Logo", -1, 150, 540, 1185, 1230},
                     {"Info_UserName", -1, 1560, 615, kAny, 180},
                     {"ToolsTree", -1, 30, 1920, 555, 5220},
                     {"ToolsTree_Bot", 1, 0, 0, 555, 555},
                     {"ToolsTree_Bot", 4, 0, 1665, 555, 555},
                     {"Frame_Search", -1, 585, 1920, 2985, 5220},
                     {"Frame_Table", -1, 0, 600, 2985, 4620},
                     {"Frame_TableBox", -1, 0, 0, 2730, 9000},
                     {"Frame_TableBar", -1, 2730, 0, 255, 4620},
                     {"SearchForm_border", -1, 75, 75, 2835, 420},
                     {"SearchForm_Form", -1, 15, 15, 2805, 390},
                     {"SearchForm_Text", -1, 75, 90, 1905, 210},
                     {"SearchDapan_shanghai", -1, 2055, 30, 300, 300},
                     {"SearchDapan_shenzhen", -1, 2415, 30, 300, 300},
                     {"WebAD", -1, 150, 7245, 3300, 1200},
                     {"Frame_results", -1, 585, 1920, 2985, 5220},
                     {"Bot_CloseSearchMain", -1, 2775, 180, 135, 120},
                     {"Shape1", -1, 60, 2040, 2850, 2865},
                     {"SearchGp_Info", -1, 120, 2520, 2655, 2325},
                     {"SearchGp_Time", -1, 120, 4980, 900, 180},
                     {"WebQuestion", -1, kAny, kAny, kAny, 5220},
                     {"WebBrowser1", -1, 9840, 7680, 3015, 855},
                 },
                 "narrow");
    EXPECT_EQ(app.c("Line1").x1, 75);
    EXPECT_EQ(app.c("Line1").x2, 2910);
    const int pictures[][2] = {{146, 0}, {147, 0}, {148, 0}, {149, 0}, {150, 0}, {151, 0},
                               {152, 0}, {153, 0}, {154, 0}, {108, 0}, {110, 0}};
    const char* names[] = {"FormTop_Left",    "FormTop_Cennet",    "FormTop_Right",
                           "FormCenent_Left", "FormCenent_Cennet", "FormCenent_Right",
                           "FormBottom_Left", "FormBottom_Cennet", "FormBottom_Right",
                           "Bot_Min",         "Bot_Close"};
    for (size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(app.c(names[i]).picture(), pictures[i][0]) << names[i];
}

TEST(Layout, WideWindowMovesRightEdgeControls) {
    App app;
    FormLogin& f = app.load();
    f.setWidth(6750);
    expectPlaces(app,
                 {
                     {"Frame_Search", -1, 585, 1920, 6135, 5220},
                     {"Frame_results", -1, 585, 1920, 6135, 5220},
                     {"WebAD", -1, 1725, 7245, 3300, 1200},
                     {"Bot_Min", -1, 5760, 30, kAny, kAny},
                     {"Bot_Close", -1, 6195, 30, kAny, kAny},
                     {"FormTop_Cennet", -1, 3450, 0, 3240, 390},
                     {"FormTop_Right", -1, 6690, 0, 60, 390},
                     {"SearchForm_Form", -1, 15, 15, 5955, 390},
                     {"SearchDapan_shanghai", -1, 5205, 30, kAny, kAny},
                     {"SearchDapan_shenzhen", -1, 5565, 30, kAny, kAny},
                     {"Pic_Load", 1, 2460, 3300, kAny, kAny},
                     {"Logo", -1, 2782.5, 675, kAny, kAny},
                 },
                 "wide");
    EXPECT_EQ(f.region, (RoundRegion{451, 571, 9, 9}));
}

TEST(Layout, TallWindowGrowsTheFramesAndKeepsBottomDistances) {
    App app;
    FormLogin& f = app.load();
    const double H = 768 * 15 - 450;  // snapped to a side edge: 11070
    f.setHeight(H);
    const double grow = H - 8550;
    expectPlaces(app,
                 {
                     {"ToolsTree", -1, 30, 1920, 555, 5220 + grow},
                     {"Frame_Search", -1, 585, 1920, 2985, 5220 + grow},
                     {"Frame_results", -1, kAny, kAny, kAny, 5220 + grow},
                     {"Frame_Table", -1, 0, 600, 2985, 4620 + grow},
                     {"Frame_TableBar", -1, kAny, kAny, kAny, 4620 + grow},
                     {"Frame_TableBox", -1, kAny, kAny, kAny, 9000},
                     {"Shape1", -1, kAny, kAny, kAny, 2865 + grow},
                     {"SearchGp_Info", -1, kAny, kAny, kAny, 2325 + grow},
                     {"SearchGp_Time", -1, kAny, 4980 + grow, kAny, kAny},
                     {"Jion_Label", -1, kAny, H - 1200, kAny, kAny},
                     {"RePass_Label", -1, kAny, H - 825, kAny, kAny},
                     {"Web_Label", -1, kAny, H - 450, kAny, kAny},
                     {"WebAD", -1, 150, H - 1305, kAny, kAny},
                     {"FormBottom_Cennet", -1, 60, H - 60, kAny, kAny},
                     {"FormCenent_Left", -1, 0, 390, 60, H - 450},
                     {"Login_Bot", -1, 1222.5, 5370, kAny, kAny},
                 },
                 "tall");
    EXPECT_EQ(f.region, (RoundRegion{241, 739, 9, 9}));
}

TEST(Layout, TitleImageFollowsTheLoginMarkerAtTheNextPass) {
    App app;
    FormLogin& f = app.load();
    f.TempLoginOk = true;
    EXPECT_EQ(app.c("FormTop_Left").picture(), 146) << "nothing repaints before a size change";
    f.setHeight(9000);
    EXPECT_EQ(app.c("FormTop_Left").picture(), 1013);
    f.TempLoginOk = false;
    f.setHeight(8550);
    EXPECT_EQ(app.c("FormTop_Left").picture(), 146);
}

TEST(Layout, PictureBoxesTakeTheirBitmapSizeButToolButtonsStaySquare) {
    App app;
    FormLogin& f = app.load();
    f.ShowPage("SearchMainPage");
    EXPECT_EQ(app.c("ToolsTree_Bot", 1).picture(), 128);
    EXPECT_EQ(app.c("ToolsTree_Bot", 1).width, 555);
    EXPECT_EQ(app.c("ToolsTree_Bot", 3).height, 555);
    app.c("Login_Bot").setPicture(110);
    EXPECT_EQ(app.c("Login_Bot").width, 29 * 15);
    EXPECT_EQ(app.c("Login_Bot").height, 24 * 15);
}
