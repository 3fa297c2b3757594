#pragma once

#include "platform/Ports.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QWebEngineView;

namespace vantorel::qt {

// How the model reads an address: scheme://host:port/path?query with the query exactly as the
// server wrote it (percent escapes decoded, Chinese and "|" included), so answers carried in a
// redirect's query string can be split as text.
QString readableUrl(const QUrl& url);

// The address text the model builds, as a request URL: non-ASCII travels as UTF-8 escapes.
QUrl requestUrl(const QString& text);

// The invisible browser the program only uses to ask the service things: plain HTTP GETs whose
// final address after redirects is the answer. No page is rendered and no script runs.
class HiddenWebView : public QObject, public WebView {
    Q_OBJECT
  public:
    explicit HiddenWebView(QObject* parent = nullptr);
    ~HiddenWebView() override;

    void navigate(const QString& url) override;
    QString documentUrl() const override { return document_; }

  signals:
    // The latest navigation ended: with a new document (documentUrl() changed to it) or without
    // one (no answer; the previous document stays).
    void loadFinished(bool newDocument);

  private:
    void finished(QNetworkReply* reply);

    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> pending_;
    QString document_;
};

// A visible page. The QWebEngineView behind it only exists once its window has been shown
// (creating one earlier delays the window's first paint); until then the last address asked for
// is kept and loaded on attach.
class DeferredWebView : public WebView {
  public:
    DeferredWebView() = default;
    ~DeferredWebView() override;

    void navigate(const QString& url) override;
    QString documentUrl() const override;

    // Hands over the widget that shows the pages; the caller keeps owning it.
    void attach(QWebEngineView* view);
    QWebEngineView* view() const;

  private:
    QPointer<QWebEngineView> view_;
    QString pending_;
};

// WebBrowser1 is the hidden one; every other name gets a visible page.
class QtWebViewFactory : public WebViewFactory {
  public:
    std::unique_ptr<WebView> create(const QString& name) override;
};

}  // namespace vantorel::qt
