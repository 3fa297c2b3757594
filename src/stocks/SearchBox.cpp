#include "app/FormLogin.h"

#include <algorithm>

namespace vantorel {

namespace {

const QString kPlaceholder = QStringLiteral("搜索股票代码或名称...");
constexpr int kResultLimit = 20;

}  // namespace

void FormLogin::SearchForm_Text_Change() {
    SearchNum = 0;
    ctl("Frame_TableBox").top = 0;
    ctl("Frame_TableBar").setValue(0);
    TempClickMun = 0;
    TempMoveMun = 0;
    ClearGpRows();
    const QString text = ctl("SearchForm_Text").text();
    if (text.isEmpty() || !platform_.database) return;
    const SearchResult found = platform_.database->search(text, kResultLimit);
    if (found.rows.empty()) return;
    int i = 1;
    for (const StockRow& row : found.rows) {
        if (i > kResultLimit) break;
        AddGpRow(i++, row.gpId, row.gpName);
    }
    SearchNumAll = static_cast<qint16>(std::min(found.total, 32767));
}

void FormLogin::gotFocus(Control& c) {
    if (c.name != u"SearchForm_Text") return;
    c.setText(QString());
    c.foreColor = Rgb{0, 0, 0};
}

void FormLogin::lostFocus(Control& c) {
    if (c.name != u"SearchForm_Text" || !c.text().isEmpty()) return;
    c.setText(kPlaceholder);
    c.foreColor = Rgb{192, 192, 192};
}

void FormLogin::keyDown(Control& c, int keyCode) {
    if (c.name != u"SearchForm_Text" || (keyCode != 38 && keyCode != 40)) return;
    const double h = ctl("Frame_Table").height / 450;
    // The bar's range is 0 to 10 whatever the window's height.
    auto scrollTo = [&](double v) {
        ctl("Frame_TableBar").setValue(std::clamp(roundHalfEven(v), 0, 10));
    };
    if (keyCode == 40) {
        if (gpRowCount() < 1 || c.text().isEmpty() || SearchNum >= SearchNumAll ||
            SearchNum >= kResultLimit)
            return;
        ++SearchNum;
        SelectGpRow(SearchNum);
        scrollTo(SearchNum > h ? SearchNum - h : 0);
    } else {
        if (SearchNum <= 1) return;
        --SearchNum;
        SelectGpRow(SearchNum);
        scrollTo(SearchNum - h + 1 > 0 ? SearchNum - h : 0);
    }
}

void FormLogin::searchKeyPress(QChar) {
    Control& box = ctl("SearchForm_Text");
    const Control* row = find(QStringLiteral("GpID"), SearchNum);
    if (!row || SearchNum < 1) return;
    const QString code = row->text();
    if (box.text().size() == 8) {
        SearchGpInfo(code);
        return;
    }
    box.setText(code);  // rebuilds the rows for that code
    SearchNum = 1;
    TempClickMun = 0;
    SelectGpRow(1);
}

}  // namespace vantorel
