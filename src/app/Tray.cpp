#include "app/FormLogin.h"

namespace vantorel {

void FormLogin::IconLogo_MouseMove(int button) {
    if (button == kLeftButton) {
        if (!visible) visible = true;
        // Bring a docked window fully back on the screen at its edge, then undock it.
        if (TempWindowPosition == u"左") left = 0;
        if (TempWindowPosition == u"右") left = screen().widthTwips - width();
        if (TempWindowPosition == u"上") top = 0;
        TempWindowPosition = QStringLiteral("中");
        TempWindowCtrl = QStringLiteral("否");
        requestFocus(ctl("Text1"));
    } else if (button == kRightButton) {
        if (platform_.tray) platform_.tray->popupMenu();
    }
}

std::vector<FormLogin::MenuEntry> FormLogin::trayMenu() {
    return {{QStringLiteral("官方网站"), [this] { WindowOpenUrl(QStringLiteral("Web")); }},
            {QStringLiteral("退出软件"), [this] { ExitSoft(); }}};
}

}  // namespace vantorel
