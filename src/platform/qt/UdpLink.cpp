#include "platform/qt/UdpLink.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QPointer>
#include <QUdpSocket>

namespace vantorel::qt {

UdpLink::UdpLink(QObject* parent) : QObject(parent), socket_(new QUdpSocket(this)) {
    connect(socket_, &QUdpSocket::readyRead, this, &UdpLink::readPending);
}

UdpLink::~UdpLink() = default;

void UdpLink::configure(const QString& remoteHost, quint16 remotePort) {
    host_ = remoteHost;
    port_ = remotePort;
}

quint16 UdpLink::localPort() const {
    return socket_->state() == QAbstractSocket::BoundState ? socket_->localPort() : 0;
}

void UdpLink::send(const QByteArray& datagram) {
    if (socket_->state() != QAbstractSocket::BoundState && !socket_->bind(QHostAddress::AnyIPv4, 0))
        return;
    QHostAddress to(host_);
    if (to.isNull()) {
        // A name rather than an address: the first IPv4 answer, as the socket is IPv4 only.
        const QHostInfo info = QHostInfo::fromName(host_);
        for (const QHostAddress& a : info.addresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                to = a;
                break;
            }
        if (to.isNull()) return;
    }
    socket_->writeDatagram(datagram, to, port_);  // a lost datagram is the protocol's business
}

void UdpLink::readPending() {
    QPointer<UdpLink> self(this);
    while (self && socket_->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_->receiveDatagram(socket_->pendingDatagramSize());
        if (!d.isValid()) break;  // a socket error, not a datagram: wait for the next signal
        QHostAddress from = d.senderAddress();
        bool mapped = false;
        const quint32 v4 = from.toIPv4Address(&mapped);
        if (mapped) from = QHostAddress(v4);
        if (onDatagram) onDatagram(d.data(), from.toString(), static_cast<quint16>(d.senderPort()));
        if (self && afterEvent) afterEvent();
    }
}

}  // namespace vantorel::qt
