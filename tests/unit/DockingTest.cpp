#include "FakePlatform.h"

using namespace vantorel;
using vantorel::test::App;

namespace {

// Puts the cursor on a screen pixel and lets the 10 ms timers run for `ms`.
void cursorAt(App& app, int px, int py, int ms = 10) {
    app.cursor.x = px;
    app.cursor.y = py;
    app.clock.advance(ms);
}

}  // namespace

TEST(Docking, EdgeRulesDockOnlyWithTheCursorInsideAndInOrder) {
    const double sw = 1024 * 15;
    struct Case {
        const char* name;
        double left, top;
        int px, py;  // cursor
        const char* dock;
    };
    const Case cases[] = {
        {"left edge", 0, 900, 10, 100, "左"},
        {"right edge", sw - 3600, 900, 1000, 100, "右"},
        {"top edge", 3000, 0, 210, 10, "上"},
        {"top-left corner docks left", 0, 0, 10, 10, "左"},
        {"top-right corner docks right", sw - 3600, 0, 1000, 10, "右"},
        {"cursor elsewhere", 0, 900, 600, 600, "中"},
        {"cursor on the right border", 0, 900, 240, 100, "左"},
        {"one pixel further", 0, 900, 241, 100, "中"},
        {"not at an edge", 15, 900, 10, 100, "中"},
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        f.visible = true;
        f.left = c.left;
        f.top = c.top;
        cursorAt(app, c.px, c.py);
        EXPECT_EQ(f.TempWindowPosition, QString::fromUtf8(c.dock)) << c.name;
    }
}

TEST(Docking, SlidesOutLeavingAStripAndBackWhenTheStripIsTouched) {
    App app;
    FormLogin& f = app.load();
    f.visible = true;
    f.left = 0;
    f.top = 900;
    cursorAt(app, 10, 100);   // docks left
    cursorAt(app, 600, 100);  // leaves: the poll starts the slide-out
    EXPECT_TRUE(app.on("Timer1"));
    EXPECT_FALSE(app.on("Timer3"));
    app.clock.advance(100);  // ten steps of 360
    EXPECT_EQ(f.left, -3600);
    EXPECT_EQ(f.TempWindowCtrl, "否");
    app.clock.advance(10);  // the final tick
    EXPECT_EQ(f.left, -3525);
    EXPECT_EQ(f.TempWindowCtrl, "是");
    EXPECT_TRUE(app.on("Timer3"));
    EXPECT_FALSE(app.on("Timer1"));

    cursorAt(app, 5, 400);  // the 5-pixel strip
    EXPECT_TRUE(app.on("Timer2"));
    app.clock.advance(110);
    EXPECT_EQ(f.left, 0) << "the slide-in undoes the slide-out";
    EXPECT_EQ(f.TempWindowCtrl, "否");
    EXPECT_TRUE(app.on("Timer3"));
}

TEST(Docking, TopAndRightSlidesAndTheWideWindow) {
    struct Case {
        const char* dock;
        double width;
        double left, top;  // when slid out
    };
    const double sw = 1024 * 15;
    const Case cases[] = {
        {"上", 3600, 3000, -8475},
        {"右", 3600, sw - 75, 0},
        {"右", 6750, sw - 6750 + 3525, 0},  // only 3525 twips move, whatever the width
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        f.visible = true;
        f.setWidth(c.width);
        f.left = QString::fromUtf8(c.dock) == "上" ? 3000 : sw - c.width;
        f.top = 0;
        f.TempWindowPosition = QString::fromUtf8(c.dock);
        cursorAt(app, 300, 700, 10 + 110);
        EXPECT_EQ(f.left, c.left) << c.dock << c.width;
        EXPECT_EQ(f.top, c.top) << c.dock << c.width;
        EXPECT_EQ(f.TempWindowCtrl, "是");
    }
}

TEST(Docking, AHiddenWindowNeitherDocksNorSlidesButHoverGoesOn) {
    App app;
    FormLogin& f = app.load();
    f.visible = false;
    f.left = 0;
    f.top = 0;
    const Control& close = app.c("Bot_Close");
    cursorAt(app, int((close.left + 45 + 10) / 15), int((close.top + 10) / 15), 50);
    EXPECT_EQ(f.TempWindowPosition, "中");
    EXPECT_EQ(close.picture(), 111);
    cursorAt(app, 600, 600);
    EXPECT_EQ(close.picture(), 110);
}

TEST(Docking, HoverColoursAndPicturesFollowTheCursor) {
    App app;
    FormLogin& f = app.load();
    f.visible = true;
    f.left = 1500;
    f.top = 1500;
    struct Case {
        const char* control;
        int picture;  // 0: a colour control
        Rgb colour;
    };
    const Case over[] = {{"UserName_border", 0, {255, 255, 255}},
                         {"Jion_Label", 0, {255, 255, 0}},
                         {"Web_Label", 0, {255, 125, 0}},
                         {"Login_Bot", 122, {}},
                         {"Bot_Min", 109, {}},
                         {"LoginClose_Bot", 126, {}}};
    for (const Case& c : over) {
        const Control& ctl = app.c(c.control);
        // Inside the rectangle shifted 45 twips to the right.
        cursorAt(app, int((f.left + ctl.left + 45 + ctl.width) / 15),
                 int((f.top + ctl.top + ctl.height / 2) / 15));
        if (c.picture) {
            EXPECT_EQ(ctl.picture(), c.picture) << c.control;
        } else if (ctl.kind == Kind::Label) {
            EXPECT_EQ(ctl.foreColor, c.colour) << c.control;
        } else {
            EXPECT_EQ(ctl.backColor, c.colour) << c.control;
        }
    }
    cursorAt(app, 0, 0);
    EXPECT_EQ(app.c("UserName_border").backColor, (Rgb{38, 38, 38}));
    EXPECT_EQ(app.c("Web_Label").foreColor, (Rgb{255, 255, 0}));
    EXPECT_EQ(app.c("Login_Bot").picture(), 121);
}

TEST(Docking, TrayRestoreDuringASlideLetsThePollGoOn) {
    App app;
    FormLogin& f = app.load();
    f.visible = true;
    f.left = 0;
    cursorAt(app, 10, 100);
    cursorAt(app, 600, 100, 30);  // sliding out
    f.IconLogo_MouseMove(kLeftButton);
    EXPECT_EQ(f.left, 0);
    app.clock.advance(20);
    EXPECT_FALSE(app.on("Timer1"));
    EXPECT_TRUE(app.on("Timer3"));
    EXPECT_EQ(f.left, 0);
    cursorAt(app, 10, 100);
    EXPECT_EQ(f.TempWindowPosition, "左") << "docking works again";
}

TEST(Dragging, TitleBarDragMovesSnapsAndStretches) {
    const double sw = 1024 * 15, sh = 768 * 15;
    struct Case {
        const char* name;
        const char* image;
        double startLeft, startTop;
        double dx, dy;  // cursor movement in twips after the press
        double left, top, height;
        const char* dock;
    };
    const Case cases[] = {
        {"free move", "FormTop_Left", 3000, 900, 300, 150, 3300, 1050, 8550, "中"},
        {"same by the middle image", "FormTop_Cennet", 3000, 900, 300, 150, 3300, 1050, 8550, "中"},
        {"left edge exactly", "FormTop_Right", 3000, 900, -3000, 150, 0, 0, sh - 450, "左"},
        {"past the right edge", "FormTop_Left", 3000, 900, 9000, 150, sw - 3600, 0, sh - 450, "右"},
        {"right edge exactly: free", "FormTop_Left", 3000, 900, sw - 3600 - 3000, 0, sw - 3600, 900,
         8550, "中"},
        {"top", "FormTop_Left", 3000, 900, 15, -900, 3015, 0, 8550, "上"},
    };
    for (const Case& c : cases) {
        App app;
        FormLogin& f = app.load();
        f.left = c.startLeft;
        f.top = c.startTop;
        Control& img = app.c(c.image);
        f.mouseDown(img, kLeftButton, 0, 100, 100);
        f.mouseMove(img, kLeftButton, 0, 100 + c.dx, 100 + c.dy);
        EXPECT_EQ(f.left, c.left) << c.name;
        EXPECT_EQ(f.top, c.top) << c.name;
        EXPECT_EQ(f.height(), c.height) << c.name;
        EXPECT_EQ(f.TempWindowPosition, QString::fromUtf8(c.dock)) << c.name;
    }
}

TEST(Dragging, OnlyTheLeftButtonDragsAndAFreeMoveRestoresTheHeight) {
    App app;
    FormLogin& f = app.load();
    f.left = 3000;
    f.top = 900;
    Control& img = app.c("FormTop_Left");
    f.mouseDown(img, kRightButton, 0, 100, 100);
    f.mouseMove(img, kRightButton, 0, 400, 100);
    EXPECT_EQ(f.left, 3000);

    f.mouseDown(img, kLeftButton, 0, 100, 100);
    f.mouseMove(img, kLeftButton, 0, -5000, 100);  // snaps left, stretched
    EXPECT_EQ(f.height(), 768 * 15 - 450);
    EXPECT_EQ(app.c("ToolsTree").height, 768 * 15 - 450 - 3330);
    f.mouseMove(img, kLeftButton, 0, 100, 100);  // dx = 0 keeps it snapped
    EXPECT_EQ(f.TempWindowPosition, "左");
    f.mouseMove(img, kLeftButton, 0, 400, 100);  // freed
    EXPECT_EQ(f.left, 300);
    EXPECT_EQ(f.height(), 8550);
    EXPECT_EQ(f.TempWindowPosition, "上") << "a side snap left it at Top 0, so it stays at the top";
    f.mouseUp(img, kLeftButton, 0, 400, 100);
    f.mouseMove(img, 0, 0, 900, 100);
    EXPECT_EQ(f.left, 300) << "released: no drag";
}
