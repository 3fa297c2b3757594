#include "WebServer.h"

#include "Log.h"
#include "LoginServer.h"
#include "Pages.h"
#include "Quotes.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace vantorel::service {

namespace {

HttpResponse html(const QByteArray& body, int status = 200) {
    HttpResponse response;
    response.status = status;
    response.body = body;
    return response;
}

// The answer travels in the query of the Location; every byte outside the unreserved set is
// percent-encoded as UTF-8, "|" included.
HttpResponse answerRedirect(const char* page, const QString& answer) {
    return HttpResponse::redirect(QByteArray(page) + '?' + QUrl::toPercentEncoding(answer));
}

QString peer(const QTcpSocket* socket) {
    return QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
}

}  // namespace

WebServer::WebServer(const Quotes& quotes, PushMessage push, QObject* parent)
    : QObject(parent), quotes_(quotes), push_(std::move(push)) {
    connect(&server_, &QTcpServer::newConnection, this, &WebServer::accept);
}

bool WebServer::listen(const QHostAddress& host, quint16 port, QString* error) {
    if (!server_.listen(host, port)) {
        if (error) *error = server_.errorString();
        return false;
    }
    return true;
}

void WebServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        if (connections_ >= kMaxConnections) {
            logLine(QStringLiteral("http %1 refused: too many connections").arg(peer(socket)));
            socket->write(HttpResponse::text(503, QStringLiteral("busy\n")).serialize());
            socket->disconnectFromHost();
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QTimer::singleShot(1000, socket, [socket] {
                socket->abort();
                socket->deleteLater();
            });
            continue;
        }
        ++connections_;
        connect(socket, &QObject::destroyed, this, [this] { --connections_; });
        socket->setReadBufferSize(kMaxHead + 1);

        // A client that neither finishes its request nor reads the answer in time is dropped.
        QTimer::singleShot(kConnectionDeadlineMs, socket, [socket] {
            logLine(QStringLiteral("http %1 dropped: too slow").arg(peer(socket)));
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);

        auto buffer = std::make_shared<QByteArray>();
        auto answered = std::make_shared<bool>(false);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, answered] {
            if (*answered) {
                socket->readAll();
                return;
            }
            *buffer += socket->readAll();
            HttpRequest request;
            HttpResponse response;
            switch (parseRequestHead(*buffer, kMaxHead, &request)) {
                case HeadStatus::Incomplete:
                    return;
                case HeadStatus::Malformed:
                    response = HttpResponse::text(400, QStringLiteral("bad request\n"));
                    break;
                case HeadStatus::TooLarge:
                    response = HttpResponse::text(431, QStringLiteral("request head too large\n"));
                    break;
                case HeadStatus::Complete:
                    response = respond(request);
                    break;
            }
            *answered = true;
            buffer->clear();
            logLine(QStringLiteral("http %1 %2 %3 -> %4")
                        .arg(peer(socket), excerpt(QString::fromLatin1(request.method), 10),
                             excerpt(QString::fromUtf8(request.target), 200))
                        .arg(response.status));
            socket->write(response.serialize());
            socket->disconnectFromHost();
        });
    }
}

HttpResponse WebServer::respond(const HttpRequest& request) const {
    if (request.method != "GET") {
        HttpResponse response = HttpResponse::text(405, QStringLiteral("GET only\n"));
        response.headers.append(qMakePair(QByteArray("Allow"), QByteArray("GET")));
        return response;
    }
    // Page names compare case-insensitively, as on the server the pages were written for.
    const QString path = request.path.toLower();
    if (path == QLatin1String("/")) return html(homePage());
    if (path == QLatin1String("/ad.asp")) return html(adPage());
    if (path == QLatin1String("/webset.asp")) {
        bool ok = false;
        const int number = request.queryValue(QStringLiteral("MsgID")).trimmed().toInt(&ok);
        return html(messagePage(ok ? std::optional<int>(number) : std::nullopt));
    }
    if (path == QLatin1String("/question.asp")) return html(questionPage());
    if (path == QLatin1String("/computer.asp")) return html(calculatorPage());
    if (path == QLatin1String("/reg.asp")) return html(registerPage());
    if (path == QLatin1String("/businessrepass.asp")) return html(recoverPage());
    if (path == QLatin1String("/quorvex.exe")) {
        HttpResponse response;
        response.contentType = "application/octet-stream";
        response.body = downloadFile();
        response.headers.append(qMakePair(QByteArray("Content-Disposition"),
                                          QByteArray("attachment; filename=\"Quorvex.exe\"")));
        return response;
    }
    if (path == QLatin1String("/requestgpinfo.asp")) {
        return answerRedirect(
            "/SendG", quotes_.stockAnswer(request.queryValue(QStringLiteral("GpID")), now()));
    }
    if (path == QLatin1String("/requestdapan.asp")) {
        return answerRedirect(
            "/SendD", quotes_.indexAnswer(request.queryValue(QStringLiteral("DaPan")), now()));
    }
    if (path == QLatin1String("/sendg") || path == QLatin1String("/sendd")) {
        return html(blankPage());
    }
    if (path == QLatin1String("/admin/msg")) return adminMessage(request);
    return html(notFoundPage(), 404);
}

HttpResponse WebServer::adminMessage(const HttpRequest& request) const {
    const QString account = request.queryValue(QStringLiteral("user"));
    const QString title = request.queryValue(QStringLiteral("title"));
    const QString number = request.queryValue(QStringLiteral("id"));
    static const QRegularExpression numberPattern(QStringLiteral("^[0-9]{1,9}$"));
    if (account.isEmpty() || title.isEmpty() || !LoginServer::isFieldText(title) ||
        !numberPattern.match(number).hasMatch()) {
        return HttpResponse::text(
            400, QStringLiteral("usage: /admin/msg?user=ACCOUNT&title=TITLE&id=NUMBER "
                                "(title in GBK range, without \"|\")\n"));
    }
    if (!push_ || !push_(account, title, number)) {
        return HttpResponse::text(404, QStringLiteral("not logged in"));
    }
    return HttpResponse::text(200, QStringLiteral("ok"));
}

}  // namespace vantorel::service
