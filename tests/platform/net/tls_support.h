// A loopback HTTPS server with a certificate made for the test, and a session that trusts it.
#pragma once

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "tests/platform/net/test_support.h"

namespace net::testing {

// A self-signed certificate for 127.0.0.1, valid for an hour, and its key.
class TestCertificate {
 public:
  TestCertificate() : key_(EVP_EC_gen("P-256"), EVP_PKEY_free), certificate_(X509_new(), X509_free) {
    X509* cert = certificate_.get();
    if (!key_ || !cert) throw std::runtime_error("no key or certificate");
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), -60);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600);
    X509_set_pubkey(cert, key_.get());
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"),
                               -1, -1, 0);
    X509_set_issuer_name(cert, name);
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION* addresses = X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1");
    X509_add_ext(cert, addresses, -1);
    X509_EXTENSION_free(addresses);
    if (X509_sign(cert, key_.get(), EVP_sha256()) == 0) throw std::runtime_error("certificate not signed");
  }

  X509* certificate() const { return certificate_.get(); }
  EVP_PKEY* key() const { return key_.get(); }

  std::string pem() const {
    std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new(BIO_s_mem()), BIO_free);
    PEM_write_bio_X509(out.get(), certificate_.get());
    char* bytes = nullptr;
    long length = BIO_get_mem_data(out.get(), &bytes);
    return std::string(bytes, static_cast<std::size_t>(length));
  }

 private:
  std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key_;
  std::unique_ptr<X509, decltype(&X509_free)> certificate_;
};

// The server keeps its own references to the certificate and key.
inline std::unique_ptr<httplib::Server> tlsServer(const TestCertificate& certificate) {
  return std::make_unique<httplib::SSLServer>(certificate.certificate(), certificate.key());
}

inline std::shared_ptr<Session> sessionTrusting(const TestCertificate& certificate) {
  auto session = Session::make();
  session->setCertificateAuthorityForTesting(certificate.pem());
  return session;
}

}  // namespace net::testing
