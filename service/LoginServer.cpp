#include "LoginServer.h"

#include "Log.h"

#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

namespace vantorel::service {

namespace {

// Real messages are a few dozen bytes; anything far larger is noise and not worth decoding.
constexpr qsizetype kMaxDatagram = 1024;

QString endpoint(const QHostAddress& address, quint16 port) {
    return QStringLiteral("%1:%2").arg(address.toString()).arg(port);
}

bool sameEndpoint(const QHostAddress& a, quint16 aPort, const QHostAddress& b, quint16 bPort) {
    return aPort == bPort && a.isEqual(b, QHostAddress::TolerantConversion);
}

}  // namespace

LoginServer::LoginServer(QHash<QString, Account> accounts, Options options, QObject* parent)
    : QObject(parent), accounts_(std::move(accounts)), options_(options) {
    connect(&socket_, &QUdpSocket::readyRead, this, &LoginServer::readPending);
    probeTimer_.setInterval(options_.probeIntervalMs);
    connect(&probeTimer_, &QTimer::timeout, this, &LoginServer::probe);
}

bool LoginServer::listen(const QHostAddress& host, quint16 port, QString* error) {
    // No address sharing: a second service on the same port must fail, not split the traffic.
    if (!socket_.bind(host, port, QAbstractSocket::DontShareAddress)) {
        if (error) *error = socket_.errorString();
        return false;
    }
    probeTimer_.start();
    return true;
}

void LoginServer::readPending() {
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram();
        const QByteArray data = datagram.data();
        const QHostAddress from = datagram.senderAddress();
        const quint16 fromPort = quint16(datagram.senderPort());
        if (data.isEmpty() || data.size() > kMaxDatagram) {
            logLine(QStringLiteral("udp %1 ignored: %2 bytes")
                        .arg(endpoint(from, fromPort))
                        .arg(data.size()));
            continue;
        }
        QStringDecoder decode("GBK", QStringDecoder::Flag::Stateless);
        const QString text = decode(data);
        if (decode.hasError() || text.contains(QChar(0xFFFD))) {
            logLine(QStringLiteral("udp %1 ignored: not GBK").arg(endpoint(from, fromPort)));
            continue;
        }
        logLine(QStringLiteral("udp %1 <- %2").arg(endpoint(from, fromPort), excerpt(text)));
        handle(text, from, fromPort);
    }
}

void LoginServer::handle(const QString& text, const QHostAddress& from, quint16 fromPort) {
    const QStringList fields = text.split(u'|');
    if (fields.size() == 4 && fields[0] == QLatin1String("Login")) {
        login(fields, from, fromPort);
    } else if (fields.size() == 2 && fields[0] == QLatin1String("TestLogin")) {
        echo(fields[1], from, fromPort);
    } else {
        logLine(QStringLiteral("udp %1 ignored: unknown message").arg(endpoint(from, fromPort)));
    }
}

void LoginServer::login(const QStringList& fields, const QHostAddress& from, quint16 fromPort) {
    const QString& name = fields[1];
    const QString& digest = fields[2];
    if (fields[3] != QLatin1String(kVersion)) {
        send(QStringLiteral("Err|ErrCode"), from, fromPort);
        return;
    }
    const auto account = accounts_.constFind(name);
    if (account == accounts_.cend() || account->digest != digest) {
        send(QStringLiteral("Err|Password"), from, fromPort);
        return;
    }
    if (account->locked) {
        send(QStringLiteral("Err|Style"), from, fromPort);
        return;
    }

    // One session per account and one account per endpoint: the newest login wins.
    const auto previous = sessions_.constFind(name);
    if (previous != sessions_.cend() &&
        !sameEndpoint(previous->address, previous->port, from, fromPort)) {
        send(QStringLiteral("Err|Users"), previous->address, previous->port);
    }
    for (auto it = sessions_.begin(); it != sessions_.end();) {
        if (it.key() != name && sameEndpoint(it->address, it->port, from, fromPort)) {
            it = sessions_.erase(it);
        } else {
            ++it;
        }
    }
    sessions_.insert(name, Session{from, fromPort, {}, true, 0});
    send(QStringLiteral("LoginOk"), from, fromPort);
}

void LoginServer::echo(const QString& token, const QHostAddress& from, quint16 fromPort) {
    for (Session& session : sessions_) {
        if (sameEndpoint(session.address, session.port, from, fromPort) && !token.isEmpty() &&
            token == session.token) {
            session.echoed = true;
            session.misses = 0;
        }
    }
}

void LoginServer::probe() {
    for (auto it = sessions_.begin(); it != sessions_.end();) {
        Session& session = it.value();
        if (!session.echoed && ++session.misses >= options_.probeMisses) {
            logLine(QStringLiteral("session %1 %2 forgotten after %3 unanswered probes")
                        .arg(it.key(), endpoint(session.address, session.port))
                        .arg(session.misses));
            it = sessions_.erase(it);
            continue;
        }
        QString token;
        do {
            token = QString::number(QRandomGenerator::global()->bounded(100000000, 999999999));
        } while (token == session.token);
        session.token = token;
        session.echoed = false;
        send(QStringLiteral("TestLogin|") + token, session.address, session.port);
        ++it;
    }
}

bool LoginServer::isFieldText(const QString& text) {
    if (text.contains(u'|')) return false;
    QStringEncoder encode("GBK");
    const QByteArray encoded = encode(text);
    Q_UNUSED(encoded);
    return !encode.hasError();
}

bool LoginServer::pushMessage(const QString& account, const QString& title, const QString& number) {
    const auto session = sessions_.constFind(account);
    if (session == sessions_.cend()) return false;
    send(QStringLiteral("Msg|%1|%2").arg(title, number), session->address, session->port);
    return true;
}

bool LoginServer::kick(const QString& account) {
    const auto session = sessions_.constFind(account);
    if (session == sessions_.cend()) return false;
    send(QStringLiteral("Err|Users"), session->address, session->port);
    sessions_.remove(account);
    return true;
}

QStringList LoginServer::sessions() const {
    QStringList out;
    for (auto it = sessions_.cbegin(); it != sessions_.cend(); ++it) {
        out << QStringLiteral("%1 %2").arg(it.key(), endpoint(it->address, it->port));
    }
    out.sort();
    return out;
}

void LoginServer::send(const QString& text, const QHostAddress& to, quint16 toPort) {
    QStringEncoder encode("GBK");
    const QByteArray data = encode(text);
    if (encode.hasError()) {
        logLine(QStringLiteral("udp %1 not sent, not representable in GBK: %2")
                    .arg(endpoint(to, toPort), excerpt(text)));
        return;
    }
    socket_.writeDatagram(data, to, toPort);
    logLine(QStringLiteral("udp %1 -> %2").arg(endpoint(to, toPort), excerpt(text)));
}

}  // namespace vantorel::service
