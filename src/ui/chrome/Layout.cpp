#include "app/FormLogin.h"

namespace vantorel {

namespace {

void setPlace(Control& c, double left, double top) {
    c.left = left;
    c.top = top;
}

void setRect(Control& c, double left, double top, double width, double height) {
    c.width = width;
    c.height = height;
    c.left = left;
    c.top = top;
}

}  // namespace

void FormLogin::ApplyRoundRegion(Form& window, int ellipseWidth, int ellipseHeight) {
    window.region = roundRegionFor(window.width(), window.height(), ellipseWidth, ellipseHeight);
}

// Places every control of every page from the window size, visible or not, so a page shown
// later is already in place. Each step may read what an earlier step set.
void FormLogin::Form_Resize() {
    const double W = width(), H = height();

    // Login page and loading logo (1-16).
    Control& logo = ctl("Logo");
    logo.setPicture(120);
    setPlace(logo, W / 2 - logo.width / 2, 675);
    Control& loadingLogo = ctl("LoadingLogo");
    loadingLogo.setPicture(120);
    setPlace(loadingLogo, W / 2 - logo.width / 2, 675);
    for (const char* box : {"UserName", "PassWord"}) {
        const QString b = QString::fromLatin1(box);
        const double rowTop = b == u"UserName" ? 3000 : 3900;
        setPlace(ctl(b + "_Label"), 525, rowTop);
        Control& border = ctl(b + "_border");
        setRect(border, 525, rowTop + 300, 2550, 420);
        border.backColor = kSkin;
        Control& form = ctl(b + "_Form");
        setRect(form, 15, 15, border.width - 30, border.height - 30);
        setRect(ctl(b + "_Txt"), 75, 90, form.width - 150, 210);
    }
    const Control& passBorder = ctl("PassWord_border");
    Control& chk = ctl("Chk_AutoLogin");
    Control& chkLabel = ctl("LebAutoLogin");
    chk.backColor = kSkin;
    setPlace(chk, W / 2 - (chk.width + 45 + chkLabel.width) / 2,
             passBorder.top + passBorder.height + 150);
    setPlace(chkLabel, chk.left + chk.width + 45, chk.top + 45);
    Control& login = ctl("Login_Bot");
    login.setPicture(121);
    setPlace(login, W / 2 - login.width / 2, passBorder.top + passBorder.height + 750);
    setPlace(ctl("Jion_Label"), 525, H - 1200);
    setPlace(ctl("RePass_Label"), 525, H - 825);
    setPlace(ctl("Web_Label"), 525, H - 450);

    // 17.
    ApplyRoundRegion(*this, 9, 9);

    // Frame images and title buttons (18-28).
    Control& topLeft = ctl("FormTop_Left");
    setRect(topLeft, 0, 0, 3450, 390);
    topLeft.setPicture(TempLoginOk ? 1013 : 146);
    Control& topRight = ctl("FormTop_Right");
    setRect(topRight, W - 60, 0, 60, 390);
    topRight.setPicture(148);
    Control& topMiddle = ctl("FormTop_Cennet");
    setRect(topMiddle, topLeft.width, 0, W - 3450 - 60, 390);
    topMiddle.setPicture(147);
    struct Slice {
        const char* name;
        double left, top, width, height;
        int bitmap;
    };
    const Slice slices[] = {
        {"FormBottom_Left", 0, H - 60, 60, 60, 152},
        {"FormBottom_Right", W - 60, H - 60, 60, 60, 154},
        {"FormBottom_Cennet", 60, H - 60, W - 120, 60, 153},
        {"FormCenent_Left", 0, 390, 60, H - 390 - 60, 149},
        {"FormCenent_Right", W - 60, 390, 60, H - 390 - 60, 151},
        {"FormCenent_Cennet", 60, 390, W - 60 - 60, H - 390 - 60, 150},
    };
    for (const Slice& s : slices) {
        Control& c = ctl(QString::fromLatin1(s.name));
        setRect(c, s.left, s.top, s.width, s.height);
        c.setPicture(s.bitmap);
    }
    Control& minimise = ctl("Bot_Min");
    setPlace(minimise, W - 990, 30);
    minimise.setPicture(108);
    Control& close = ctl("Bot_Close");
    setPlace(close, W - 555, 30);
    close.setPicture(110);

    // Loading pages (29-32).
    for (int i = 1; i <= 8; ++i) setPlace(ctl("Pic_Load", i), (W - 1830) / 2 + 240 * (i - 1), 3300);
    Control& status = ctl("Login_Txt");
    setPlace(status, (W - status.width) / 2, 3675);
    Control& cancelLogin = ctl("LoginClose_Bot");
    setPlace(cancelLogin, (W - cancelLogin.width) / 2, 4200);
    cancelLogin.setPicture(125);
    Control& cancelQuery = ctl("SearchClose_Bot");
    setPlace(cancelQuery, cancelLogin.left, cancelLogin.top);
    cancelQuery.setPicture(137);

    // Logged-in pages (33-53).
    Control& mainLogo = ctl("Main_Logo");
    setPlace(mainLogo, 150, topLeft.height + 150);
    mainLogo.setPicture(120);
    setPlace(ctl("Info_UserName"), mainLogo.left + mainLogo.width + 225, topLeft.height + 225);
    Control& tools = ctl("ToolsTree");
    tools.backColor = kSkin;
    setRect(tools, 30, 1920, 555, H - 1920 - 1410);
    for (int i = 1; i <= 4; ++i) {
        Control& b = ctl("ToolsTree_Bot", i);
        b.top = 555 * (i - 1);
        b.width = 555;
        b.height = 555;
    }
    Control& search = ctl("Frame_Search");
    setRect(search, tools.left + tools.width, tools.top, W - tools.width - 60, tools.height);
    Control& table = ctl("Frame_Table");
    setRect(table, 0, 600, search.width, tools.height - 600);
    Control& bar = ctl("Frame_TableBar");
    Control& box = ctl("Frame_TableBox");
    setRect(box, 0, 0, table.width - bar.width, 9000);
    box.backColor = Rgb{255, 255, 255};
    setRect(bar, table.width - bar.width, 0, bar.width, table.height);
    Control& searchBorder = ctl("SearchForm_border");
    setRect(searchBorder, 75, 75, search.width - 150, 420);
    Control& searchForm = ctl("SearchForm_Form");
    setRect(searchForm, 15, 15, searchBorder.width - 30, searchBorder.height - 30);
    setRect(ctl("SearchForm_Text"), 75, 90, 1905, 210);
    Control& shanghai = ctl("SearchDapan_shanghai");
    setPlace(shanghai, searchForm.width - 750, 30);
    shanghai.setPicture(133);
    Control& shenzhen = ctl("SearchDapan_shenzhen");
    setPlace(shenzhen, searchForm.width - 390, 30);
    shenzhen.setPicture(135);
    Control& ad = ctl("WebAD");
    ad.width = 3300;
    ad.height = 1200;
    setPlace(ad, (W - ad.width) / 2, H - ad.height - 105);
    Control& results = ctl("Frame_results");
    setRect(results, search.left, tools.top, search.width, tools.height);
    Control& line = ctl("Line1");
    line.x1 = 75;
    line.x2 = results.width - 75;
    Control& closeResults = ctl("Bot_CloseSearchMain");
    setPlace(closeResults, results.width - closeResults.width - 75, 180);
    closeResults.setPicture(139);
    ctl("Shape1").height = H - 1725 - 3960;
    ctl("SearchGp_Info").height = H - 1725 - 4500;
    ctl("SearchGp_Time").top = results.height - 240;
    ctl("WebQuestion").height = search.height;
}

}  // namespace vantorel
