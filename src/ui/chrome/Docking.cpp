#include "app/FormLogin.h"

namespace vantorel {

namespace {

bool isTitleImage(const Control& c) {
    return c.name == u"FormTop_Left" || c.name == u"FormTop_Cennet" || c.name == u"FormTop_Right";
}

}  // namespace

// The 10 ms poll: docks a window that touches an edge while the cursor is in it, slides a
// docked window out when the cursor leaves and back when it touches the strip left on screen.
void FormLogin::Timer3_Timer() {
    int px = 0, py = 0;
    if (platform_.cursor) platform_.cursor->position(px, py);
    const double cx = px * 15.0, cy = py * 15.0;
    const bool inside = left <= cx && cx <= left + width() && top <= cy && cy <= top + height();
    if (visible) {
        const bool free = TempWindowPosition == u"中";
        if (free && left == 0 && inside) TempWindowPosition = QStringLiteral("左");
        if (TempWindowPosition == u"中" && inside && left == screen().widthTwips - width())
            TempWindowPosition = QStringLiteral("右");
        if (TempWindowPosition == u"中" && top == 0 && inside)
            TempWindowPosition = QStringLiteral("上");
        const bool docked = TempWindowPosition != u"中";
        if (inside && TempWindowCtrl == u"是" && docked) {
            TempWindowNum = 0;
            timer("Timer2").setEnabled(true);
            timer("Timer3").setEnabled(false);
        } else if (!inside && TempWindowCtrl == u"否" && docked) {
            TempWindowNum = 0;
            timer("Timer1").setEnabled(true);
            timer("Timer3").setEnabled(false);
        }
    }
    hoverStep(cx, cy);
}

void FormLogin::slideTick(bool out) {
    Timer& self = timer(out ? QStringLiteral("Timer1") : QStringLiteral("Timer2"));
    const double sign = out ? 1 : -1;
    const QString& at = TempWindowPosition;
    if (at != u"左" && at != u"右" && at != u"上") {
        // Undocked by the tray icon in the middle of a slide: stop here and let the poll go on,
        // rather than idling with docking switched off for good.
        self.setEnabled(false);
        timer("Timer3").setEnabled(true);
        return;
    }
    if (TempWindowNum < 10) {
        if (at == u"左") left -= sign * MaxMeWidth / 10.0;
        if (at == u"右") left += sign * MaxMeWidth / 10.0;
        if (at == u"上") top -= sign * 855;
        ++TempWindowNum;
        return;
    }
    // The last tick leaves a 75-twip strip of the window on the screen.
    if (at == u"左") left += sign * 75;
    if (at == u"右") left -= sign * 75;
    if (at == u"上") top += sign * 75;
    self.setEnabled(false);
    TempWindowCtrl = out ? QStringLiteral("是") : QStringLiteral("否");
    timer("Timer3").setEnabled(true);
}

void FormLogin::hoverStep(double cx, double cy) {
    auto over = [&](const Control& c) {
        const double l = left + c.left + 45, t = top + c.top;
        return l <= cx && cx <= l + c.width && t <= cy && cy <= t + c.height;
    };
    for (const char* n : {"UserName_border", "PassWord_border"}) {
        Control& c = ctl(QString::fromLatin1(n));
        c.backColor = over(c) ? kWhite : kSkin;
    }
    for (const char* n : {"Jion_Label", "RePass_Label"}) {
        Control& c = ctl(QString::fromLatin1(n));
        c.foreColor = over(c) ? kYellow : kWhite;
    }
    Control& web = ctl("Web_Label");
    web.foreColor = over(web) ? Rgb{255, 125, 0} : kYellow;
    struct Picture {
        const char* name;
        int over, normal;
    };
    const Picture pictures[] = {{"Login_Bot", 122, 121},
                                {"Bot_Min", 109, 108},
                                {"Bot_Close", 111, 110},
                                {"LoginClose_Bot", 126, 125},
                                {"SearchClose_Bot", 138, 137}};
    for (const Picture& p : pictures) {
        Control& c = ctl(QString::fromLatin1(p.name));
        c.setPicture(over(c) ? p.over : p.normal);
    }
}

void FormLogin::mouseDown(Control& c, int button, int, double x, double y) {
    if (!isTitleImage(c) || button != kLeftButton) return;
    TempDragX = static_cast<qint16>(roundHalfEven(x));
    TempDragY = static_cast<qint16>(roundHalfEven(y));
    TempDragFlag = true;
}

void FormLogin::mouseUp(Control& c, int, int, double, double) {
    if (isTitleImage(c)) TempDragFlag = false;
}

void FormLogin::mouseMove(Control& c, int, int, double x, double y) {
    if (isTitleImage(c) && TempDragFlag) dragStep(x, y);
    // Only the row band hovers; the code and name drawn over it do not.
    if (c.name == u"GpBg") HoverGpRow(c.index);
}

// One drag step: follow the cursor, snapping to the side edges (stretched to the screen's
// height) and to the top edge.
void FormLogin::dragStep(double x, double y) {
    const double dx = static_cast<qint16>(roundHalfEven(x - TempDragX));
    const double dy = static_cast<qint16>(roundHalfEven(y - TempDragY));
    const ScreenInfo s = screen();
    const float newLeft = static_cast<float>(left + dx);
    if (newLeft <= 0) {
        top = 0;
        left = 0;
        setHeight(s.heightTwips - 450);
        TempWindowPosition = QStringLiteral("左");
        return;
    }
    if (static_cast<float>(left + dx + width()) > s.widthTwips) {
        top = 0;
        left = s.widthTwips - width();
        setHeight(s.heightTwips - 450);
        TempWindowPosition = QStringLiteral("右");
        return;
    }
    left = newLeft;
    setHeight(8550);
    TempWindowPosition = QStringLiteral("中");
    timer("Timer3").setEnabled(true);
    if (top + dy > 0) {
        top += dy;
    } else {
        top = 0;
        TempWindowPosition = QStringLiteral("上");
    }
}

}  // namespace vantorel
