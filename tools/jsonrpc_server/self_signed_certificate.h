#pragma once
// A throw-away key and self-signed certificate for 127.0.0.1 and localhost, made in memory.
#include <openssl/evp.h>
#include <openssl/x509.h>

namespace testpeer {

class TSelfSignedCertificate {
  public:
    TSelfSignedCertificate();  // throws std::runtime_error when OpenSSL fails
    ~TSelfSignedCertificate();
    TSelfSignedCertificate(const TSelfSignedCertificate&) = delete;
    TSelfSignedCertificate& operator=(const TSelfSignedCertificate&) = delete;

    X509* Certificate() const { return cert_; }
    EVP_PKEY* Key() const { return key_; }

  private:
    EVP_PKEY* key_ = nullptr;
    X509* cert_ = nullptr;
};

}  // namespace testpeer
