#pragma once
// A certificate authority made for one test with openssl, and server certificates for a loopback
// https server: one from the authority for 127.0.0.1, one from the authority for another host
// name, and one for 127.0.0.1 signed by itself. Valid for two days; the keys are small EC keys,
// made in a fraction of a second.
//
//   test::TestAuthority ca(dir.path());
//   ASSERT_TRUE(ca.made()) << ca.log();
//   LoopbackHttpServer server(ca.Server(test::TestAuthority::Kind::Trusted));
//   limits.Authorities = {ca.Authority()};

#include <QFile>
#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tranchex::test {

class TestAuthority {
 public:
  enum class Kind { Trusted, WrongHost, SelfSigned };

  explicit TestAuthority(const std::filesystem::path& dir) : dir_(dir) {
    const std::filesystem::path script = dir_ / "make-certificates.sh";
    std::ofstream(script) << R"(set -e
K="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
openssl req -x509 $K -keyout ca.key -out ca.pem -days 2 -subj "/CN=Tranchex test authority"
openssl req -new $K -keyout trusted.key -out trusted.csr -subj "/CN=127.0.0.1"
printf 'subjectAltName=IP:127.0.0.1\n' > trusted.ext
openssl x509 -req -in trusted.csr -CA ca.pem -CAkey ca.key -set_serial 2 -days 2 \
  -extfile trusted.ext -out trusted.pem
openssl req -new $K -keyout wrong.key -out wrong.csr -subj "/CN=autre.invalid"
printf 'subjectAltName=DNS:autre.invalid\n' > wrong.ext
openssl x509 -req -in wrong.csr -CA ca.pem -CAkey ca.key -set_serial 3 -days 2 \
  -extfile wrong.ext -out wrong.pem
openssl req -x509 $K -keyout self.key -out self.pem -days 2 -subj "/CN=127.0.0.1" \
  -addext "subjectAltName=IP:127.0.0.1"
)";
    const std::string command = "cd '" + dir_.string() + "' && sh make-certificates.sh > openssl.log 2>&1";
    made_ = std::system(command.c_str()) == 0 && !Authority().isNull();
  }

  bool made() const { return made_; }
  // What openssl said, for a failure message.
  std::string log() const {
    std::ifstream in(dir_ / "openssl.log");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  QSslCertificate Authority() const {
    const QList<QSslCertificate> all = QSslCertificate::fromPath(Path("ca.pem"));
    return all.isEmpty() ? QSslCertificate() : all.first();
  }

  // What a server shows: its certificate and its key.
  QSslConfiguration Server(Kind kind) const {
    const char* name = kind == Kind::Trusted ? "trusted" : kind == Kind::WrongHost ? "wrong" : "self";
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QFile key(Path(std::string(name) + ".key"));
    if (key.open(QIODevice::ReadOnly)) configuration.setPrivateKey(QSslKey(key.readAll(), QSsl::Ec));
    const QList<QSslCertificate> certificate =
        QSslCertificate::fromPath(Path(std::string(name) + ".pem"));
    if (!certificate.isEmpty()) configuration.setLocalCertificate(certificate.first());
    return configuration;
  }

 private:
  QString Path(const std::string& name) const {
    return QString::fromStdString((dir_ / name).string());
  }

  std::filesystem::path dir_;
  bool made_ = false;
};

}  // namespace tranchex::test
