#include "platform/Download.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <exception>

#include "platform/FileIO.h"

namespace tranchex {

bool IsWebAddress(const QUrl& address) {
  const QString scheme = address.scheme().toLower();
  return address.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !address.host().isEmpty();
}

bool DownloadToFile(const QUrl& address, const QString& path, const DownloadLimits& limits) {
  // A list that cannot be removed must not pass for a fresh one.
  if (QFileInfo::exists(path) && !QFile::remove(path)) return false;
  if (!IsWebAddress(address)) return false;

  QNetworkAccessManager manager;
  QNetworkRequest request(address);
  request.setTransferTimeout(limits.TimeoutMs);
  QNetworkReply* reply = manager.get(request);

  QByteArray body;
  bool tooLarge = false;
  auto take = [&] {
    body += reply->readAll();
    if (body.size() > limits.MaxBytes) {
      tooLarge = true;
      reply->abort();
    }
  };
  QObject::connect(reply, &QNetworkReply::readyRead, reply, take);

  // The transfer timeout ends a silent server; the deadline ends one that trickles.
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, reply, [reply] { reply->abort(); });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  deadline.start(limits.TimeoutMs);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  deadline.stop();

  // A silent, cut-short or refused answer ends with an error, and so does one cut off for its
  // size; what is left of a finished answer is taken under the same bound.
  const bool finished = reply->error() == QNetworkReply::NoError;
  if (finished) take();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const bool complete = finished && !tooLarge && status >= 200 && status < 300;
  delete reply;
  if (!complete) return false;

  try {
    WriteFileAtomic(QFile::encodeName(path).toStdString(),
                    std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
  } catch (const std::exception&) {
    return false;
  }
  return QFileInfo::exists(path);
}

}  // namespace tranchex
