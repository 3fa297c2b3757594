#pragma once

#include "HttpRequest.h"

#include <QDateTime>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <functional>

namespace vantorel::service {

class Quotes;

// The web side: pages for the client's embedded browsers, the two query pages and an admin
// hook. One request per connection.
class WebServer : public QObject {
    Q_OBJECT
  public:
    // Sends "Msg|title|number" to a logged-in account; false when it has no session.
    using PushMessage =
        std::function<bool(const QString& account, const QString& title, const QString& number)>;

    static constexpr qsizetype kMaxHead = 16 * 1024;
    static constexpr int kMaxConnections = 64;
    static constexpr int kConnectionDeadlineMs = 10000;

    WebServer(const Quotes& quotes, PushMessage push, QObject* parent = nullptr);

    bool listen(const QHostAddress& host, quint16 port, QString* error);
    quint16 port() const { return server_.serverPort(); }

    HttpResponse respond(const HttpRequest& request) const;

    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

  private:
    void accept();
    HttpResponse adminMessage(const HttpRequest& request) const;

    const Quotes& quotes_;
    PushMessage push_;
    QTcpServer server_;
    int connections_ = 0;
};

}  // namespace vantorel::service
