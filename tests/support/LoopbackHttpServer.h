#pragma once
// A small HTTP server on 127.0.0.1, in the test's own thread: it answers GET requests from a table
// of paths, so the download code is tested without the network. A path not in the table gets a
// 404. The answers can misbehave as real servers do: never answer, stop half way, send more than
// they announced or announce nothing.
//
//   LoopbackHttpServer server;
//   server.Serve("/maj_logiciels/Liste_logiciels.ini", {200, "[Tranchex1.6]\n..."});
//   ... fetch server.Address() + "/maj_logiciels/Liste_logiciels.ini" ...

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>

namespace tranchex::test {

class LoopbackHttpServer : public QObject {
 public:
  struct Answer {
    int Status = 200;
    QByteArray Body;
    // How the answer is sent.
    enum class Style {
      Whole,       // status, Content-Length, the body, then the connection closed
      NoLength,    // no Content-Length: the body ends when the connection closes
      CutShort,    // Content-Length announced, half the body sent, then the connection closed
      NeverAnswer  // the request is read and the connection kept open, silent
    } How = Style::Whole;
  };

  LoopbackHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
      }
    });
  }

  void Serve(const char* path, Answer answer) {
    answers_.insert(QString::fromLatin1(path), std::move(answer));
  }
  // "http://127.0.0.1:port", no trailing "/".
  QString Address() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
  }
  // The paths asked for, in order.
  QStringList requests;

 private:
  void Read(QTcpSocket* socket) {
    QByteArray& pending = received_[socket];
    pending += socket->readAll();
    const int end = pending.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QList<QByteArray> requestLine = pending.left(pending.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() >= 2 ? QString::fromLatin1(requestLine[1]) : QString();
    received_.remove(socket);
    requests << path;

    const Answer answer = answers_.value(path, Answer{404, "Not Found", Answer::Style::Whole});
    if (answer.How == Answer::Style::NeverAnswer) return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.Status) + " X\r\n";
    if (answer.How != Answer::Style::NoLength) {
      head += "Content-Length: " + QByteArray::number(answer.Body.size()) + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    const QByteArray body = answer.How == Answer::Style::CutShort
                                ? answer.Body.left(answer.Body.size() / 2)
                                : answer.Body;
    socket->write(head + body);
    socket->disconnectFromHost();
  }

  QTcpServer server_;
  QMap<QString, Answer> answers_;
  QMap<QTcpSocket*, QByteArray> received_;
};

}  // namespace tranchex::test
