#pragma once
// An address opener that starts no browser: it records the addresses asked for and answers as
// told (opened, or the browser failed to start).

#include <QUrl>
#include <vector>

#include "platform/HelpPages.h"

namespace tranchex::test {

class RecordingUrlOpener : public UrlOpener {
 public:
  bool OpenUrl(const QUrl& url) override {
    urls.push_back(url);
    return opens;
  }
  std::vector<QUrl> urls;
  bool opens = true;  // false: as when no browser can be started
};

}  // namespace tranchex::test
