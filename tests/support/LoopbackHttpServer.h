#pragma once
// A small HTTP server on 127.0.0.1, in the test's own thread: it answers GET requests from a table
// of paths, so the download code is tested without the network. Given a TLS configuration (a
// certificate and its key) it serves https. A path not in the table gets a
// 404. The answers can misbehave as real servers do: never answer, stop half way, send more than
// they announced or announce nothing; and as hostile ones do: flood headers, send one header
// that never ends, a chunked body that never ends, or a body far over any bound in small
// writes. A hostile answer writes piece after piece while the client reads, and stops when the
// client closes the connection, or at its own bounds (kHostileMaxBytes, kHostileMaxMs) so that
// a client that never stops cannot hold a test for ever.
//
//   LoopbackHttpServer server;
//   server.Serve("/maj_logiciels/Liste_logiciels.ini", {200, "[Tranchex1.6]\n..."});
//   ... fetch server.Address() + "/maj_logiciels/Liste_logiciels.ini" ...

#include <QByteArray>
#include <QCoreApplication>
#include <QThread>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <sys/socket.h>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>
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
      NeverAnswer,  // the request is read and the connection kept open, silent
      Chunked,      // "Transfer-Encoding: chunked" and Body as it stands (the test frames it)
      Redirect,     // "Location: " + Body, no body
      Raw,          // Body is the whole answer, head and all, then the connection closed
      // No Content-Length, the body, then the connection cut: over https without the TLS
      // close, over http by a reset.
      NoLengthCut,
      // The status line as given, then no end (Body is not used):
      HeaderFlood,     // header line after header line
      LongHeader,      // one header whose value goes on and on
      EndlessChunked,  // "Transfer-Encoding: chunked", then 1 KiB chunks with no last one
      SmallWrites      // "Content-Length: 100 MiB", then the body 256 bytes at a time
    } How = Style::Whole;
  };

  static constexpr qint64 kHostileMaxBytes = 256 * 1024 * 1024;
  static constexpr int kHostileMaxMs = 60 * 1000;

  // What the hostile answers sent, and whether the client closed each one.
  struct Hostile {
    qint64 sent = 0;
    bool closedByClient = false;
    bool stoppedByBound = false;
  };
  QList<std::shared_ptr<Hostile>> hostile;

  // The last hostile answer, once the server has learnt how it ended: a client that closed the
  // connection is seen at the server's next turns, a bounded number of them. Null when no
  // hostile answer was sent.
  std::shared_ptr<const Hostile> LastHostileEnded() {
    if (hostile.isEmpty()) return nullptr;
    const std::shared_ptr<Hostile> last = hostile.back();
    for (int turn = 0; turn < 300 && !last->closedByClient && !last->stoppedByBound; ++turn) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(5);
    }
    return last;
  }

  explicit LoopbackHttpServer(std::optional<QSslConfiguration> tls = std::nullopt)
      : tls_(tls.has_value()) {
    if (tls) {
      auto* ssl = new QSslServer(this);
      ssl->setSslConfiguration(*tls);
      server_ = ssl;
    } else {
      server_ = new QTcpServer(this);
    }
    server_->listen(QHostAddress::LocalHost, 0);
    connect(server_, &QTcpServer::pendingConnectionAvailable, this, [this] {
      while (QTcpSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
      }
    });
  }

  void Serve(const char* path, Answer answer) {
    answers_.insert(QString::fromLatin1(path), std::move(answer));
  }
  // "http://127.0.0.1:port" (https for TLS), no trailing "/".
  QString Address() const {
    return QStringLiteral("%1://127.0.0.1:%2")
        .arg(tls_ ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(server_->serverPort());
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
    if (answer.How >= Answer::Style::HeaderFlood) {
      StartHostile(socket, answer);
      return;
    }
    if (answer.How == Answer::Style::Raw) {
      socket->write(answer.Body);
      socket->disconnectFromHost();
      return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.Status) + " X\r\n";
    if (answer.How == Answer::Style::Chunked) {
      head += "Transfer-Encoding: chunked\r\n";
    } else if (answer.How == Answer::Style::Redirect) {
      head += "Location: " + answer.Body + "\r\nContent-Length: 0\r\n";
    } else if (answer.How != Answer::Style::NoLength && answer.How != Answer::Style::NoLengthCut) {
      head += "Content-Length: " + QByteArray::number(answer.Body.size()) + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    const QByteArray body = answer.How == Answer::Style::CutShort   ? answer.Body.left(answer.Body.size() / 2)
                            : answer.How == Answer::Style::Redirect ? QByteArray()
                                                                    : answer.Body;
    socket->write(head + body);
    if (answer.How == Answer::Style::NoLengthCut) {
      socket->flush();
      if (!tls_) {
        // Closed with a reset instead of the usual end.
        const linger reset{1, 0};
        ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset,
                     sizeof reset);
      }
      socket->abort();
      return;
    }
    socket->disconnectFromHost();
  }

  // Writes the hostile answer piece by piece, a piece whenever little is waiting to be sent.
  void StartHostile(QTcpSocket* socket, const Answer& answer) {
    auto state = std::make_shared<Hostile>();
    hostile << state;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.Status) + " X\r\n";
    QByteArray piece;
    switch (answer.How) {
      case Answer::Style::HeaderFlood:
        piece = "X-Flood: " + QByteArray(40, 'f') + "\r\n";
        break;
      case Answer::Style::LongHeader:
        head += "X-Long: ";
        piece = QByteArray(1024, 'l');
        break;
      case Answer::Style::EndlessChunked:
        head += "Transfer-Encoding: chunked\r\n\r\n";
        piece = "400\r\n" + QByteArray(1024, 'c') + "\r\n";
        break;
      default:
        head += "Content-Length: " + QByteArray::number(100 * 1024 * 1024) + "\r\n\r\n";
        piece = QByteArray(256, 's');
        break;
    }
    socket->write(head);
    state->sent += head.size();
    auto* pump = new QTimer(socket);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    connect(socket, &QTcpSocket::disconnected, pump, [state, pump] {
      state->closedByClient = !state->stoppedByBound;
      pump->stop();
    });
    connect(pump, &QTimer::timeout, socket, [state, socket, pump, piece, clock] {
      if (socket->state() != QAbstractSocket::ConnectedState) {
        state->closedByClient = !state->stoppedByBound;
        pump->stop();
        return;
      }
      if (state->sent >= kHostileMaxBytes || clock->elapsed() >= kHostileMaxMs) {
        state->stoppedByBound = true;
        pump->stop();
        socket->abort();
        return;
      }
      // Keep the pipe full without piling up memory here.
      for (int i = 0; i < 64 && socket->bytesToWrite() < 64 * 1024; ++i) {
        socket->write(piece);
        state->sent += piece.size();
      }
    });
    pump->start(1);
  }

  bool tls_;
  QTcpServer* server_ = nullptr;
  QMap<QString, Answer> answers_;
  QMap<QTcpSocket*, QByteArray> received_;
};

}  // namespace tranchex::test
