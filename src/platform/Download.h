#pragma once
// Fetching a small file from a web server into a file of the data folder, with a bounded wait:
// start-up must never hang on a slow or absent network.

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

namespace tranchex {

struct DownloadLimits {
  // How long the transfer may take in all, and how long it may stay silent, in milliseconds.
  int TimeoutMs = 5000;
  // The largest answer taken; a larger one is dropped.
  qint64 MaxBytes = 64 * 1024;
  // The authorities an https server's certificate must come from; empty: the system's own.
  QList<QSslCertificate> Authorities = {};
};

// Fetches an http or https address into the file. The file is deleted first; it is then written
// whole from a complete answer or not at all, so a failed, empty or cut-short transfer leaves no
// file. Complete means: a 200 status; a body neither encoded nor framed other than in chunks;
// ended as announced, by its length, its last chunk, or a clean close (over https the TLS close,
// over http a close that is no reset); within the limits. The bounds hold whatever the server does:
// at the time bound, or as soon as the head or the body passes its size, the connection is
// closed and the call returns; nothing of the transfer goes on after it. While it waits, the
// caller's thread runs a local event loop that takes no keyboard or mouse input. Moved pages
// are followed a few times, never from https to http. True when the file exists afterwards.
bool DownloadToFile(const QUrl& address, const QString& path, const DownloadLimits& limits = {});

// True for an address that may be fetched or handed to the browser as a web page: http or https
// with a host.
bool IsWebAddress(const QUrl& address);

}  // namespace tranchex
