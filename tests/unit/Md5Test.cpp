#include "link/Md5.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

using vantorel::isSingleByteText;
using vantorel::md5;
using vantorel::Md5Digest;

TEST(Md5, Rfc1321SuiteInUpperCase) {
    const std::pair<QString, std::string> suite[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {QStringLiteral("1234567890").repeated(8), "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& [text, digest] : suite) {
        EXPECT_EQ(Md5Digest(text).toStdString(), digest) << text.toStdString();
    }
}

// Lengths around the padding boundaries (one block vs. two for the length field) and a
// many-block input, with every byte value, against Qt's implementation.
TEST(Md5, MatchesOracleAtPaddingBoundaries) {
    for (int length : {0, 1, 55, 56, 57, 63, 64, 65, 119, 120, 128, 1000}) {
        QByteArray bytes(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i) bytes[i] = char((i * 131 + length) & 0xFF);
        EXPECT_EQ(md5(bytes), QCryptographicHash::hash(bytes, QCryptographicHash::Md5))
            << "length " << length;
    }
}

TEST(Md5, DigestIsUpperCaseHexOfEachCharacterCode) {
    const QString text = QStringLiteral("Pass\tword 123~\x7F");
    const QString digest = Md5Digest(text);
    EXPECT_EQ(
        digest,
        QString::fromLatin1(
            QCryptographicHash::hash(text.toLatin1(), QCryptographicHash::Md5).toHex().toUpper()));
    EXPECT_EQ(digest, digest.toUpper());
    EXPECT_EQ(digest.size(), 32);
}

TEST(Md5, OnlyAsciiIsSingleByteAndOtherTextGetsNoDigest) {
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("demo123"), true},
        {QString(), true},
        {QString(QChar(0)) + QChar(0x7F), true},
        {QStringLiteral("密码"), false},
        {QStringLiteral("é"), false},  // Latin-1, but two bytes in the service's code page
        {QStringLiteral("abc") + QChar(0x80), false},
    };
    for (const auto& [text, single] : cases) {
        EXPECT_EQ(isSingleByteText(text), single) << text.toStdString();
        if (!single) {
            EXPECT_TRUE(Md5Digest(text).isEmpty()) << text.toStdString();
        }
    }
}
