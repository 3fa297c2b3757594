#pragma once

// The ways the behaviour library reaches the world. One real adapter each lives in
// src/platform/qt/; tests use small fakes.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vantorel {

// Screen size in twips and the desktop work area in pixels.
struct ScreenInfo {
    double widthTwips = 0, heightTwips = 0;
    int twipsPerPixelX = 15;
    int workLeft = 0, workTop = 0, workRight = 0, workBottom = 0;  // pixels, right/bottom exclusive
};

class ScreenPort {
  public:
    virtual ~ScreenPort() = default;
    virtual ScreenInfo info() const = 0;
};

class CursorPort {
  public:
    virtual ~CursorPort() = default;
    // Cursor position in screen pixels; (0, 0) when it cannot be read.
    virtual void position(int& x, int& y) const = 0;
};

// One UDP endpoint. Nothing is bound until the first send; from then on the local port is kept.
class DatagramLink {
  public:
    virtual ~DatagramLink() = default;
    virtual void configure(const QString& remoteHost, quint16 remotePort) = 0;
    virtual void send(const QByteArray& datagram) = 0;
    // Called for every datagram that arrives, with its source.
    std::function<void(const QByteArray& data, const QString& fromHost, quint16 fromPort)>
        onDatagram;
};

// An embedded browser. Geometry and visibility are the owning control's; this is the content.
class WebView {
  public:
    virtual ~WebView() = default;
    // Starts loading; a later call replaces a load in progress.
    virtual void navigate(const QString& url) = 0;
    // Address of the loaded document after redirects; empty before the first document.
    virtual QString documentUrl() const = 0;
};

class WebViewFactory {
  public:
    virtual ~WebViewFactory() = default;
    // `name` is the control's name ("WebAD", "WebBrowser1", "WebQuestion", "WebSet").
    virtual std::unique_ptr<WebView> create(const QString& name) = 0;
};

struct StockRow {
    QString gpId, gpName;
};

// The [System] row. Columns that hold NULL are empty optionals.
struct SystemRow {
    QString autoLogin;
    std::optional<QString> userName, passWord;
};

struct SearchResult {
    std::vector<StockRow> rows;  // at most the limit asked for, in the database's order
    int total = 0;               // every matching row
};

class LocalDatabase {
  public:
    virtual ~LocalDatabase() = default;
    // Opens the database file in the application directory; false when it cannot.
    virtual bool open(const QString& appDir) = 0;
    // The first row of [System]; nullopt when the table cannot be read or is empty.
    virtual std::optional<SystemRow> readSystem() = 0;
    // Sets AutoLogin, PassWord and UserName of the first row (one is inserted when none exists).
    virtual bool saveLogin(const QString& autoLogin, const QString& passWord,
                           const QString& userName) = 0;
    virtual std::vector<StockRow> favourites() = 0;
    // Rows of [QzSj] whose GpID or GpName contains `text`; "%" and "_" in it are wildcards,
    // ASCII letters match either case.
    virtual SearchResult search(const QString& text, int limit) = 0;
};

class ExternalOpener {
  public:
    virtual ~ExternalOpener() = default;
    // Opens the address in the user's browser without waiting.
    virtual void open(const QString& url) = 0;
};

class TrayPort {
  public:
    virtual ~TrayPort() = default;
    virtual bool add(const QString& tip) = 0;
    virtual void remove() = 0;
    virtual void popupMenu() = 0;
    // 1 for the left button, 2 for the right one.
    std::function<void(int button)> onActivated;
};

class RandomPort {
  public:
    virtual ~RandomPort() = default;
    virtual void reseedFromClock() = 0;
    virtual double next() = 0;  // uniform in [0, 1)
};

class ProcessPort {
  public:
    virtual ~ProcessPort() = default;
    // Ends the process at once; no further handler runs.
    virtual void exitNow() = 0;
};

// Where the service lives; constants of the program with overrides for development.
struct ServiceAddress {
    QString loginHost = QStringLiteral("127.0.0.1");
    quint16 loginPort = 4116;
    QString webBase = QStringLiteral("http://127.0.0.1:4180");
};

struct Platform {
    ScreenPort* screen = nullptr;
    CursorPort* cursor = nullptr;
    DatagramLink* link = nullptr;
    WebViewFactory* webViews = nullptr;
    LocalDatabase* database = nullptr;
    ExternalOpener* opener = nullptr;
    TrayPort* tray = nullptr;
    RandomPort* random = nullptr;
    ProcessPort* process = nullptr;
    QString appDir;
    ServiceAddress service;
};

}  // namespace vantorel
