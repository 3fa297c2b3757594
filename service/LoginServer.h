#pragma once

#include "Accounts.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace vantorel::service {

// The UDP login server: GBK text datagrams, fields separated by "|".
class LoginServer : public QObject {
    Q_OBJECT
  public:
    static constexpr auto kVersion = "10.09";

    struct Options {
        int probeIntervalMs = 10000;
        int probeMisses = 3;  // unanswered probes in a row before a client is forgotten
    };

    LoginServer(QHash<QString, Account> accounts, Options options, QObject* parent = nullptr);

    bool listen(const QHostAddress& host, quint16 port, QString* error);
    quint16 port() const { return socket_.localPort(); }

    // True when the text can be one field of a datagram: no "|" and representable in GBK.
    static bool isFieldText(const QString& text);

    // Pushes "Msg|title|number"; false when the account has no session. The caller checks the
    // fields with isFieldText.
    bool pushMessage(const QString& account, const QString& title, const QString& number);
    // Sends "Err|Users" and forgets the session; false when the account has no session.
    bool kick(const QString& account);
    // "account address:port" for each session.
    QStringList sessions() const;

  private:
    struct Session {
        QHostAddress address;
        quint16 port = 0;
        QString token;  // the latest probe; empty until the first one
        bool echoed = true;
        int misses = 0;
    };

    void readPending();
    void handle(const QString& text, const QHostAddress& from, quint16 fromPort);
    void login(const QStringList& fields, const QHostAddress& from, quint16 fromPort);
    void echo(const QString& token, const QHostAddress& from, quint16 fromPort);
    void probe();
    void send(const QString& text, const QHostAddress& to, quint16 toPort);

    QHash<QString, Account> accounts_;
    Options options_;
    QUdpSocket socket_;
    QTimer probeTimer_;
    QHash<QString, Session> sessions_;  // by account
};

}  // namespace vantorel::service
