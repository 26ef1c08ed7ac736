#pragma once
// Test helper: a tiny HTTP server on 127.0.0.1 (never another address) that answers every GET
// with one fixed response and remembers the request targets. It runs on the thread that creates
// it, so that thread must run an event loop while a client waits (QTest::qWaitFor, or the
// client's own local loop when both share the thread).

#include <QByteArray>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

class TLoopbackHttp : public QTcpServer {
public:
  // The response's status line and body.
  explicit TLoopbackHttp(QByteArray body, QByteArray status = "200 OK")
      : FBody(std::move(body)), FStatus(std::move(status)) {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] { Accept(); });
  }

  // "http://127.0.0.1:PORT"
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(serverPort()); }
  // The request targets in order, e.g. "/download/book.ver?ver=1.2".
  QStringList Targets;

private:
  void Accept() {
    while (QTcpSocket* socket = nextPendingConnection()) {
      connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
        FRequest += socket->readAll();
        if (!FRequest.contains("\r\n\r\n")) return;
        Targets << QString::fromLatin1(FRequest.split(' ').value(1));
        FRequest.clear();
        socket->write("HTTP/1.1 " + FStatus + "\r\nContent-Length: " +
                      QByteArray::number(FBody.size()) +
                      "\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n" + FBody);
        socket->disconnectFromHost();
      });
      connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
  }

  QByteArray FBody;
  QByteArray FStatus;
  QByteArray FRequest;
};
