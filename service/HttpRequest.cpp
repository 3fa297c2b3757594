#include "HttpRequest.h"

#include <QUrl>

namespace vantorel::service {

namespace {

QString decodeComponent(QByteArray raw) {
    raw.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(raw));
}

bool isToken(const QByteArray& text) {
    if (text.isEmpty()) return false;
    for (char c : text) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_'))
            return false;
    }
    return true;
}

const char* reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 408:
            return "Request Timeout";
        case 431:
            return "Request Header Fields Too Large";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

}  // namespace

QString HttpRequest::queryValue(const QString& name) const {
    for (const auto& [key, value] : query) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) return value;
    }
    return {};
}

HeadStatus parseRequestHead(const QByteArray& buffer, qsizetype maxHead, HttpRequest* out) {
    // Bare "\n" line ends are tolerated, as most servers do.
    qsizetype end = buffer.indexOf("\r\n\r\n");
    qsizetype endLength = 4;
    const qsizetype bare = buffer.indexOf("\n\n");
    if (bare >= 0 && (end < 0 || bare < end)) {
        end = bare;
        endLength = 2;
    }
    if (end < 0) return buffer.size() > maxHead ? HeadStatus::TooLarge : HeadStatus::Incomplete;
    if (end + endLength > maxHead) return HeadStatus::TooLarge;

    QList<QByteArray> lines = buffer.left(end).split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) line.chop(1);
    }
    const QList<QByteArray> requestLine = lines.takeFirst().split(' ');
    if (requestLine.size() != 3 || !isToken(requestLine[0]) ||
        (requestLine[2] != "HTTP/1.1" && requestLine[2] != "HTTP/1.0")) {
        return HeadStatus::Malformed;
    }
    HttpRequest request;
    request.method = requestLine[0];
    request.target = requestLine[1];

    QByteArray target = request.target;
    if (target.startsWith("http://") || target.startsWith("https://")) {
        const QUrl url = QUrl::fromEncoded(target, QUrl::StrictMode);
        if (!url.isValid()) return HeadStatus::Malformed;
        target = url.path(QUrl::FullyEncoded).toUtf8();
        if (url.hasQuery()) target += '?' + url.query(QUrl::FullyEncoded).toUtf8();
    }
    if (!target.startsWith('/')) return HeadStatus::Malformed;
    const qsizetype fragment = target.indexOf('#');
    if (fragment >= 0) target.truncate(fragment);
    const qsizetype question = target.indexOf('?');
    request.path = QString::fromUtf8(
        QByteArray::fromPercentEncoding(question < 0 ? target : target.left(question)));
    if (question >= 0) {
        for (const QByteArray& pair : target.mid(question + 1).split('&')) {
            if (pair.isEmpty()) continue;
            const qsizetype equals = pair.indexOf('=');
            request.query.append({decodeComponent(pair.left(equals)),
                                  equals < 0 ? QString() : decodeComponent(pair.mid(equals + 1))});
        }
    }

    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) return HeadStatus::Malformed;
        request.headers.append(
            {line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed()});
    }
    if (out) *out = std::move(request);
    return HeadStatus::Complete;
}

QByteArray HttpResponse::serialize() const {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    if (!body.isEmpty() || status == 200) out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    for (const auto& [name, value] : headers) out += name + ": " + value + "\r\n";
    out += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    return out + body;
}

HttpResponse HttpResponse::text(int status, const QString& body) {
    HttpResponse response;
    response.status = status;
    response.contentType = "text/plain; charset=utf-8";
    response.body = body.toUtf8();
    return response;
}

HttpResponse HttpResponse::redirect(const QByteArray& location) {
    HttpResponse response;
    response.status = 302;
    response.headers.append(qMakePair(QByteArray("Location"), location));
    return response;
}

}  // namespace vantorel::service
