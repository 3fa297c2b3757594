#include "app/FormLogin.h"

namespace vantorel {

void FormLogin::ShowPage(const QString& page) {
    hide({"UserName_Label", "UserName_border", "PassWord_Label", "PassWord_border", "Login_Bot",
          "Jion_Label", "RePass_Label", "Web_Label", "Logo", "Chk_AutoLogin", "LebAutoLogin"});
    for (int i = 1; i <= 8; ++i) ctl("Pic_Load", i).visible = false;
    hide({"Login_Txt", "LoginClose_Bot"});
    timer("PlayFlash").setEnabled(false);
    hide({"LoadingLogo"});
    timer("Timer_Monitor").setEnabled(false);
    hide({"Main_Logo", "Info_UserName", "ToolsTree", "Frame_Search", "WebAD", "SearchClose_Bot",
          "Frame_results", "WebQuestion"});
    setWidth(3600);
    const int normal[] = {127, 131, 142, 144};
    for (int i = 1; i <= 4; ++i) ctl("ToolsTree_Bot", i).setPicture(normal[i - 1]);
    navigate("WebAD", webAddress("/ad.asp"));

    auto startLoading = [&](const QString& caption) {
        for (int i = 1; i <= 8; ++i) ctl("Pic_Load", i).visible = true;
        TempPlayNum = 0;
        TempPlayFx = QStringLiteral("右");
        timer("PlayFlash").setEnabled(true);
        ctl("Login_Txt").setText(caption);
    };
    if (page == u"LoadingPage") {
        show({"Login_Txt", "LoginClose_Bot"});
        startLoading(QStringLiteral("正在获取登录信息"));
        timer("Timer_Monitor").setEnabled(true);
        show({"LoadingLogo"});
    } else if (page == u"LoadingSearchPage") {
        show({"Login_Txt", "SearchClose_Bot"});
        startLoading(QStringLiteral("正在获取查询数据"));
        show({"LoadingLogo"});
        timer("SearchGpInfoMonitor").setEnabled(true);
    } else if (page == u"LoginPage") {
        show({"UserName_Label", "UserName_border", "PassWord_Label", "PassWord_border", "Login_Bot",
              "Jion_Label", "RePass_Label", "Web_Label", "Logo", "Chk_AutoLogin", "LebAutoLogin"});
    } else if (page == u"SearchMainPage") {
        show({"Main_Logo", "Info_UserName", "ToolsTree", "Frame_Search", "WebAD"});
        ctl("ToolsTree_Bot", 1).setPicture(128);
    } else if (page == u"SearchResultPage") {
        show({"Frame_results", "ToolsTree", "Main_Logo", "Info_UserName", "WebAD"});
        ctl("ToolsTree_Bot", 2).setPicture(132);
    } else if (page == u"QuestionPage" || page == u"ComputerPage") {
        show({"Main_Logo", "Info_UserName", "ToolsTree", "WebQuestion"});
        setWidth(6750);
        Control& web = ctl("WebQuestion");
        const Control& frame = ctl("Frame_Search");
        web.width = width() - 555;
        web.height = frame.height;
        web.top = frame.top;
        web.left = frame.left;
        const bool question = page == u"QuestionPage";
        navigate("WebQuestion", webAddress(question ? QStringLiteral("/Question.asp")
                                                    : QStringLiteral("/Computer.asp")));
        ctl("ToolsTree_Bot", question ? 3 : 4).setPicture(question ? 143 : 145);
        show({"WebAD"});
    }
}

void FormLogin::PlayFlash_Timer() {
    const bool forward = TempPlayFx == u"右";
    const int n = ++TempPlayNum;
    for (int c = 1; c <= 8; ++c) ctl("Pic_Load", c).setPicture(1000);
    if (n <= 8) {
        const int head = forward ? n : 9 - n;
        ctl("Pic_Load", head).setPicture(1004);
        for (int i = 1; i <= 3 && i < n; ++i)
            ctl("Pic_Load", forward ? head - i : head + i).setPicture(1004 - i);
    } else {
        for (int i = 1; i <= 12 - n; ++i) ctl("Pic_Load", forward ? 9 - i : i).setPicture(1004 - i);
    }
    if (n == 12) {
        TempPlayFx = forward ? QStringLiteral("左") : QStringLiteral("右");
        TempPlayNum = 0;
    }
}

}  // namespace vantorel
