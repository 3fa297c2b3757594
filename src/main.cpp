// Vantorel: a desktop client of an online stock-analysis service.

#include "platform/qt/AppDir.h"
#include "platform/qt/Application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QHostAddress>
#include <QHostInfo>
#include <QUrl>

#include <unistd.h>

#include <cstdio>

namespace {

// The login server must be a dotted IPv4 address: answers are accepted from that address only.
bool parseLoginServer(const QString& text, vantorel::ServiceAddress& service) {
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0) return false;
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535) return false;
    const QString host = text.left(colon);
    QHostAddress address(host);
    if (address.protocol() != QAbstractSocket::IPv4Protocol) {
        for (const QHostAddress& a : QHostInfo::fromName(host).addresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                address = a;
                break;
            }
    }
    if (address.protocol() != QAbstractSocket::IPv4Protocol) return false;
    service.loginHost = address.toString();
    service.loginPort = static_cast<quint16>(port);
    return true;
}

// The command line: also answers --help and --version.
struct CommandLine {
    explicit CommandLine(const vantorel::ServiceAddress& defaults)
        : appDir(QStringLiteral("app-dir"),
                 QStringLiteral("Folder of config.ini and the database (default: the "
                                "program's folder)."),
                 QStringLiteral("DIR")),
          login(QStringLiteral("login-server"),
                QStringLiteral("Login server, IPv4 address and UDP port (default: %1:%2).")
                    .arg(defaults.loginHost)
                    .arg(defaults.loginPort),
                QStringLiteral("HOST:PORT")),
          web(QStringLiteral("web-base"),
              QStringLiteral("Base address of the web server (default: %1).").arg(defaults.webBase),
              QStringLiteral("URL")),
          page(QStringLiteral("show-page"),
               QStringLiteral("Development: show this page after start-up (e.g. SearchMainPage)."),
               QStringLiteral("NAME")) {
        parser.setApplicationDescription(
            QStringLiteral("Vantorel, a client of the analysis service."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({appDir, login, web, page});
    }
    QCommandLineOption appDir, login, web, page;
    QCommandLineParser parser;
};

void fail(const QString& message) {
    std::fprintf(stderr, "vantorel: %s\n", qPrintable(message));
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    // The web engine refuses to start as root without this; containers and CI run as root.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The program places its own window, which Wayland forbids: use XWayland when both exist.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsSet("DISPLAY") &&
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    // Help and version need no display: answer them before the GUI starts.
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "-h" || a == "--help" || a == "-?" || a == "-v" || a == "--version") {
            QCoreApplication info(argc, argv);
            QCoreApplication::setApplicationVersion(QStringLiteral("10.09"));
            vantorel::ServiceAddress defaults;
            CommandLine(defaults).parser.process(info);  // prints and exits
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantorel"));
    QApplication::setApplicationVersion(QStringLiteral("10.09"));
    // The tray icon keeps the program alive while its window is hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    vantorel::ServiceAddress service;
    CommandLine commandLine(service);
    QCommandLineParser& parser = commandLine.parser;
    const QCommandLineOption& appDirOption = commandLine.appDir;
    const QCommandLineOption& loginOption = commandLine.login;
    const QCommandLineOption& webOption = commandLine.web;
    const QCommandLineOption& pageOption = commandLine.page;
    parser.process(app);

    if (parser.isSet(loginOption) && !parseLoginServer(parser.value(loginOption), service))
        fail(QStringLiteral("--login-server wants IPv4-ADDRESS:PORT, got \"%1\"")
                 .arg(parser.value(loginOption)));
    if (parser.isSet(webOption)) {
        const QUrl url(parser.value(webOption), QUrl::StrictMode);
        if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https") ||
            url.host().isEmpty())
            fail(QStringLiteral("--web-base wants an http(s) address, got \"%1\"")
                     .arg(parser.value(webOption)));
        QString base = url.toString(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
        while (base.endsWith(u'/')) base.chop(1);
        service.webBase = base;
    }

    QString error;
    const QString appDir = vantorel::qt::resolveAppDir(QCoreApplication::applicationDirPath(),
                                                       parser.value(appDirOption), &error);
    if (!error.isEmpty()) std::fprintf(stderr, "vantorel: %s\n", qPrintable(error));
    if (appDir.isEmpty()) fail(QStringLiteral("no usable application folder"));

    vantorel::qt::Application::Options options;
    options.appDir = appDir;
    options.service = service;
    options.startPage = parser.value(pageOption);
    vantorel::qt::Application program(options);
    program.start();
    return app.exec();
}
