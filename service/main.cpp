// vantorel-service: the online service on loopback, for development, demos and end-to-end tests.

#include "Accounts.h"
#include "Console.h"
#include "Log.h"
#include "LoginServer.h"
#include "Quotes.h"
#include "WebServer.h"

#include "link/Md5.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <optional>

using namespace vantorel::service;

namespace {

std::optional<int> intOption(const QCommandLineParser& parser, const QString& name, int min,
                             int max) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < min || value > max) {
        logLine(QStringLiteral("--%1 must be a number from %2 to %3").arg(name).arg(min).arg(max));
        return std::nullopt;
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    OperatorConsole::reserveStandardStreams();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantorel-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Substitute online service on loopback: UDP login server and web pages."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("host"), QStringLiteral("Address to bind."), QStringLiteral("address"),
         QStringLiteral("127.0.0.1")},
        {QStringLiteral("login-port"), QStringLiteral("UDP login port, 0 for a free one."),
         QStringLiteral("port"), QStringLiteral("4116")},
        {QStringLiteral("web-port"), QStringLiteral("HTTP port, 0 for a free one."),
         QStringLiteral("port"), QStringLiteral("4180")},
        {QStringLiteral("accounts"), QStringLiteral("Accounts file (account|DIGEST|state)."),
         QStringLiteral("file"), QStringLiteral(VANTOREL_DEFAULT_ACCOUNTS)},
        {QStringLiteral("stocks"), QStringLiteral("Stock list (GpID,GpName,Pinyin)."),
         QStringLiteral("file"), QStringLiteral(VANTOREL_DEFAULT_STOCKS)},
        {QStringLiteral("probe-interval"), QStringLiteral("Milliseconds between login probes."),
         QStringLiteral("ms"), QStringLiteral("10000")},
        {QStringLiteral("probe-misses"),
         QStringLiteral("Unanswered probes before a client is forgotten."), QStringLiteral("n"),
         QStringLiteral("3")},
        {QStringLiteral("digest"), QStringLiteral("Print the digest of a password and exit."),
         QStringLiteral("password")},
    });
    parser.process(app);

    if (parser.isSet(QStringLiteral("digest"))) {
        const QString digest = vantorel::Md5Digest(parser.value(QStringLiteral("digest")));
        if (digest.isEmpty()) {
            logLine(QStringLiteral("the password must be ASCII"));
            return 1;
        }
        printLine(digest);
        return 0;
    }

    const auto loginPort = intOption(parser, QStringLiteral("login-port"), 0, 65535);
    const auto webPort = intOption(parser, QStringLiteral("web-port"), 0, 65535);
    const auto probeInterval = intOption(parser, QStringLiteral("probe-interval"), 10, 86400000);
    const auto probeMisses = intOption(parser, QStringLiteral("probe-misses"), 1, 1000);
    if (!loginPort || !webPort || !probeInterval || !probeMisses) return 1;

    const QString hostText = parser.value(QStringLiteral("host"));
    const QHostAddress host = hostText == QLatin1String("localhost")
                                  ? QHostAddress(QHostAddress::LocalHost)
                                  : QHostAddress(hostText);
    if (host.isNull()) {
        logLine(QStringLiteral("--host must be an IP address: %1").arg(hostText));
        return 1;
    }
    if (!host.isLoopback())
        logLine(QStringLiteral("warning: listening beyond loopback on %1").arg(hostText));

    const QString accountsPath = parser.value(QStringLiteral("accounts"));
    const auto accounts = loadAccounts(accountsPath);
    if (!accounts) {
        logLine(QStringLiteral("cannot read the accounts file %1").arg(accountsPath));
        return 1;
    }
    for (const QString& warning : accounts->warnings) {
        logLine(QStringLiteral("warning: %1: %2").arg(accountsPath, warning));
    }

    Quotes quotes;
    QStringList stockWarnings;
    const QString stocksPath = parser.value(QStringLiteral("stocks"));
    if (!quotes.loadStocks(stocksPath, &stockWarnings)) {
        logLine(QStringLiteral("cannot read the stock list %1").arg(stocksPath));
        return 1;
    }
    for (const QString& warning : stockWarnings) {
        logLine(QStringLiteral("warning: %1: %2").arg(stocksPath, warning));
    }

    LoginServer login(accounts->accounts, {*probeInterval, *probeMisses});
    WebServer web(quotes,
                  [&login](const QString& account, const QString& title, const QString& number) {
                      return login.pushMessage(account, title, number);
                  });
    QString error;
    if (!login.listen(host, quint16(*loginPort), &error)) {
        logLine(QStringLiteral("cannot listen on UDP %1:%2: %3")
                    .arg(hostText)
                    .arg(*loginPort)
                    .arg(error));
        return 1;
    }
    if (!web.listen(host, quint16(*webPort), &error)) {
        logLine(QStringLiteral("cannot listen on TCP %1:%2: %3")
                    .arg(hostText)
                    .arg(*webPort)
                    .arg(error));
        return 1;
    }
    logLine(QStringLiteral("%1 accounts, %2 stocks")
                .arg(accounts->accounts.size())
                .arg(quotes.stockCount()));

    OperatorConsole console(login);
    if (!console.start()) logLine(QStringLiteral("no stdin: operator console off"));

    printLine(QStringLiteral("READY login=%1 web=%2").arg(login.port()).arg(web.port()));
    return app.exec();
}
