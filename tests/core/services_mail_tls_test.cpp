// E-mail and TLS: STARTTLS whenever the loopback server offers it, clear
// text only where TLS is not required, and a required TLS that cannot be had
// (not offered, certificate not trusted) refused before anything is sent.
#include "services_test_support.h"

namespace core_test {
namespace {

class MailTlsTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    // A throwaway self-signed certificate for 127.0.0.1.
    certificate_ = (directory_ / "sink-cert.pem").string();
    key_ = (directory_ / "sink-key.pem").string();
    const pid_t openssl =
        Spawn({"/usr/bin/openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
               "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2", "-subj",
               "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
               "-keyout", key_, "-out", certificate_});
    ASSERT_EQ(WaitExit(openssl), 0) << "openssl could not make a certificate";
    plain_ = std::make_unique<SmtpSink>(directory_ / "plain");
    tls_ = std::make_unique<SmtpSink>(
        directory_ / "tls", std::vector<std::string>{"--tls-cert", certificate_,
                                                     "--tls-key", key_});
    ASSERT_NE(plain_->port(), 0) << "the loopback SMTP server did not start";
    ASSERT_NE(tls_->port(), 0) << "the loopback SMTP server did not start";
  }
  void TearDown() override {
    SetEnv("KX_MAIL_TLS", nullptr);
    SetEnv("KX_MAIL_CA_FILE", nullptr);
    plain_.reset();
    tls_.reset();
    ArrayTest::TearDown();
  }
  int32_t SendVia(const SmtpSink& sink, const char* subject,
                  const char* to = "ops@example.test") {
    const EmailInfoRecord settings =
        MakeEmail(sink.server(), "station@example.test", {to});
    char body[kMailTestBodySize] = "drive 0/3 blocked";
    return KX_SendEmailTest("", &settings, subject, body);
  }
  std::string Log(const char* name) { return ReadFile(directory_ / name); }

  std::string certificate_;
  std::string key_;
  std::unique_ptr<SmtpSink> plain_;
  std::unique_ptr<SmtpSink> tls_;
};

TEST_F(MailTlsTest, OpportunisticUsesStartTlsWhenOfferedAndClearTextOtherwise) {
  // The default: a self-signed certificate does not stop the mail.
  ASSERT_EQ(SendVia(*tls_, "over tls"), KX_OK) << Log("error.log");
  ASSERT_TRUE(tls_->Has(1));
  EXPECT_NE(tls_->Raw(1).find("X-Envelope-TLS: yes\r\n"), std::string::npos);
  EXPECT_EQ(tls_->Decoded(1), "over tls\ndrive 0/3 blocked\n");
  EXPECT_NE(Log("application.log")
                .find("\"over tls\" to 1 recipient(s) via " + tls_->server() +
                      ": sent over TLS"),
            std::string::npos)
      << Log("application.log");

  // A server without STARTTLS still gets the mail, and the log says how.
  SetEnv("KX_MAIL_TLS", "opportunistic");
  ASSERT_EQ(SendVia(*plain_, "in clear"), KX_OK) << Log("error.log");
  EXPECT_EQ(plain_->Decoded(1), "in clear\ndrive 0/3 blocked\n");
  EXPECT_NE(Log("application.log")
                .find("\"in clear\" to 1 recipient(s) via " + plain_->server() +
                      ": sent in clear"),
            std::string::npos);

  // Over TLS a refusal is still told apart by what was refused.
  EXPECT_EQ(SendVia(*tls_, "refused", "refused@example.test"),
            KXE_MAIL_RECIPIENT_REFUSED);

  // The stored settings take the same way.
  const EmailInfoRecord stored =
      MakeEmail(tls_->server(), "station@example.test", {"ops@example.test"});
  ASSERT_EQ(KX_SetEmailInfo(&stored), KX_OK);
  ASSERT_EQ(KX_SendEmail(kUnit, "stored", "body"), KX_OK);
  EXPECT_NE(tls_->Raw(2).find("X-Envelope-TLS: yes\r\n"), std::string::npos);
}

TEST_F(MailTlsTest, RequiredTlsRefusesClearTextAndUntrustedCertificates) {
  SetEnv("KX_MAIL_TLS", "required");
  // No STARTTLS offered: nothing goes in clear.
  EXPECT_EQ(SendVia(*plain_, "must not arrive"), KXE_MAIL_TLS_FAILED);
  EXPECT_FALSE(plain_->Has(1));
  EXPECT_NE(Log("error.log").find("STARTTLS"), std::string::npos)
      << Log("error.log");

  // Offered, but the certificate is not trusted by the system.
  EXPECT_EQ(SendVia(*tls_, "must not arrive"), KXE_MAIL_TLS_FAILED);
  EXPECT_FALSE(tls_->Has(1));

  // Trusted through KX_MAIL_CA_FILE: delivered, encrypted.
  SetEnv("KX_MAIL_CA_FILE", certificate_.c_str());
  ASSERT_EQ(SendVia(*tls_, "trusted"), KX_OK) << Log("error.log");
  EXPECT_NE(tls_->Raw(1).find("X-Envelope-TLS: yes\r\n"), std::string::npos);

  // A CA path that is not a regular file is refused before connecting.
  SetEnv("KX_MAIL_CA_FILE", directory_.string().c_str());
  EXPECT_EQ(SendVia(*tls_, "must not arrive"), KXE_MAIL_TLS_FAILED);
  EXPECT_FALSE(tls_->Has(2));
  EXPECT_NE(Log("error.log").find("is not a regular file"), std::string::npos);

  // A misspelt setting requires TLS rather than falling back to clear text.
  SetEnv("KX_MAIL_CA_FILE", nullptr);
  SetEnv("KX_MAIL_TLS", "requried");
  EXPECT_EQ(SendVia(*plain_, "must not arrive"), KXE_MAIL_TLS_FAILED);
  EXPECT_FALSE(plain_->Has(1));
  EXPECT_NE(Log("error.log").find("neither opportunistic nor required"),
            std::string::npos);
}

}  // namespace
}  // namespace core_test
