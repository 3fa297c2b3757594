#include "platform/qt/WebViews.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWebEngineView>

namespace vantorel::qt {

namespace {
const QString kBlank = QStringLiteral("about:blank");
}

QString readableUrl(const QUrl& url) {
    if (url.isEmpty()) return {};
    if (url.scheme() == QLatin1String("about")) return url.toString();
    QString text = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo)
                       .toString(QUrl::PrettyDecoded);
    if (url.hasQuery()) text += QLatin1Char('?') + url.query(QUrl::FullyDecoded);
    return text;
}

QUrl requestUrl(const QString& text) {
    return QUrl(text.trimmed(), QUrl::TolerantMode);
}

// ---- HiddenWebView ---------------------------------------------------------------------------

HiddenWebView::HiddenWebView(QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)) {
    network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

HiddenWebView::~HiddenWebView() {
    if (pending_) {
        pending_->disconnect(this);
        pending_->abort();
    }
}

void HiddenWebView::navigate(const QString& url) {
    if (pending_) {
        // Only the latest address counts; its predecessor's answer must never show.
        QNetworkReply* old = pending_;
        pending_ = nullptr;
        old->disconnect(this);
        old->abort();
        old->deleteLater();
    }
    if (url.trimmed().compare(kBlank, Qt::CaseInsensitive) == 0) {
        document_ = kBlank;
        emit loadFinished(true);
        return;
    }
    const QUrl target = requestUrl(url);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        emit loadFinished(false);  // nothing a plain HTTP client can load; the old document stays
        return;
    }
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_->get(request);
    pending_ = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void HiddenWebView::finished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != pending_) return;
    pending_ = nullptr;
    // Any HTTP answer is a document, error statuses included; a connection that never produced
    // one (refused, reset, timed out, blocked redirect) leaves the previous document in place.
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const auto error = reply->error();
    if (!answered || error == QNetworkReply::OperationCanceledError ||
        error == QNetworkReply::InsecureRedirectError ||
        error == QNetworkReply::TooManyRedirectsError) {
        emit loadFinished(false);
        return;
    }
    document_ = readableUrl(reply->url());
    emit loadFinished(true);
}

// ---- DeferredWebView -------------------------------------------------------------------------

DeferredWebView::~DeferredWebView() = default;

void DeferredWebView::navigate(const QString& url) {
    pending_ = url;
    if (!view_) return;
    if (url.trimmed().compare(kBlank, Qt::CaseInsensitive) == 0)
        view_->setUrl(QUrl(kBlank));
    else
        view_->setUrl(requestUrl(url));
}

QString DeferredWebView::documentUrl() const {
    if (!view_) return pending_;
    return readableUrl(view_->url());
}

QWebEngineView* DeferredWebView::view() const {
    return view_;
}

void DeferredWebView::attach(QWebEngineView* view) {
    view_ = view;
    if (view_ && !pending_.isEmpty()) navigate(pending_);
}

std::unique_ptr<WebView> QtWebViewFactory::create(const QString& name) {
    if (name == QLatin1String("WebBrowser1")) return std::make_unique<HiddenWebView>();
    return std::make_unique<DeferredWebView>();
}

}  // namespace vantorel::qt
