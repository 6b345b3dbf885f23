#include "tools/jsonrpc_server/self_signed_certificate.h"

#include <openssl/x509v3.h>

#include <stdexcept>

namespace testpeer {

namespace {

void Check(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(std::string("test certificate: ") + what);
}

void AddExtension(X509* cert, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    Check(ext != nullptr, "extension");
    X509_add_ext(cert, ext, -1);
    X509_EXTENSION_free(ext);
}

}  // namespace

TSelfSignedCertificate::TSelfSignedCertificate() {
    key_ = EVP_EC_gen("P-256");
    Check(key_ != nullptr, "key");
    cert_ = X509_new();
    Check(cert_ != nullptr, "certificate");
    X509_set_version(cert_, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert_), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert_), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert_), 7L * 24 * 3600);
    X509_set_pubkey(cert_, key_);
    X509_NAME* name = X509_get_subject_name(cert_);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"),
                               -1, -1, 0);
    X509_set_issuer_name(cert_, name);
    AddExtension(cert_, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    Check(X509_sign(cert_, key_, EVP_sha256()) > 0, "signature");
}

TSelfSignedCertificate::~TSelfSignedCertificate() {
    X509_free(cert_);
    EVP_PKEY_free(key_);
}

}  // namespace testpeer
