#pragma once

// Just enough HTTP/1.1 to read a GET request head and write a whole response.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace vantorel::service {

struct HttpRequest {
    QByteArray method;
    QByteArray target;                     // as sent, for the log
    QString path;                          // percent-decoded
    QList<QPair<QString, QString>> query;  // decoded as UTF-8, "+" is a space
    QList<QPair<QByteArray, QByteArray>> headers;

    // First value of a query parameter; names compare case-insensitively, as the old pages did.
    QString queryValue(const QString& name) const;
};

enum class HeadStatus { Incomplete, Complete, Malformed, TooLarge };

// Parses the head at the start of `buffer` once it is complete (ends in an empty line).
HeadStatus parseRequestHead(const QByteArray& buffer, qsizetype maxHead, HttpRequest* out);

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;

    QByteArray serialize() const;

    static HttpResponse text(int status, const QString& body);
    static HttpResponse redirect(const QByteArray& location);
};

}  // namespace vantorel::service
