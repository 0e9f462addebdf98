#include "platform/Download.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <memory>
#include <optional>

#include "platform/FileIO.h"

// The list is fetched with a small HTTP/1.1 client of our own on the caller's thread: every byte
// is counted as it arrives, and at the bound the connection is closed and gone before the call
// returns. (A transfer run by Qt's network manager goes on in the manager's own thread after an
// abort: a server flooding headers kept that thread reading, and start-up waiting for it.)

namespace tranchex {
namespace {

// The status line and the headers of one answer: far beyond what a web server sends.
constexpr qint64 kMaxHeaderBytes = 16 * 1024;
// One chunk-size line of a chunked body.
constexpr qint64 kMaxChunkLineBytes = 1024;
// Moved pages followed, as a browser would, a few times at most.
constexpr int kMaxRedirects = 5;
// What the socket keeps for us between two reads.
constexpr qint64 kSocketBufferBytes = 64 * 1024;

bool IsHttps(const QUrl& address) {
  return address.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

// One GET of one address, answered, refused or cut off at the deadline.
class HttpGet {
 public:
  enum class Outcome { Body, Redirect, Failed };

  HttpGet(const QUrl& address, qint64 maxBody, const QDeadlineTimer& deadline)
      : address_(address), maxBody_(maxBody), deadline_(deadline) {}

  Outcome Run() {
    if (deadline_.hasExpired()) return Outcome::Failed;
    const bool https = IsHttps(address_);
    if (https && !QSslSocket::supportsSsl()) return Outcome::Failed;
    std::unique_ptr<QTcpSocket> socket;
    if (https) {
      auto* ssl = new QSslSocket;
      socket.reset(ssl);
      QObject::connect(ssl, &QSslSocket::encrypted, &loop_, [this] { SendRequest(); });
    } else {
      socket = std::make_unique<QTcpSocket>();
      QObject::connect(socket.get(), &QTcpSocket::connected, &loop_, [this] { SendRequest(); });
    }
    socket_ = socket.get();
    socket_->setReadBufferSize(kSocketBufferBytes);
    QObject::connect(socket_, &QTcpSocket::readyRead, &loop_, [this] { Take(); });
    QObject::connect(socket_, &QTcpSocket::disconnected, &loop_, [this] { Closed(); });
    QObject::connect(socket_, &QAbstractSocket::errorOccurred, &loop_,
                     [this](QAbstractSocket::SocketError error) {
                       if (error == QAbstractSocket::RemoteHostClosedError) {
                         Closed();
                       } else {
                         Finish(false);
                       }
                     });
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop_, [this] { Finish(false); });
    bound.start(std::max<qint64>(0, deadline_.remainingTime()));

    const QString host = address_.host();
    if (https) {
      static_cast<QSslSocket*>(socket_)->connectToHostEncrypted(
          host, static_cast<quint16>(address_.port(443)));
    } else {
      socket_->connectToHost(host, static_cast<quint16>(address_.port(80)));
    }
    if (!done_) loop_.exec(QEventLoop::ExcludeUserInputEvents);
    bound.stop();
    // The connection ends here, whatever the server still sends.
    socket_->disconnect();
    socket_->abort();
    socket_ = nullptr;
    if (!ok_) return Outcome::Failed;
    return redirect_ ? Outcome::Redirect : Outcome::Body;
  }

  QByteArray body;
  QUrl location;  // a redirect's target, as the server gave it

 private:
  enum class State {
    StatusLine, Headers,                       // the head
    ChunkSize, ChunkData, ChunkEnd, Trailers,  // a chunked body
    Length, UntilClose,                        // a body of announced length, or up to the close
    Done
  };

  void SendRequest() {
    QByteArray target = address_.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) target = "/";
    if (address_.hasQuery()) target += '?' + address_.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = address_.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) host = '[' + host + ']';
    if (address_.port() != -1) host += ':' + QByteArray::number(address_.port());
    socket_->write("GET " + target + " HTTP/1.1\r\nHost: " + host +
                   "\r\nUser-Agent: Tranchex\r\nAccept: */*\r\nConnection: close\r\n\r\n");
  }

  void Finish(bool ok) {
    if (done_) return;
    done_ = true;
    ok_ = ok;
    loop_.quit();
  }

  void Take() {
    while (!done_ && socket_ != nullptr && socket_->bytesAvailable() > 0) {
      pending_ += socket_->read(kSocketBufferBytes);
      if (!Parse()) Finish(false);
    }
  }

  void Closed() {
    Take();
    if (done_) return;
    // Only a body without a length ends with the connection; anything else was cut short.
    if (state_ == State::UntilClose) {
      Finish(true);
    } else {
      Finish(false);
    }
  }

  // One line of the head or of the chunk framing, without its line end; nothing while the line
  // is incomplete.
  std::optional<QByteArray> Line() {
    const qsizetype end = pending_.indexOf('\n');
    if (end < 0) return std::nullopt;
    QByteArray line = pending_.left(end);
    pending_.remove(0, end + 1);
    if (line.endsWith('\r')) line.chop(1);
    return line;
  }

  // Consumes what `pending_` holds; false when the answer is refused.
  bool Parse() {
    for (;;) {
      switch (state_) {
        case State::StatusLine:
        case State::Headers:
        case State::Trailers: {
          const qsizetype before = pending_.size();
          std::optional<QByteArray> line = Line();
          if (!line) return headBytes_ + pending_.size() <= kMaxHeaderBytes;
          headBytes_ += before - pending_.size();
          if (headBytes_ > kMaxHeaderBytes) return false;
          if (!HeadLine(*line)) return false;
          if (state_ == State::Done) {
            Finish(true);
            return true;
          }
          break;
        }
        case State::ChunkSize: {
          std::optional<QByteArray> line = Line();
          if (!line) return pending_.size() <= kMaxChunkLineBytes;
          if (line->size() > kMaxChunkLineBytes) return false;
          const qsizetype extension = line->indexOf(';');
          const QByteArray digits = (extension < 0 ? *line : line->left(extension)).trimmed();
          bool isNumber = false;
          const qint64 size = digits.toLongLong(&isNumber, 16);
          if (digits.isEmpty() || !isNumber || size < 0) return false;
          if (size == 0) {
            headBytes_ = 0;
            state_ = State::Trailers;
            break;
          }
          if (size > maxBody_ - body.size()) return false;
          remaining_ = size;
          state_ = State::ChunkData;
          break;
        }
        case State::ChunkData: {
          if (pending_.isEmpty()) return true;
          const qint64 n = std::min<qint64>(remaining_, pending_.size());
          body += pending_.left(n);
          pending_.remove(0, n);
          remaining_ -= n;
          if (remaining_ == 0) state_ = State::ChunkEnd;
          break;
        }
        case State::ChunkEnd: {
          std::optional<QByteArray> line = Line();
          if (!line) return pending_.size() <= 2;
          if (!line->isEmpty()) return false;
          state_ = State::ChunkSize;
          break;
        }
        case State::Length:
        case State::UntilClose: {
          if (pending_.isEmpty()) return true;
          // A body of announced length is that many bytes; anything after them is not read.
          const qint64 room = state_ == State::Length ? length_ - body.size() : pending_.size();
          body += pending_.left(room);
          pending_.clear();
          if (body.size() > maxBody_) return false;
          if (state_ == State::Length && body.size() == length_) Finish(true);
          return true;
        }
        case State::Done:
          return true;
      }
    }
  }

  // A line of the head: the status line, a header, the empty line that ends the head, or a
  // trailer after the last chunk.
  bool HeadLine(const QByteArray& line) {
    if (state_ == State::Trailers) {
      if (line.isEmpty()) state_ = State::Done;
      return true;
    }
    if (state_ == State::StatusLine) {
      const QList<QByteArray> parts = line.split(' ');
      if (parts.size() < 2 || !parts[0].startsWith("HTTP/1.")) return false;
      bool isNumber = false;
      status_ = parts[1].toInt(&isNumber);
      if (!isNumber || parts[1].size() != 3) return false;
      chunked_ = false;
      length_ = -1;
      identity_ = true;
      location.clear();
      state_ = State::Headers;
      return true;
    }
    if (!line.isEmpty()) {
      const qsizetype colon = line.indexOf(':');
      if (colon <= 0) return false;
      const QByteArray name = line.left(colon).trimmed().toLower();
      const QByteArray value = line.mid(colon + 1).trimmed();
      if (name == "transfer-encoding") {
        chunked_ = value.toLower().contains("chunked");
      } else if (name == "content-length") {
        bool isNumber = false;
        const qint64 length = value.toLongLong(&isNumber);
        if (!isNumber || length < 0 || (length_ >= 0 && length != length_)) return false;
        length_ = length;
      } else if (name == "content-encoding") {
        identity_ = value.isEmpty() || value.compare("identity", Qt::CaseInsensitive) == 0;
      } else if (name == "location") {
        location = QUrl::fromEncoded(value);
      }
      return true;
    }
    // The head is complete.
    headBytes_ = 0;
    if (status_ >= 100 && status_ < 200) {  // an interim answer: the real one follows
      state_ = State::StatusLine;
      return true;
    }
    if (status_ >= 300 && status_ < 400 && location.isValid() && !location.isEmpty() &&
        status_ != 304) {
      redirect_ = true;
      state_ = State::Done;
      return true;
    }
    // Refused, not modified, or a body we would not read as it stands.
    if (status_ < 200 || status_ >= 300 || !identity_) return false;
    if (status_ == 204 || status_ == 205) {
      state_ = State::Done;  // no body: the caller takes it as no list
    } else if (chunked_) {
      state_ = State::ChunkSize;
    } else if (length_ >= 0) {
      if (length_ > maxBody_) return false;
      state_ = length_ == 0 ? State::Done : State::Length;
    } else {
      state_ = State::UntilClose;
    }
    return true;
  }

  const QUrl address_;
  const qint64 maxBody_;
  const QDeadlineTimer deadline_;
  QEventLoop loop_;
  QTcpSocket* socket_ = nullptr;
  QByteArray pending_;
  State state_ = State::StatusLine;
  qint64 headBytes_ = 0;
  int status_ = 0;
  bool chunked_ = false;
  bool identity_ = true;
  qint64 length_ = -1;
  qint64 remaining_ = 0;
  bool redirect_ = false;
  bool done_ = false;
  bool ok_ = false;
};

}  // namespace

bool IsWebAddress(const QUrl& address) {
  const QString scheme = address.scheme().toLower();
  return address.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !address.host().isEmpty();
}

bool DownloadToFile(const QUrl& address, const QString& path, const DownloadLimits& limits) {
  // A list that cannot be removed must not pass for a fresh one.
  if (QFileInfo::exists(path) && !QFile::remove(path)) return false;
  if (!IsWebAddress(address)) return false;

  // One bound for the whole transfer, moved pages included.
  const QDeadlineTimer deadline(limits.TimeoutMs);
  QUrl current = address;
  QByteArray body;
  for (int hop = 0;; ++hop) {
    HttpGet get(current, limits.MaxBytes, deadline);
    const HttpGet::Outcome outcome = get.Run();
    if (outcome == HttpGet::Outcome::Failed) return false;
    if (outcome == HttpGet::Outcome::Body) {
      body = std::move(get.body);
      break;
    }
    const QUrl next = current.resolved(get.location);
    // Never from a secure page to a plain one, and never anywhere but the web.
    if (hop >= kMaxRedirects || !IsWebAddress(next) || (IsHttps(current) && !IsHttps(next))) {
      return false;
    }
    current = next;
  }
  // An answer with no body is no list.
  if (body.isEmpty()) return false;

  try {
    WriteFileAtomic(QFile::encodeName(path).toStdString(),
                    std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
  } catch (const std::exception&) {
    return false;
  }
  return QFileInfo::exists(path);
}

}  // namespace tranchex
