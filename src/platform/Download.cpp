#include "platform/Download.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cerrno>
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

// A length or a chunk size as HTTP writes it: digits only, no sign, no "0x", no spaces, and few
// enough of them to fit; -1 for anything else.
qint64 ReadSize(const QByteArray& text, int base) {
  if (text.isEmpty() || text.size() > 15) return -1;
  for (const char c : text) {
    const bool digit = c >= '0' && c <= '9';
    const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!digit && !(base == 16 && hex)) return -1;
  }
  bool isNumber = false;
  const qint64 size = text.toLongLong(&isNumber, base);
  return isNumber ? size : -1;
}

// One GET of one address, answered, refused or cut off at the deadline.
class HttpGet {
 public:
  enum class Outcome { Body, Redirect, Failed };

  HttpGet(const QUrl& address, const DownloadLimits& limits, const QDeadlineTimer& deadline)
      : address_(address), limits_(limits), deadline_(deadline) {}

  ~HttpGet() {
    if (plainFd_ >= 0) ::close(plainFd_);
  }

  Outcome Run() {
    if (deadline_.hasExpired()) return Outcome::Failed;
    const bool https = IsHttps(address_);
    if (https && !QSslSocket::supportsSsl()) return Outcome::Failed;
    std::unique_ptr<QTcpSocket> socket;
    if (https) {
      auto* ssl = new QSslSocket;
      socket.reset(ssl);
      if (!limits_.Authorities.isEmpty()) {
        QSslConfiguration configuration = ssl->sslConfiguration();
        configuration.setCaCertificates(limits_.Authorities);
        ssl->setSslConfiguration(configuration);
      }
      QObject::connect(ssl, &QSslSocket::encrypted, &loop_, [this] { SendRequest(); });
      // The TLS close tells a body sent whole from a connection cut under it.
      QObject::connect(ssl, &QSslSocket::alertReceived, &loop_,
                       [this](QSsl::AlertLevel, QSsl::AlertType type, const QString&) {
                         if (type == QSsl::AlertType::CloseNotify) cleanClose_ = true;
                       });
      QObject::connect(socket.get(), &QTcpSocket::readyRead, &loop_, [this] { Take(); });
      QObject::connect(socket.get(), &QTcpSocket::disconnected, &loop_, [this] { Closed(); });
    } else {
      socket = std::make_unique<QTcpSocket>();
      QObject::connect(socket.get(), &QTcpSocket::connected, &loop_, [this] { ReadPlainItself(); });
    }
    socket_ = socket.get();
    socket_->setReadBufferSize(kSocketBufferBytes);
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
    plainReader_.reset();
    if (plainFd_ >= 0) {
      ::close(plainFd_);
      plainFd_ = -1;
    }
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

  QByteArray RequestText() const {
    QByteArray target = address_.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) target = "/";
    if (address_.hasQuery()) target += '?' + address_.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = address_.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':')) host = '[' + host + ']';
    if (address_.port() != -1) host += ':' + QByteArray::number(address_.port());
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: Tranchex\r\nAccept: */*\r\nAccept-Encoding: identity"
           "\r\nConnection: close\r\n\r\n";
  }

  void SendRequest() { socket_->write(RequestText()); }

  // Qt reads a reset connection as one closed cleanly: over plain http the connection is read
  // from its descriptor here, where a reset shows. The socket only made the connection.
  void ReadPlainItself() {
    plainFd_ = ::fcntl(static_cast<int>(socket_->socketDescriptor()), F_DUPFD_CLOEXEC, 0);
    socket_->disconnect();
    socket_->abort();  // closes Qt's descriptor; the connection lives on in ours
    if (plainFd_ < 0) {
      Finish(false);
      return;
    }
    ::fcntl(plainFd_, F_SETFL, ::fcntl(plainFd_, F_GETFL) | O_NONBLOCK);
    const QByteArray request = RequestText();
    // A fresh connection takes a request this small at once.
    if (::send(plainFd_, request.constData(), static_cast<std::size_t>(request.size()),
               MSG_NOSIGNAL) != request.size()) {
      Finish(false);
      return;
    }
    plainReader_ = std::make_unique<QSocketNotifier>(plainFd_, QSocketNotifier::Read);
    QObject::connect(plainReader_.get(), &QSocketNotifier::activated, &loop_,
                     [this] { TakePlain(); });
  }

  void TakePlain() {
    char buffer[16 * 1024];
    // A few reads a turn: the time bound is looked at between turns.
    for (int i = 0; i < 16 && !done_; ++i) {
      const ssize_t n = ::recv(plainFd_, buffer, sizeof buffer, 0);
      if (n > 0) {
        Feed(QByteArray(buffer, n));
      } else if (n == 0) {
        cleanClose_ = true;
        Closed();
      } else if (errno == EINTR) {
        continue;
      } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
        return;
      } else {
        Closed();  // reset: not the clean close a body without length ends with
      }
    }
  }

  void Finish(bool ok) {
    if (done_) return;
    done_ = true;
    ok_ = ok;
    if (plainReader_) plainReader_->setEnabled(false);
    loop_.quit();
  }

  void Take() {
    while (!done_ && socket_ != nullptr && socket_->bytesAvailable() > 0) {
      Feed(socket_->read(kSocketBufferBytes));
    }
  }

  void Feed(const QByteArray& bytes) {
    wireBytes_ += bytes.size();
    pending_ += bytes;
    // Framing counts too: a body in tiny chunks with long extensions is bounded as well.
    if (wireBytes_ > 4 * limits_.MaxBytes + 2 * kMaxHeaderBytes || !Parse()) Finish(false);
  }

  void Closed() {
    if (socket_ != nullptr && plainFd_ < 0) Take();
    if (done_) return;
    // Only a body without a length ends with the connection, and only with a clean close:
    // anything else was cut short.
    Finish(state_ == State::UntilClose && cleanClose_);
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
          const qint64 size = ReadSize(digits, 16);
          if (size < 0) return false;
          if (size == 0) {
            headBytes_ = 0;
            state_ = State::Trailers;
            break;
          }
          if (size > limits_.MaxBytes - body.size()) return false;
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
          if (body.size() > limits_.MaxBytes) return false;
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
      framedOtherwise_ = false;
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
        // Chunks alone are read; any other framing, or chunks given twice, is not.
        if (chunked_ || value.compare("chunked", Qt::CaseInsensitive) != 0) {
          framedOtherwise_ = true;
        }
        chunked_ = true;
      } else if (name == "content-length") {
        const qint64 length = ReadSize(value, 10);
        if (length < 0 || (length_ >= 0 && length != length_)) return false;
        length_ = length;
      } else if (name == "content-encoding") {
        identity_ = identity_ &&
                    (value.isEmpty() || value.compare("identity", Qt::CaseInsensitive) == 0);
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
    // Only the whole list is a list: a part of it (206), no content, a refusal, or a body
    // encoded or framed in a way we do not read is none.
    if (status_ != 200 || !identity_ || framedOtherwise_) return false;
    if (chunked_) {
      state_ = State::ChunkSize;
    } else if (length_ >= 0) {
      if (length_ > limits_.MaxBytes) return false;
      state_ = length_ == 0 ? State::Done : State::Length;
    } else {
      state_ = State::UntilClose;
    }
    return true;
  }

  const QUrl address_;
  const DownloadLimits& limits_;
  const QDeadlineTimer deadline_;
  QEventLoop loop_;
  QTcpSocket* socket_ = nullptr;
  int plainFd_ = -1;
  std::unique_ptr<QSocketNotifier> plainReader_;
  bool cleanClose_ = false;
  qint64 wireBytes_ = 0;
  bool framedOtherwise_ = false;
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
    HttpGet get(current, limits, deadline);
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
