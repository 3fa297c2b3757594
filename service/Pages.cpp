#include "Pages.h"

#include <QMap>

namespace vantorel::service {

namespace {

const char* const kBaseStyle =
    "*{box-sizing:border-box}"
    "body{margin:0;font:13px/1.5 'Microsoft YaHei','PingFang SC','Noto Sans CJK SC',"
    "'WenQuanYi Micro Hei',sans-serif;color:#1f2937;background:#fff}";

QByteArray page(const QString& title, const QString& style, const QString& body) {
    return QStringLiteral(
               "<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
               "<title>%1</title><style>%2%3</style></head><body>%4</body></html>")
        .arg(title, QString::fromUtf8(kBaseStyle), style, body)
        .toUtf8();
}

// A wider page for the user's own browser.
QByteArray documentPage(const QString& title, const QString& body) {
    return page(
        title,
        QStringLiteral(
            "body{background:#f3f5f8}main{max-width:640px;margin:32px auto;padding:24px 32px;"
            "background:#fff;border-radius:8px;box-shadow:0 1px 4px rgba(0,0,0,.12)}"
            "h1{font-size:22px;color:#17345c;margin-top:0}h2{font-size:16px;color:#17345c}"
            "a{color:#1d5fb4}code{background:#eef1f5;padding:1px 4px;border-radius:3px}"
            "table{border-collapse:collapse}td,th{border:1px solid #d5dbe3;padding:4px 10px}"
            "label{display:block;margin:8px 0 2px}"
            "input{width:240px;padding:4px}button{margin-top:12px;padding:4px 16px}"
            ".note{color:#8a5a00;background:#fff6dd;padding:8px 12px;border-radius:4px}"),
        QStringLiteral("<main>%1</main>").arg(body));
}

}  // namespace

QByteArray homePage() {
    return documentPage(
        QStringLiteral("压力位查询演示服务"),
        QStringLiteral(
            "<h1>压力位查询演示服务</h1>"
            "<p>本服务在本机运行，供开发、演示与自动测试使用，行情数据均为演示数据。</p>"
            "<h2>页面</h2><ul>"
            "<li><a href=\"/ad.asp\">广告条</a></li>"
            "<li><a href=\"/WebSet.asp?MsgID=1\">消息页</a></li>"
            "<li><a href=\"/Question.asp\">常见问题</a></li>"
            "<li><a href=\"/Computer.asp\">仓位计算器</a></li>"
            "<li><a href=\"/Reg.asp\">注册账户</a></li>"
            "<li><a href=\"/BusinessRePass.asp\">找回密码</a></li>"
            "<li><a href=\"/Quorvex.exe\">下载客户端</a></li></ul>"
            "<h2>查询示例</h2><ul>"
            "<li><a href=\"/RequestGpInfo.asp?GpID=sh600519&amp;UserID=demo&amp;PgRun=1\">"
            "个股：sh600519</a></li>"
            "<li><a href=\"/RequestDaPan.asp?DaPan=s_sh000001&amp;UserID=demo&amp;PgRun=1\">"
            "大盘：上证指数</a></li>"
            "<li><a href=\"/RequestDaPan.asp?DaPan=s_sh000002&amp;UserID=demo&amp;PgRun=1\">"
            "大盘：深证成指</a></li></ul>"
            "<p>额度用完的演示代码：sh600036、sz000858；停牌的演示代码：sh600004、sz000063。</p>"));
}

QByteArray adPage() {
    return page(QStringLiteral("广告"),
                QStringLiteral("html,body{width:220px;height:80px;overflow:hidden}"
                               "body{background:linear-gradient(135deg,#0d1b2e,#1b3a5f);"
                               "color:#f4cf6b;display:flex;align-items:center;"
                               "justify-content:center;white-space:nowrap}"
                               "p{margin:0;font-size:14px;font-weight:bold}"
                               "span{color:#fff}"),
                QStringLiteral("<p>看清<span>压力支撑</span>，买卖心中有数</p>"));
}

QString messageText(std::optional<int> number) {
    static const QMap<int, QString> messages{
        {1, QStringLiteral("欢迎使用压力位查询服务！登录后即可查询个股与大盘的压力位和支撑位。")},
        {2, QStringLiteral("系统维护通知：本周六 22:00 至 24:00 服务器升级维护，期间暂停查询。")},
        {3, QStringLiteral("新功能上线：大盘查询现已支持深证成指，欢迎试用。")},
        {8, QStringLiteral("您的查询额度即将用完，请及时续费，以免影响正常使用。")},
        {15, QStringLiteral("行情提示：今日大盘波动加大，请注意控制仓位，切勿追涨杀跌。")},
        {20, QStringLiteral("节假日安排：春节休市期间暂停查询服务，节后首个交易日恢复。")},
    };
    if (number && messages.contains(*number)) return messages.value(*number);
    return QStringLiteral("感谢您的支持！更多精彩内容敬请关注后续通知。");
}

QByteArray messagePage(std::optional<int> number) {
    const QString heading = number ? QStringLiteral("系统消息 <small>No.%1</small>").arg(*number)
                                   : QStringLiteral("系统消息");
    return page(QStringLiteral("系统消息"),
                QStringLiteral("html,body{width:240px;height:135px;overflow:hidden}"
                               "body{font-size:12px;background:#fdfbf4}"
                               "h1{margin:0;padding:3px 8px;font-size:13px;color:#fff;"
                               "background:#1b3a5f}h1 small{font-weight:normal;opacity:.75}"
                               "p{margin:6px 8px;line-height:1.6;max-height:96px;overflow:hidden}"),
                QStringLiteral("<h1>%1</h1><p>%2</p>").arg(heading, messageText(number)));
}

QByteArray questionPage() {
    const std::pair<const char*, const char*> items[] = {
        {"什么是压力位？", "股价上涨时可能遇到卖盘集中、涨势受阻的价位。接近压力位时宜谨慎追高。"},
        {"什么是支撑位？",
         "股价下跌时可能遇到买盘承接、跌势放缓的价位。有效跌破支撑位往往意味着走势转弱。"},
        {"怎样查询个股？", "在搜索框输入股票代码或名称，用方向键选中后按回车查询，或双击列表中的股票。"},
        {"大盘按钮有什么用？", "一键查询上证或深证大盘的压力位与支撑位，判断整体市场环境。"},
        {"提示“额度不足”怎么办？", "说明账户的查询额度已用完，请联系客服续费。"},
        {"提示“账户已锁定”怎么办？", "账户因安全原因被暂停使用，请联系客服解锁。"},
        {"为什么被提示在别处登录？",
         "同一账户同时只能在一台电脑上使用，后登录的会使先登录的下线。"},
        {"数据多久更新一次？", "交易时间内每次查询都会返回最新计算结果。"},
    };
    QString body = QStringLiteral("<div class=\"scroll\"><h1>常见问题</h1><dl>");
    for (const auto& [question, answer] : items) {
        body += QStringLiteral("<dt>%1</dt><dd>%2</dd>")
                    .arg(QString::fromUtf8(question), QString::fromUtf8(answer));
    }
    body += QStringLiteral("</dl></div>");
    return page(QStringLiteral("常见问题"),
                QStringLiteral("html,body{height:100%;overflow:hidden}body{background:#f7f9fc}"
                               ".scroll{height:100%;overflow-x:hidden;overflow-y:auto;"
                               "padding:8px 12px}"
                               "h1{font-size:16px;color:#17345c;margin:0 0 6px;"
                               "border-bottom:2px solid #1b3a5f}"
                               "dl{margin:0}dt{font-weight:bold;color:#1b3a5f;margin-top:8px}"
                               "dd{margin:2px 0 0 1em;color:#374151}"),
                body);
}

QByteArray calculatorPage() {
    return page(
        QStringLiteral("仓位计算器"),
        QStringLiteral("html,body{width:413px;height:348px;overflow:hidden}"
                       "body{background:#f7f9fc;padding:8px 14px}"
                       "h1{font-size:16px;color:#17345c;margin:0 0 8px;"
                       "border-bottom:2px solid #1b3a5f}"
                       "table{width:100%;border-collapse:collapse}td{padding:3px 0}"
                       "td:first-child{width:150px;color:#374151}"
                       "input{width:140px;padding:2px 4px;font:inherit}"
                       "#out{margin-top:10px;padding:8px;background:#fff;border:1px solid #d5dbe3;"
                       "border-radius:4px;min-height:80px}#out b{color:#b3261e}"
                       "p.tip{color:#6b7280;font-size:12px;margin:8px 0 0}"),
        QStringLiteral(
            "<h1>仓位计算器</h1><table>"
            "<tr><td>总资金（元）</td><td><input id=\"cash\" type=\"number\" value=\"100000\">"
            "</td></tr>"
            "<tr><td>买入价（元）</td><td><input id=\"buy\" type=\"number\" value=\"10.00\" "
            "step=\"0.01\"></td></tr>"
            "<tr><td>止损价（元）</td><td><input id=\"stop\" type=\"number\" value=\"9.50\" "
            "step=\"0.01\"></td></tr>"
            "<tr><td>单笔最大亏损（%）</td><td><input id=\"risk\" type=\"number\" value=\"2\" "
            "step=\"0.5\"></td></tr></table>"
            "<div id=\"out\"></div>"
            "<p class=\"tip\">按“止损时亏损不超过总资金的一定比例”计算，股数按整手（100 "
            "股）取整。</p>"
            "<script>"
            "function v(id){return parseFloat(document.getElementById(id).value)}"
            "function calc(){var c=v('cash'),b=v('buy'),s=v('stop'),r=v('risk'),o="
            "document.getElementById('out');"
            "if(!(c>0&&b>0&&s>0&&r>0)){o.innerHTML='请填写大于零的数字。';return}"
            "if(s>=b){o.innerHTML='止损价应低于买入价。';return}"
            "var byRisk=Math.floor(c*r/100/(b-s)/100)*100,"
            "byCash=Math.floor(c/b/100)*100,n=Math.min(byRisk,byCash);"
            "if(n<100){o.innerHTML='资金不足一手，建议暂不买入。';return}"
            "o.innerHTML='建议买入 <b>'+n+'</b> 股（'+n/100+' 手）<br>占用资金 '+(n*b).toFixed(2)"
            "+' 元，仓位 '+(n*b/c*100).toFixed(1)+'%<br>止损亏损 '+(n*(b-s)).toFixed(2)+' 元'"
            "+(byCash<byRisk?'<br>（受总资金限制）':'')}"
            "document.querySelectorAll('input').forEach(function(i){"
            "i.addEventListener('input',calc)});calc();"
            "</script>"));
}

QByteArray registerPage() {
    return documentPage(
        QStringLiteral("注册账户"),
        QStringLiteral("<h1>注册账户</h1>"
                       "<p class=\"note\">演示服务不开放在线注册。请在服务的账户文件中添加一行"
                       "<code>账户|密码摘要|active</code>，密码摘要可用 "
                       "<code>vantorel-service --digest 密码</code> 生成，然后重新启动服务。</p>"
                       "<form onsubmit=\"return false\">"
                       "<label>账户名</label><input disabled>"
                       "<label>密码</label><input type=\"password\" disabled>"
                       "<label>手机号码</label><input disabled>"
                       "<button disabled>提交注册</button></form>"
                       "<p>演示账户：demo / demo123，test / test123，张三 / zhang3。</p>"));
}

QByteArray recoverPage() {
    return documentPage(
        QStringLiteral("找回密码"),
        QStringLiteral(
            "<h1>找回密码</h1>"
            "<p class=\"note\">演示服务不保存密码原文，也无法发送验证短信。忘记密码时，请用 "
            "<code>vantorel-service --digest 新密码</code> 生成新的摘要，替换账户文件中对应"
            "账户的摘要后重新启动服务。</p>"
            "<form onsubmit=\"return false\">"
            "<label>账户名</label><input disabled>"
            "<label>注册手机号码</label><input disabled>"
            "<button disabled>发送验证码</button></form>"));
}

QByteArray blankPage() {
    return QByteArrayLiteral(
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title></title></head>"
        "<body></body></html>");
}

QByteArray notFoundPage() {
    return documentPage(QStringLiteral("页面不存在"),
                        QStringLiteral("<h1>页面不存在</h1><p>您访问的页面不存在。"
                                       "<a href=\"/\">返回首页</a></p>"));
}

QByteArray downloadFile() {
    // Not a program: a recognisable placeholder so a download can be seen to complete.
    QByteArray data = "Vantorel demo service placeholder download. Not an executable.\n";
    while (data.size() < 4096) data += "0123456789ABCDEF";
    return data.left(4096);
}

}  // namespace vantorel::service
