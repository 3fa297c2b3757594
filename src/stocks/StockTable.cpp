#include "app/FormLogin.h"

namespace vantorel {

namespace {

constexpr Rgb kHover{200, 200, 200};
constexpr Rgb kSelected{60, 60, 60};
constexpr double kRowHeight = 450;

}  // namespace

int FormLogin::gpRowCount() const {
    int n = 0;
    while (find(QStringLiteral("GpBg"), n + 1)) ++n;
    return n;
}

void FormLogin::ReGpTj() {
    ClearGpRows();
    int i = 1;
    for (const StockRow& row : platform_.database->favourites())
        AddGpRow(i++, row.gpId, row.gpName);
}

void FormLogin::ClearGpRows() {
    for (int i = gpRowCount(); i >= 1; --i)
        for (const char* n : {"GpName", "GpID", "GpBg"}) remove(QString::fromLatin1(n), i);
}

void FormLogin::AddGpRow(int i, const QString& code, const QString& name) {
    Control& box = ctl("Frame_TableBox");
    const double top = kRowHeight * (i - 1);
    Control& band = add("GpBg", Kind::Frame, &box, i);
    band.left = 0;
    band.top = top;
    band.width = 3255;
    band.height = kRowHeight;
    band.backColor = kWhite;
    const double textLeft[] = {150, 1050};
    const QString texts[] = {code, name};
    const char* names[] = {"GpID", "GpName"};
    for (int k = 0; k < 2; ++k) {
        Control& t = add(QString::fromLatin1(names[k]), Kind::Label, &box, i);
        t.transparent = true;
        t.foreColor = kBlack;
        t.left = textLeft[k];
        t.top = top + 150;
        t.width = 720;
        t.height = 180;
        t.setText(texts[k]);
        // Eight characters of code in the design's 720 twips want a narrow face.
        if (k == 0) {
            t.fontName = QStringLiteral("Arial");
            t.fontSize = 8.25;
        }
    }
}

void FormLogin::SelectGpRow(int i) {
    auto paint = [&](int row, Rgb band, Rgb text) {
        Control* bg = find(QStringLiteral("GpBg"), row);
        if (!bg || row < 1) return;
        bg->backColor = band;
        ctl("GpID", row).foreColor = text;
        ctl("GpName", row).foreColor = text;
    };
    paint(TempClickMun, kWhite, kBlack);
    paint(i, kSelected, kWhite);
    TempClickMun = static_cast<qint16>(i);
}

void FormLogin::HoverGpRow(int i) {
    if (i == TempClickMun) return;
    // The first move onto a row after the selected one only remembers it, so the selected
    // row's dark band is never painted white.
    if (TempMoveMun == TempClickMun) {
        TempMoveMun = static_cast<qint16>(i);
        return;
    }
    if (Control* old = find(QStringLiteral("GpBg"), TempMoveMun); old && TempMoveMun >= 1)
        old->backColor = kWhite;
    if (Control* row = find(QStringLiteral("GpBg"), i); row && i >= 1) row->backColor = kHover;
    TempMoveMun = static_cast<qint16>(i);
}

void FormLogin::ScrollGpTable() {
    const Control& table = ctl("Frame_Table");
    Control& box = ctl("Frame_TableBox");
    const float top = -static_cast<float>((box.height - table.height) / 10) *
                      static_cast<float>(ctl("Frame_TableBar").value());
    // A window taller than the 20 rows keeps them at the top.
    box.top = top > 0 ? 0 : top;
}

void FormLogin::dblClick(Control& c) {
    if ((c.name == u"GpBg" || c.name == u"GpID" || c.name == u"GpName") && c.index >= 1)
        SearchGpInfo(ctl("GpID", c.index).text());
}

void FormLogin::mouseWheel(int delta) {
    if (delta > 0)
        wheelPosition_ = std::max<qint16>(0, wheelPosition_ - 1);
    else
        wheelPosition_ = std::min<qint16>(10, wheelPosition_ + 1);
    ctl("Frame_TableBar").setValue(wheelPosition_);
}

}  // namespace vantorel
