#include "app/FormLogin.h"
#include "link/Gbk.h"
#include "link/Md5.h"

#include <QStringList>

namespace vantorel {

namespace {

// A peer on an IPv4-mapped IPv6 socket reports itself as "::ffff:a.b.c.d".
QString plainIPv4(const QString& host) {
    return host.startsWith(u"::ffff:") ? host.mid(7) : host;
}

}  // namespace

QString FormLogin::passwordDigest() {
    const QString text = ctl("PassWord_Txt").text();
    return TempAutoLogin == u"Yes" ? text : Md5Digest(text);
}

void FormLogin::Login_Bot_Click() {
    const QString account = ctl("UserName_Txt").text();
    // A "|" would shift the fields of the request; the box refuses it, this guards a restored one.
    if (account.contains(u'|')) return;
    const QString request =
        QStringLiteral("Login|") + account + u'|' + passwordDigest() + QStringLiteral("|10.09");
    if (platform_.link) platform_.link->send(toGbk(request));
    ShowPage(QStringLiteral("LoadingPage"));
}

void FormLogin::Link_DataArrival(const QByteArray& datagram, const QString& fromHost,
                                 quint16 fromPort) {
    // Only the login server may probe, refuse or push: anything else could take the window over.
    if (fromPort != platform_.service.loginPort ||
        plainIPv4(fromHost) != plainIPv4(platform_.service.loginHost))
        return;
    const QStringList fields = fromGbk(datagram).split(u'|');
    const QString& kind = fields[0];
    auto field = [&](int i) { return i < fields.size() ? fields[i] : QString(); };

    if (kind == u"TestLogin") {
        if (platform_.link) platform_.link->send(toGbk(QStringLiteral("TestLogin|") + field(1)));
    } else if (kind == u"Err") {
        const QString code = field(1);
        Control& status = ctl("Login_Txt");
        if (code == u"Password") status.setText(QStringLiteral("帐户与密码错误，请重试"));
        if (code == u"Style") status.setText(QStringLiteral("账户状态异常，请联系销售商"));
        if (code == u"ErrCode") {
            status.setText(QStringLiteral("当前版本过旧 点击下载最新版"));
            status.foreColor = Rgb{0, 200, 255};
        } else {
            status.foreColor = kWhite;
        }
        if (code == u"Users") {
            ShowPage(QStringLiteral("LoadingPage"));
            status.setText(QStringLiteral("有另一用户在异地登录"));
        }
        timer("PlayFlash").setEnabled(false);
        timer("Timer_Monitor").setEnabled(false);
    } else if (kind == u"LoginOk") {
        ctl("Info_UserName").setText(QStringLiteral("帐号: ") + ctl("UserName_Txt").text());
        TempLoginOk = true;
        ctl("FormTop_Left").setPicture(1013);
        ShowPage(QStringLiteral("SearchMainPage"));
        saveLogin();
    } else if (kind == u"Msg") {
        // Without a message number there is no page to show.
        if (fields.size() >= 3) ShowMessageWindow(field(1), field(2));
    }
}

void FormLogin::Timer_Monitor_Timer() {
    ctl("Login_Txt").setText(QStringLiteral("连接超时，请重试。"));
    timer("Timer_Monitor").setEnabled(false);
    timer("PlayFlash").setEnabled(false);
}

}  // namespace vantorel
