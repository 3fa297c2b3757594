#include "app/FormLogin.h"
#include "link/Md5.h"

namespace vantorel {

namespace {

// The digest takes one byte per character, so the password box holds ASCII only; the account
// box refuses the field separator of the protocol.
bool refused(const Control& box, QChar ch) {
    if (box.name == u"PassWord_Txt") return ch.unicode() > 0x7F;
    return ch == u'|';
}

QString withoutRefused(const Control& box, const QString& text) {
    QString kept;
    for (QChar ch : text)
        if (!refused(box, ch)) kept += ch;
    return kept;
}

}  // namespace

void FormLogin::restoreSavedLogin() {
    const std::optional<SystemRow> row = platform_.database->readSystem();
    if (!row || row->autoLogin != u"Yes") return;
    ctl("Chk_AutoLogin").setValue(1);
    ctl("UserName_Txt").setText(row->userName.value_or(QString()));
    ctl("PassWord_Txt").setText(row->passWord.value_or(QString()));
    TempAutoLogin = QStringLiteral("Yes");
}

void FormLogin::saveLogin() {
    if (!platform_.database) return;
    const QString autoLogin =
        ctl("Chk_AutoLogin").value() == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
    platform_.database->saveLogin(autoLogin, passwordDigest(), ctl("UserName_Txt").text());
}

bool FormLogin::keyPress(Control& c, QChar ch) {
    if (c.name == u"SearchForm_Text") {
        if (ch != u'\r') return false;
        searchKeyPress(ch);
        return true;
    }
    if (c.name == u"UserName_Txt") {
        TempAutoLogin = QStringLiteral("No");
        ctl("PassWord_Txt").setText(QString());
        return refused(c, ch);
    }
    if (c.name == u"PassWord_Txt") {
        if (ch == u'\r') {
            Login_Bot_Click();
            return true;
        }
        TempAutoLogin = QStringLiteral("No");
        return refused(c, ch);
    }
    return false;
}

void FormLogin::userEdited(Control& c, const QString& text) {
    if (c.name == u"UserName_Txt" || c.name == u"PassWord_Txt") {
        // Pasting with the mouse changes the text without a key: it counts as typing.
        if (c.name == u"UserName_Txt" && text != c.text()) ctl("PassWord_Txt").setText(QString());
        if (text != c.text()) TempAutoLogin = QStringLiteral("No");
        c.setText(withoutRefused(c, text));
        return;
    }
    Form::userEdited(c, text);
}

}  // namespace vantorel
