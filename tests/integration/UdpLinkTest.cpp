#include "platform/qt/UdpLink.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

using vantorel::qt::UdpLink;

namespace {

struct Received {
    QByteArray data;
    QString host;
    quint16 port = 0;
};

// Waits for the peer's next datagram, on the event loop, with a deadline.
QNetworkDatagram nextDatagram(QUdpSocket& peer) {
    if (!peer.hasPendingDatagrams()) {
        QSignalSpy spy(&peer, &QUdpSocket::readyRead);
        spy.wait(5000);
    }
    return peer.receiveDatagram(peer.pendingDatagramSize());
}

}  // namespace

TEST(UdpLink, BindsOnFirstSendKeepsThePortAndDeliversWholeDatagramsWithTheirSource) {
    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress::LocalHost, 0));

    UdpLink link;
    std::vector<Received> got;
    int afterEvents = 0;
    link.onDatagram = [&](const QByteArray& d, const QString& host, quint16 port) {
        got.push_back({d, host, port});
    };
    link.afterEvent = [&] { ++afterEvents; };
    link.configure(QStringLiteral("127.0.0.1"), peer.localPort());
    EXPECT_EQ(link.localPort(), 0) << "configure() must not bind";

    link.send("hello");
    const quint16 local = link.localPort();
    ASSERT_NE(local, 0);
    const QNetworkDatagram first = nextDatagram(peer);
    EXPECT_EQ(first.data(), "hello");
    EXPECT_EQ(first.senderPort(), local);

    link.send("again");
    EXPECT_EQ(link.localPort(), local);
    EXPECT_EQ(nextDatagram(peer).senderPort(), local);

    // Answers of almost 64 KiB come in one piece.
    QByteArray big(60000, '\0');
    for (int i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    peer.writeDatagram(big, QHostAddress::LocalHost, local);
    peer.writeDatagram("tail", QHostAddress::LocalHost, local);
    ASSERT_TRUE(QTest::qWaitFor([&] { return got.size() >= 2; }, 5000));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].data, big);
    EXPECT_EQ(got[1].data, "tail");
    EXPECT_EQ(got[0].host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(got[0].port, peer.localPort());
    EXPECT_EQ(afterEvents, 2);
}

TEST(UdpLink, SendErrorsAreSwallowed) {
    UdpLink link;
    link.configure(QString(), 9);
    link.send("x");  // no host: dropped
    link.configure(QStringLiteral("127.0.0.1"), 0);
    link.send("y");  // port 0: refused by the stack, dropped
    // Still usable afterwards.
    QUdpSocket peer;
    ASSERT_TRUE(peer.bind(QHostAddress::LocalHost, 0));
    link.configure(QStringLiteral("127.0.0.1"), peer.localPort());
    link.send("z");
    EXPECT_EQ(nextDatagram(peer).data(), "z");
}
