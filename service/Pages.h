#pragma once

// The static pages of the web side: small, self-contained UTF-8 HTML.

#include <QByteArray>
#include <QString>

#include <optional>

namespace vantorel::service {

QByteArray homePage();
QByteArray adPage();                                // fits 220 x 80
QByteArray messagePage(std::optional<int> number);  // fits 240 x 135
QByteArray questionPage();                          // fits 413 x 348
QByteArray calculatorPage();                        // fits 413 x 348
QByteArray registerPage();
QByteArray recoverPage();
QByteArray blankPage();
QByteArray notFoundPage();
QByteArray downloadFile();

// The text of a pushed message by its number; a general notice for numbers with none.
QString messageText(std::optional<int> number);

}  // namespace vantorel::service
