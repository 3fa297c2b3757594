#include "app/FormLogin.h"

#include "app/IniFile.h"
#include "ui/message/FormMessage.h"

#include <cmath>

namespace vantorel {

namespace {

constexpr Rgb kField{24, 24, 24};  // inner field of the login boxes
constexpr Rgb kGrey{128, 128, 128};

// Runs one start-up step; a step that fails is skipped and the next one runs.
template <typename F>
void attempt(F&& f) {
    try {
        f();
    } catch (...) {
    }
}

// A restored position must be a plain number that a window can stand at; anything else counts
// as "not a number" (the settings file may have been edited by hand).
bool parsePosition(const QString& text, double& out) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::abs(v) > 1e7) return false;
    out = v;
    return true;
}

}  // namespace

QString twipsText(double v) {
    return QString::number(static_cast<float>(v), 'g', 7);
}

FormLogin::FormLogin(Platform& platform) : Form(QStringLiteral("FormLogin")), platform_(platform) {
    createControls();
    createTimers();
}

FormLogin::~FormLogin() = default;

void FormLogin::createControls() {
    auto image = [&](const char* name) -> Control& { return add(name, Kind::Image); };
    auto pictureBox = [&](const char* name, int bitmap, Control* in = nullptr,
                          int index = -1) -> Control& {
        Control& c = add(name, Kind::PictureBox, in, index);
        c.autoSize = true;
        c.backColor = kSkin;
        c.setPicture(bitmap);
        return c;
    };
    auto frame = [&](const char* name, Rgb back, Control* in = nullptr) -> Control& {
        Control& c = add(name, Kind::Frame, in);
        c.backColor = back;
        return c;
    };
    auto label = [&](const char* name, const QString& caption, double w, double h, Rgb fore,
                     Control* in = nullptr) -> Control& {
        Control& c = add(name, Kind::Label, in);
        c.width = w;
        c.height = h;
        c.foreColor = fore;
        c.transparent = true;
        c.setText(caption);
        return c;
    };
    auto place = [](Control& c, double l, double t, double w, double h) {
        c.left = l;
        c.top = t;
        c.width = w;
        c.height = h;
    };
    auto font = [](Control& c, const char* name, double size, bool bold) {
        c.fontName = QString::fromUtf8(name);
        c.fontSize = size;
        c.fontBold = bold;
    };

    // The skin: background first so everything else stacks above it.
    image("FormCenent_Cennet");
    image("FormCenent_Left");
    image("FormCenent_Right");
    image("FormBottom_Left");
    image("FormBottom_Cennet");
    image("FormBottom_Right");
    image("FormTop_Left");
    image("FormTop_Cennet");
    image("FormTop_Right");

    // Login page.
    label("UserName_Label", QStringLiteral("帐号:"), 450, 180, kWhite);
    Control& userBorder = frame("UserName_border", kSkin);
    Control& userForm = frame("UserName_Form", kField, &userBorder);
    Control& user = add("UserName_Txt", Kind::TextBox, &userForm);
    user.backColor = kField;
    user.foreColor = kWhite;
    label("PassWord_Label", QStringLiteral("密码:"), 450, 180, kWhite);
    Control& passBorder = frame("PassWord_border", kSkin);
    Control& passForm = frame("PassWord_Form", kField, &passBorder);
    Control& pass = add("PassWord_Txt", Kind::TextBox, &passForm);
    pass.backColor = kField;
    pass.foreColor = kWhite;
    pass.passwordChar = QLatin1Char('*');
    pictureBox("Login_Bot", 121);
    label("Jion_Label", QStringLiteral("注册新帐号"), 900, 180, kWhite);
    label("RePass_Label", QStringLiteral("找回密码"), 720, 180, kWhite);
    label("Web_Label", QStringLiteral("官方网站"), 720, 180, kYellow);
    pictureBox("Logo", 120);
    Control& chk = add("Chk_AutoLogin", Kind::CheckBox);
    chk.width = 255;
    chk.height = 255;
    chk.backColor = kSkin;
    label("LebAutoLogin", QStringLiteral("保存密码"), 720, 180, kWhite);

    // Loading pages. The cells start dark; the template at index 0 is never shown.
    for (int i = 0; i <= 8; ++i) pictureBox("Pic_Load", 1000, nullptr, i).visible = false;
    Control& status = label("Login_Txt", QString(), 1440, 180, kWhite);
    status.alignment = 2;
    status.visible = false;
    pictureBox("LoadingLogo", 120).visible = false;
    pictureBox("LoginClose_Bot", 125).visible = false;
    pictureBox("SearchClose_Bot", 137).visible = false;

    // Logged-in pages.
    pictureBox("Main_Logo", 120).visible = false;
    Control& account = label("Info_UserName", QString(), 1900, 180, kWhite);
    account.visible = false;
    account.autoSize = true;
    Control& tools = frame("ToolsTree", kSkin);
    tools.visible = false;
    const int toolBitmaps[] = {0, 127, 131, 142, 144};
    for (int i = 0; i <= 4; ++i) {
        Control& b = add("ToolsTree_Bot", Kind::PictureBox, &tools, i);
        b.backColor = kSkin;
        b.width = b.height = 555;
        b.setPicture(toolBitmaps[i]);
        b.visible = i > 0;
    }

    Control& search = frame("Frame_Search", kSkin);
    search.visible = false;
    Control& searchBorder = frame("SearchForm_border", kGrey, &search);
    Control& searchForm = frame("SearchForm_Form", kWhite, &searchBorder);
    Control& searchText = add("SearchForm_Text", Kind::TextBox, &searchForm);
    searchText.backColor = kWhite;
    searchText.foreColor = Rgb{192, 192, 192};
    searchText.setText(QStringLiteral("搜索股票代码或名称..."));
    searchText.onTextChanged = [this](Control&) { SearchForm_Text_Change(); };
    pictureBox("SearchDapan_shanghai", 133, &searchForm).backColor = kWhite;
    pictureBox("SearchDapan_shenzhen", 135, &searchForm).backColor = kWhite;
    Control& table = frame("Frame_Table", kWhite, &search);
    Control& box = frame("Frame_TableBox", kWhite, &table);
    Control& bar = add("Frame_TableBar", Kind::ScrollBar, &table);
    bar.onValueChanged = [this](Control&) { ScrollGpTable(); };
    bar.width = 255;
    bar.min = 0;
    bar.max = 10;
    // Row templates of the stock table.
    Control& band = add("GpBg", Kind::Frame, &box, 0);
    place(band, 0, 0, 3255, 450);
    band.visible = false;
    for (const char* n : {"GpID", "GpName"}) {
        Control& t = add(n, Kind::Label, &box, 0);
        t.transparent = true;
        t.visible = false;
    }

    Control& results = frame("Frame_results", kWhite);
    results.visible = false;
    const Rgb red{255, 0, 0}, blue{0, 0, 255}, green{0, 128, 0};
    Control& name = label("SearchGp_Name", QStringLiteral("暂无数据"), 960, 225, kBlack, &results);
    name.autoSize = true;
    place(name, 120, 120, 960, 225);
    font(name, "宋体", 11.25, true);
    Control& id = label("SearchGp_ID", QString(), 60, 240, kBlack, &results);
    place(id, 1200, 120, 60, 240);
    id.autoSize = true;
    font(id, "Arial", 9.75, true);
    struct Row {
        const char* caption;
        const char* money;
        const char* num;
        const char* arrow;
        double top;
        Rgb colour;
    };
    const Row rows[] = {
        {"Label3", "SearchGp_UpMoney", "SearchGp_UpNum", "Picture1", 720, red},
        {"Label6", "SearchGp_DMoney", nullptr, nullptr, 1200, blue},
        {"Label8", "SearchGp_DownMoney", "SearchGp_DownNum", "Picture2", 1680, green}};
    const QString captions[] = {QStringLiteral("压力位:"), QStringLiteral("当前价:"),
                                QStringLiteral("支撑位:")};
    for (int r = 0; r < 3; ++r) {
        const Row& row = rows[r];
        Control& cap = label(row.caption, captions[r], 855, 225, row.colour, &results);
        place(cap, 120, row.top, 855, 225);
        font(cap, "宋体", 11.25, true);
        Control& money =
            label(row.money, QStringLiteral("RMB 0.00"), 795, 225, row.colour, &results);
        place(money, 1080, row.top, 795, 225);
        money.autoSize = true;
        font(money, "Arial", 9, true);
        if (row.arrow) {
            Control& arrow = add(row.arrow, Kind::PictureBox, &results);
            place(arrow, 2160, row.top + 30, 165, 150);
            arrow.backColor = kWhite;
            arrow.designPicture =
                r == 0 ? QStringLiteral("up_arrow") : QStringLiteral("down_arrow");
        }
        if (row.num) {
            Control& num = label(row.num, QStringLiteral("00%"), 375, 225, row.colour, &results);
            place(num, 2400, row.top, 375, 225);
            num.autoSize = true;
            font(num, "Arial", 9, false);
        }
    }
    Control& shape = add("Shape1", Kind::Shape, &results);
    place(shape, 60, 2040, 2850, 0);
    shape.foreColor = kGrey;
    Control& adviceCaption =
        label("Label11", QStringLiteral("操盘建议:"), 885, 180, kBlack, &results);
    place(adviceCaption, 120, 2160, 885, 180);
    font(adviceCaption, "宋体", 9, true);
    Control& info = add("SearchGp_Info", Kind::RichText, &results);
    place(info, 120, 2520, 2655, 0);
    Control& time =
        label("SearchGp_Time", QStringLiteral("查询时间: "), 900, 180, kBlack, &results);
    place(time, 120, 0, 900, 180);
    time.autoSize = true;
    font(time, "宋体", 9, false);
    Control& line = add("Line1", Kind::Line, &results);
    line.y1 = line.y2 = 480;
    line.foreColor = kGrey;
    pictureBox("Bot_CloseSearchMain", 139, &results).backColor = kWhite;

    add("WebAD", Kind::WebBrowser).visible = false;
    add("WebQuestion", Kind::WebBrowser).visible = false;
    Control& query = add("WebBrowser1", Kind::WebBrowser);
    place(query, 9840, 7680, 3015, 855);

    // Never hidden: the title buttons.
    pictureBox("Bot_Min", 108);
    pictureBox("Bot_Close", 110);

    // The tray icon's notification target and the focus sink lie outside the visible area.
    Control& icon = add("IconLogo", Kind::PictureBox);
    icon.visible = false;
    Control& sink = add("Text1", Kind::TextBox);
    place(sink, -3000, -3000, 300, 210);

    for (const char* n : {"WebAD", "WebQuestion", "WebBrowser1"}) {
        if (!platform_.webViews) break;
        webViews_.push_back(platform_.webViews->create(QString::fromLatin1(n)));
        ctl(n).web = webViews_.back().get();
    }
}

void FormLogin::createTimers() {
    addTimer("Timer3", 10, true, [this] { Timer3_Timer(); });
    addTimer("Timer1", 10, false, [this] { Timer1_Timer(); });
    addTimer("Timer2", 10, false, [this] { Timer2_Timer(); });
    addTimer("PlayFlash", 60, false, [this] { PlayFlash_Timer(); });
    addTimer("Timer_Monitor", 5000, false, [this] { Timer_Monitor_Timer(); });
    addTimer("SearchGpInfoMonitor", 100, true, [this] { SearchGpInfoMonitor_Timer(); });
}

ScreenInfo FormLogin::screen() const {
    return platform_.screen ? platform_.screen->info() : ScreenInfo{};
}

QString FormLogin::configPath() const {
    return platform_.appDir + QStringLiteral("/config.ini");
}

void FormLogin::navigate(const QString& control, const QString& url) {
    if (WebView* w = ctl(control).web) w->navigate(url);
}

void FormLogin::Form_Load() {
    attempt([&] {
        if (platform_.link)
            platform_.link->configure(platform_.service.loginHost, platform_.service.loginPort);
    });
    // No class-wide drop shadow exists on X11 or Wayland; compositors shade windows themselves.
    attempt([&] {
        setHeight(8550);
        setWidth(3600);
        MaxMeWidth = 3600;
    });
    attempt([&] {
        const ScreenInfo s = screen();
        // The position a window without a usable saved one stands at.
        top = 450;
        left = s.widthTwips - width() - 450;
        const QString savedTop = ReadIniValue("WindowMove", "MainTop", configPath());
        double v = 0;
        if (savedTop.isEmpty() || !parsePosition(savedTop, v)) return;
        top = v;
        if (parsePosition(ReadIniValue("WindowMove", "MainLeft", configPath()), v)) left = v;
    });
    attempt([&] { topmost = true; });
    attempt([&] {
        TempWindowPosition = QStringLiteral("中");
        TempWindowCtrl = QStringLiteral("否");
        TempPlayNum = 0;
        TempPlayFx = QStringLiteral("右");
    });
    attempt([&] { ApplyRoundRegion(*this, 9, 9); });
    attempt([&] {
        if (platform_.tray) platform_.tray->add(QStringLiteral("Vantorel"));
    });
    // The application-object property of the design has no counterpart here: hiding the task-bar
    // entry would leave no way back to a hidden window on desktops without a tray.
    bool databaseOpen = false;
    attempt(
        [&] { databaseOpen = platform_.database && platform_.database->open(platform_.appDir); });
    attempt([&] {
        TempAutoLogin = QStringLiteral("No");
        if (databaseOpen) restoreSavedLogin();
    });
    attempt([&] { navigate("WebAD", webAddress("/ad.asp")); });
    attempt([&] {
        if (databaseOpen) ReGpTj();
    });
}

void FormLogin::ExitSoft() {
    attempt([&] {
        if (platform_.tray) platform_.tray->remove();
    });
    if (platform_.process) platform_.process->exitNow();
}

qint16 FormLogin::GetTaskbarHeight() const {
    const ScreenInfo s = screen();
    const double tpp = s.twipsPerPixelX;
    const double h = (s.heightTwips / tpp - s.workBottom) * tpp;
    return static_cast<qint16>(roundHalfEven(h));
}

void FormLogin::click(Control& c) {
    const QString& n = c.name;
    if (n == u"Bot_Close") {
        attempt([&] {
            if (platform_.tray) platform_.tray->remove();
        });
        WriteIniValue("WindowMove", "MainTop", twipsText(top), configPath());
        WriteIniValue("WindowMove", "MainLeft", twipsText(left), configPath());
        WriteIniValue("WindowMove", "MainVisible", TempWindowPosition, configPath());
        if (platform_.process) platform_.process->exitNow();
    } else if (n == u"Bot_Min") {
        visible = false;
    } else if (n == u"ToolsTree_Bot") {
        static const char* const pages[] = {"SearchMainPage", "SearchResultPage", "QuestionPage",
                                            "ComputerPage"};
        if (c.index >= 1 && c.index <= 4) ShowPage(QString::fromLatin1(pages[c.index - 1]));
    } else if (n == u"SearchClose_Bot" || n == u"Bot_CloseSearchMain") {
        ShowPage(QStringLiteral("SearchMainPage"));
    } else if (n == u"LoginClose_Bot") {
        ShowPage(QStringLiteral("LoginPage"));
        TempLoginOk = false;
        setHeight(8550);
    } else if (n == u"Login_Bot") {
        Login_Bot_Click();
    } else if (n == u"Jion_Label") {
        WindowOpenUrl(QStringLiteral("RegUser"));
    } else if (n == u"RePass_Label") {
        WindowOpenUrl(QStringLiteral("RePass"));
    } else if (n == u"Web_Label") {
        WindowOpenUrl(QStringLiteral("Web"));
    } else if (n == u"GpBg" || n == u"GpID" || n == u"GpName") {
        SelectGpRow(c.index);
    } else if (n == u"SearchDapan_shanghai" || n == u"SearchDapan_shenzhen") {
        SearchDapan_Click(n == u"SearchDapan_shanghai");
    } else if (n == u"Login_Txt") {
        // Only the "too old" answer turns the status line into a download link.
        if (c.text() == u"当前版本过旧 点击下载最新版" && platform_.opener)
            platform_.opener->open(webAddress("/Quorvex.exe"));
    }
}

std::vector<Form*> FormLogin::forms() {
    std::vector<Form*> all{this};
    if (message_) all.push_back(message_.get());
    return all;
}

void FormLogin::hide(std::initializer_list<const char*> names) {
    for (const char* n : names) ctl(QString::fromLatin1(n)).visible = false;
}

void FormLogin::show(std::initializer_list<const char*> names) {
    for (const char* n : names) ctl(QString::fromLatin1(n)).visible = true;
}

}  // namespace vantorel
