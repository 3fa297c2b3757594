#pragma once

#include "platform/Ports.h"

#include <QObject>

#include <functional>

class QUdpSocket;

namespace vantorel::qt {

// The program's one UDP socket. configure() only remembers the peer; the first send binds an
// ephemeral IPv4 port, which stays for the life of the link so answers find their way back.
class UdpLink : public QObject, public DatagramLink {
    Q_OBJECT
  public:
    explicit UdpLink(QObject* parent = nullptr);
    ~UdpLink() override;

    void configure(const QString& remoteHost, quint16 remotePort) override;
    void send(const QByteArray& datagram) override;

    // 0 until the first send has bound the socket.
    quint16 localPort() const;

    // Runs after each onDatagram call, so the shell can bring the windows up to date.
    std::function<void()> afterEvent;

  private:
    void readPending();

    QUdpSocket* socket_;
    QString host_;
    quint16 port_ = 0;
};

}  // namespace vantorel::qt
