// vantorel-artgen: draws the program's bitmaps and design pictures into a folder.
//   vantorel-artgen OUTDIR [--sheet FILE] [--mock FILE]
#include <QCommandLineParser>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>

#include <cstdio>

#include "Artwork.h"
#include "Paint.h"
#include "Preview.h"
#include "app/Bitmaps.h"

namespace {

void complain(const QString& message) {
    std::fprintf(stderr, "vantorel-artgen: %s\n", qPrintable(message));
}

// Drawing without a CJK face would leave boxes in the buttons; say so loudly but still draw.
void checkFonts() {
    const QFont font = artgen::uiFont(13);
    const QString family = QFontInfo(font).family();
    if (!family.contains(QStringLiteral("CJK")))
        complain(QStringLiteral("Noto Sans CJK SC is missing, drawing with %1").arg(family));
    const QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("立即登录取消查询系统消息沪深在线分析正在"))
        if (!metrics.inFont(c))
            complain(QStringLiteral("no glyph for %1 in %2").arg(c).arg(family));
}

bool save(const QImage& image, const QString& path) {
    const bool png = path.endsWith(QStringLiteral(".png"));
    // The program's bitmaps are 24-bit BMPs; opaque RGB888 is exactly that, whatever the writer's
    // defaults for other formats.
    const QImage out = png ? image : image.convertToFormat(QImage::Format_RGB888);
    if (out.save(path, png ? "PNG" : "BMP")) return true;
    complain(QStringLiteral("cannot write %1").arg(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws Vantorel's bitmaps."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("outdir"), QStringLiteral("Folder for the files."));
    const QCommandLineOption sheetOption(QStringLiteral("sheet"),
                                         QStringLiteral("Also write a contact sheet."),
                                         QStringLiteral("file"));
    const QCommandLineOption mockOption(QStringLiteral("mock"),
                                        QStringLiteral("Also write a mock of the windows."),
                                        QStringLiteral("file"));
    parser.addOption(sheetOption);
    parser.addOption(mockOption);
    parser.process(app);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1 ||
        (positional.isEmpty() && !parser.isSet(sheetOption) && !parser.isSet(mockOption))) {
        parser.showHelp(2);
    }

    checkFonts();

    const auto& bitmaps = artgen::bitmaps();
    if (bitmaps.size() != vantorel::kBitmaps.size()) {
        complain(QStringLiteral("%1 bitmaps drawn, the program has %2")
                     .arg(bitmaps.size())
                     .arg(vantorel::kBitmaps.size()));
        return 1;
    }
    std::vector<std::pair<QString, QImage>> pictures;
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const vantorel::BitmapInfo& info = vantorel::kBitmaps[i];
        if (bitmaps[i].id != info.id) {
            complain(
                QStringLiteral("bitmap %1 drawn where %2 belongs").arg(bitmaps[i].id).arg(info.id));
            return 1;
        }
        QImage image = bitmaps[i].draw();
        if (image.size() != QSize(info.width, info.height)) {
            complain(QStringLiteral("bitmap %1 is %2×%3, must be %4×%5")
                         .arg(info.id)
                         .arg(image.width())
                         .arg(image.height())
                         .arg(info.width)
                         .arg(info.height));
            return 1;
        }
        pictures.emplace_back(QString::number(info.id) + QStringLiteral(".bmp"), std::move(image));
    }
    for (const artgen::DesignPicture& picture : artgen::designPictures()) {
        QImage image = picture.draw();
        if (image.size() != QSize(picture.width, picture.height)) {
            complain(QStringLiteral("%1 has the wrong size").arg(picture.file));
            return 1;
        }
        pictures.emplace_back(picture.file, std::move(image));
    }

    bool ok = true;
    if (!positional.isEmpty()) {
        const QDir dir(positional.first());
        if (!dir.mkpath(QStringLiteral("."))) {
            complain(QStringLiteral("cannot create %1").arg(dir.path()));
            return 1;
        }
        for (const auto& [file, image] : pictures) ok = save(image, dir.filePath(file)) && ok;
    }
    if (parser.isSet(sheetOption))
        ok = save(artgen::contactSheet(pictures), parser.value(sheetOption)) && ok;
    if (parser.isSet(mockOption)) {
        artgen::ArtSet art;
        for (const auto& [file, image] : pictures)
            art[file.section(QLatin1Char('.'), 0, 0)] = image;
        ok = save(artgen::windowMock(art), parser.value(mockOption)) && ok;
    }
    return ok ? 0 : 1;
}
