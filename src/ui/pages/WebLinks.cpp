#include "app/FormLogin.h"

namespace vantorel {

void FormLogin::WindowOpenUrl(const QString& key) {
    if (!platform_.opener) return;
    if (key == u"RegUser") platform_.opener->open(webAddress("/Reg.asp"));
    if (key == u"RePass") platform_.opener->open(webAddress("/BusinessRePass.asp"));
    if (key == u"Web") platform_.opener->open(platform_.service.webBase);
}

}  // namespace vantorel
