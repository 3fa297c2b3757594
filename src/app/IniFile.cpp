#include "app/IniFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <vector>

namespace vantorel {

namespace {

constexpr const char* kEncoding = "GBK";
constexpr qsizetype kMaxReadBytes = 127;  // the callers' 128-byte buffer less its terminator
constexpr qsizetype kMaxWriteUnits = 128;
constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView v) {
    qsizetype b = 0, e = v.size();
    while (b < e && isBlank(v[b])) ++b;
    while (e > b && isBlank(v[e - 1])) --e;
    return v.sliced(b, e - b);
}

QString trimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (b < e && blank(s[b])) ++b;
    while (e > b && blank(s[e - 1])) --e;
    return s.sliced(b, e - b);
}

// Length of the longest prefix of at most `limit` bytes that ends on a GBK character boundary.
qsizetype gbkPrefixLength(QByteArrayView v, qsizetype limit) {
    if (v.size() <= limit) return v.size();
    qsizetype i = 0;
    while (i < limit) {
        const auto lead = static_cast<unsigned char>(v[i]);
        qsizetype len = 1;
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < v.size()) {
            const auto trail = static_cast<unsigned char>(v[i + 1]);
            if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) len = 2;
        }
        if (i + len > limit) break;
        i += len;
    }
    return i;
}

std::vector<QByteArrayView> splitLines(QByteArrayView data) {
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        if (end < 0) end = data.size();
        if (end > start && data[end - 1] == '\r') --end;
        lines.push_back(data.sliced(start, end - start));
        start = next;
    }
    return lines;
}

enum class LineKind { Blank, Comment, Section, Entry, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QByteArrayView name;   // section or key name, blanks trimmed
    QByteArrayView value;  // entry value, blanks trimmed
};

ParsedLine parseLine(QByteArrayView line) {
    const QByteArrayView t = trimBlanks(line);
    if (t.isEmpty()) return {LineKind::Blank, {}, {}};
    if (t[0] == ';' || t[0] == '#') return {LineKind::Comment, {}, {}};
    if (t[0] == '[') {
        const qsizetype close = t.indexOf(']');
        const QByteArrayView inner = close < 0 ? t.sliced(1) : t.sliced(1, close - 1);
        return {LineKind::Section, trimBlanks(inner), {}};
    }
    const qsizetype eq = t.indexOf('=');
    if (eq < 0) return {LineKind::Other, {}, {}};
    return {LineKind::Entry, trimBlanks(t.first(eq)), trimBlanks(t.sliced(eq + 1))};
}

class NameMatcher {
  public:
    explicit NameMatcher(const QString& want)
        : want_(want), decoder_(kEncoding, QStringConverter::Flag::Stateless) {}
    bool operator()(QByteArrayView raw) {
        // Every GBK character is one or two bytes and decodes to one UTF-16 unit: this skips
        // decoding long lines that cannot match.
        if (raw.size() < want_.size() || raw.size() > want_.size() * 2) return false;
        const QString name = decoder_.isValid() ? decoder_.decode(raw) : QString::fromLatin1(raw);
        return name.compare(want_, Qt::CaseInsensitive) == 0;
    }

  private:
    QString want_;
    QStringDecoder decoder_;
};

struct Location {
    qsizetype section = -1;    // line of the first matching section header
    qsizetype key = -1;        // line of the first matching key inside it
    qsizetype lastEntry = -1;  // where a new key of that section goes after
};

Location locate(const std::vector<QByteArrayView>& lines, const QString& section,
                const QString& key) {
    Location loc;
    NameMatcher sectionMatches(section), keyMatches(key);
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const ParsedLine p = parseLine(lines[size_t(i)]);
        if (p.kind == LineKind::Section) {
            if (loc.section >= 0) break;  // only the first occurrence counts
            if (sectionMatches(p.name)) loc.section = loc.lastEntry = i;
            continue;
        }
        if (loc.section < 0) continue;
        if (p.kind == LineKind::Entry || p.kind == LineKind::Other) loc.lastEntry = i;
        if (p.kind == LineKind::Entry && keyMatches(p.name)) {
            loc.key = i;
            break;
        }
    }
    return loc;
}

bool readAll(const QString& file, QByteArray& data) {
    if (file.isEmpty()) return false;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return false;
    data = f.readAll();
    return f.error() == QFileDevice::NoError;
}

bool validName(const QString& name, bool isKey) {
    if (name.isEmpty()) return false;
    for (QChar c : name)
        if (c == u'\r' || c == u'\n' || c == QChar(0) || c == u']' || (isKey && c == u'='))
            return false;
    return !isKey || (name[0] != u'[' && name[0] != u';' && name[0] != u'#');
}

}  // namespace

QString ReadIniValue(const QString& section, const QString& key, const QString& file) {
    const QString sectionName = trimBlanks(section), keyName = trimBlanks(key);
    if (sectionName.isEmpty() || keyName.isEmpty()) return {};
    QByteArray data;
    if (!readAll(file, data)) return {};
    QByteArrayView body(data);
    if (body.startsWith(kUtf8Bom)) body = body.sliced(kUtf8Bom.size());

    const std::vector<QByteArrayView> lines = splitLines(body);
    const Location loc = locate(lines, sectionName, keyName);
    if (loc.key < 0) return {};
    QByteArrayView value = parseLine(lines[size_t(loc.key)]).value;
    if (const qsizetype nul = value.indexOf('\0'); nul >= 0) value = value.first(nul);
    value = value.first(gbkPrefixLength(value, kMaxReadBytes));

    QStringDecoder decoder(kEncoding, QStringConverter::Flag::Stateless);
    return trimBlanks(decoder.isValid() ? decoder.decode(value) : QString::fromLatin1(value));
}

QString WriteIniValue(const QString& section, const QString& key, const QString& value,
                      const QString& file) {
    const QString sectionName = trimBlanks(section), keyName = trimBlanks(key);
    if (file.isEmpty() || !validName(sectionName, false) || !validName(keyName, true)) return {};

    QString stored = value.left(kMaxWriteUnits);
    if (!stored.isEmpty() && stored.back().isHighSurrogate()) stored.chop(1);
    // A line break would let the value write further keys; the C strings of the original calls
    // ended at NUL anyway.
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored[i] == u'\r' || stored[i] == u'\n' || stored[i] == QChar(0)) {
            stored.truncate(i);
            break;
        }
    }

    QStringEncoder encoder(kEncoding, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) return {};
    const QByteArray sectionBytes = encoder.encode(sectionName);
    const QByteArray keyBytes = encoder.encode(keyName);
    const QByteArray valueBytes = encoder.encode(stored);

    QByteArray old;
    // An existing file we cannot read is left alone rather than replaced by a one-key file.
    if (QFile::exists(file) && !readAll(file, old)) return {};
    QByteArrayView body(old);
    const bool bom = body.startsWith(kUtf8Bom);
    if (bom) body = body.sliced(kUtf8Bom.size());

    const std::vector<QByteArrayView> lines = splitLines(body);
    const Location loc = locate(lines, sectionName, keyName);
    auto entryLine = [&](QByteArrayView name) {
        return name.toByteArray() + '=' + valueBytes + "\r\n";
    };

    QByteArray out;
    out.reserve(old.size() + valueBytes.size() + sectionBytes.size() + keyBytes.size() + 16);
    if (bom) out.append(kUtf8Bom);
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        if (i == loc.key) {
            // Keep the spelling of the existing key name.
            out += entryLine(parseLine(lines[size_t(i)]).name);
            continue;
        }
        out.append(lines[size_t(i)]).append("\r\n");
        if (i == loc.lastEntry && loc.key < 0) out += entryLine(keyBytes);
    }
    if (loc.section < 0) {
        if (!lines.empty() && !trimBlanks(lines.back()).isEmpty()) out += "\r\n";
        out += "[" + sectionBytes + "]\r\n" + entryLine(keyBytes);
    }

    QSaveFile save(file);
    if (!save.open(QIODevice::WriteOnly)) return {};
    if (save.write(out) != out.size()) {
        save.cancelWriting();
        return {};
    }
    save.commit();
    return {};
}

}  // namespace vantorel
