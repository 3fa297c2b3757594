#include "app/FormLogin.h"

#include <QStringList>

#include <cmath>

namespace vantorel {

namespace {

const QString kIndent = QStringLiteral("　　");  // two ideographic spaces
const QString kCrLf = QStringLiteral("\r\n");
const QString kBusy = QStringLiteral("股票停盘或服务器忙碌");

// The answer text: after the first "?" up to the next one. Empty when there is no "?".
QString answerText(const QString& address) {
    const qsizetype q = address.indexOf(u'?');
    if (q < 0) return {};
    return address.mid(q + 1).section(u'?', 0, 0);
}

}  // namespace

QString FormLogin::accountName() const {
    return find(QStringLiteral("Info_UserName"))->text().mid(4);
}

// Makes every request address differ from the one before: floor(r × −99998 + 1), −99997 to 1.
QString FormLogin::requestNumber() {
    const double r = platform_.random ? platform_.random->next() : 0;
    return QString::number(static_cast<qint64>(std::floor(r * -99998 + 1)));
}

void FormLogin::startQuery(const QString& requestUrl) {
    navigate("WebBrowser1", requestUrl);
    timer("SearchGpInfoMonitor").setEnabled(true);
}

void FormLogin::SearchGpInfo(const QString& code) {
    if (platform_.random) platform_.random->reseedFromClock();
    ShowPage(QStringLiteral("LoadingSearchPage"));
    startQuery(webAddress("/RequestGpInfo.asp?GpID=") + code + QStringLiteral("&UserID=") +
               accountName() + QStringLiteral("&PgRun=") + requestNumber());
    ctl("SearchGp_ID").setText(code.toUpper());
}

void FormLogin::SearchDapan_Click(bool shanghai) {
    if (platform_.random) platform_.random->reseedFromClock();
    ShowPage(QStringLiteral("LoadingSearchPage"));
    startQuery(webAddress("/RequestDaPan.asp?DaPan=") +
               (shanghai ? QStringLiteral("s_sh000001") : QStringLiteral("s_sh000002")) +
               QStringLiteral("&UserID=") + accountName() + QStringLiteral("&PgRun=") +
               requestNumber());
    ctl("SearchGp_ID").setText(QString());
}

void FormLogin::SearchGpInfoMonitor_Timer() {
    const WebView* browser = ctl("WebBrowser1").web;
    const QString address = browser ? browser->documentUrl() : QString();
    const QString base = platform_.service.webBase;
    if (address.startsWith(base + QStringLiteral("/SendG"))) {
        stockAnswer(answerText(address));
    } else if (address.startsWith(base + QStringLiteral("/SendD"))) {
        indexAnswer(answerText(address));
    }
}

void FormLogin::endQuery() {
    navigate("WebBrowser1", QStringLiteral("about:blank"));
    timer("SearchGpInfoMonitor").setEnabled(false);
}

void FormLogin::stockAnswer(const QString& answer) {
    Control& status = ctl("Login_Txt");
    const QStringList f = answer.split(u'|');
    if (answer == u"ErrGpID") {
        status.setText(QStringLiteral("没有找到匹配的信息"));
    } else if (answer == u"ErrGpMoney") {
        status.setText(kBusy);
    } else if (f.size() > 4 && f[4].isEmpty()) {
        status.setText(QStringLiteral("当前股票处于停盘中"));
    } else if (f.size() < 9) {
        // A cut-short answer cannot fill the page; say the service did not answer usefully.
        status.setText(kBusy);
    } else {
        ctl("SearchGp_Name").setText(f[0]);
        ctl("SearchGp_Time").setText(QStringLiteral("查询时间: ") + f[1] + u' ' + f[2]);
        ctl("SearchGp_UpMoney").setText(QStringLiteral("RMB: ") + f[3]);
        ctl("SearchGp_UpNum").setText(f[4] + u'%');
        ctl("SearchGp_DMoney").setText(QStringLiteral("RMB: ") + f[5]);
        ctl("SearchGp_DownMoney").setText(QStringLiteral("RMB: ") + f[6]);
        ctl("SearchGp_DownNum").setText(f[7] + u'%');
        QString advice = kIndent;
        for (const QString& paragraph : f[8].split(QStringLiteral("<br><br>")))
            advice += paragraph + kCrLf + kCrLf + kIndent;
        ctl("SearchGp_Info").setText(advice);
        ShowPage(QStringLiteral("SearchResultPage"));
    }
    endQuery();
}

void FormLogin::indexAnswer(const QString& answer) {
    const QStringList f = answer.split(u'|');
    if (f.size() < 8) {
        ctl("Login_Txt").setText(kBusy);
        endQuery();
        return;
    }
    ctl("SearchGp_Name").setText(f[0]);
    ctl("SearchGp_Time").setText(QStringLiteral("查询时间: ") + f[1] + u' ' + f[2]);
    ctl("SearchGp_UpMoney").setText(f[3]);
    ctl("SearchGp_UpNum").setText(f[4] + u'%');
    ctl("SearchGp_DMoney").setText(f[5]);
    ctl("SearchGp_DownMoney").setText(f[6]);
    ctl("SearchGp_DownNum").setText(f[7] + u'%');

    static const QString t0 =
        QStringLiteral("是大盘目前的弱压力/支撑位，可能会对指数的运行产生影响。");
    static const QString t1 = QStringLiteral(
        "　　影响大盘涨跌的因素很多，“Vantorel”给出的上方压力位与下方支撑位仅供参考。");
    static const QString t2 = QStringLiteral(
        "　　请将您股票软件的移动平均线设定为：5、30、60、130、250日线，在压力支撑位间的距离较大时"
        "，"
        "可以用这些均线作为补充参照，当这些均线位于股价之上时会成为上行的阻力，相反则成为下跌的支撑"
        "。");
    bool okP = false, okS = false;
    const double p = f[3].toDouble(&okP), s = f[6].toDouble(&okS);
    const double d = (p - s) / s * 100;
    QString advice;
    // Levels that are not numbers, or a zero support level, give no spread to speak of.
    if (okP && okS && s != 0 && std::isfinite(d) && d > 12) {
        const QString m = QString::number(s + (p - s) / 2, 'g', 15);
        advice = kIndent + m + t0 + kCrLf + kCrLf;
    }
    advice += t1 + kCrLf + kCrLf + t2 + kCrLf + kCrLf;
    ctl("SearchGp_Info").setText(advice);
    ShowPage(QStringLiteral("SearchResultPage"));
    endQuery();
}

}  // namespace vantorel
