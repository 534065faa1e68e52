// E-mail: settings kept and checked, append texts, and real delivery to a
// loopback SMTP server started by the test.
#include <netinet/in.h>
#include <sys/socket.h>

#include "services_test_support.h"

namespace core_test {
namespace {

class MailTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    sink_ = std::make_unique<SmtpSink>(directory_ / "sink");
    ASSERT_NE(sink_->port(), 0) << "the loopback SMTP server did not start";
  }
  void TearDown() override {
    sink_.reset();
    ArrayTest::TearDown();
  }
  int32_t UseSink(std::vector<std::string> to = {"ops@example.test",
                                                 "backup@example.test"}) {
    const EmailInfoRecord settings =
        MakeEmail(sink_->server(), "station@example.test", to);
    return KX_SetEmailInfo(&settings);
  }
  std::string Log(const char* name) { return ReadFile(directory_ / name); }

  std::unique_ptr<SmtpSink> sink_;
};

TEST_F(MailTest, SettingsAreCheckedAndKeptExactly) {
  EmailInfoRecord settings = MakeEmail("mail.example.test:2525", "a@b.test",
                                       {"x@y.test", "z@[192.0.2.1]"});
  // Bytes after each text and after the recipients are not kept.
  std::memset(settings.to[5], 'q', 20);
  ASSERT_EQ(KX_SetEmailInfo(&settings), KX_OK);
  EmailInfoRecord stored;
  std::memset(&stored, 0x55, sizeof stored);
  ASSERT_EQ(KX_GetEmailInfo(&stored), KX_OK);
  std::memset(settings.to[5], 0, 20);
  EXPECT_EQ(std::memcmp(&stored, &settings, sizeof stored), 0);
  // What was read back is accepted unchanged.
  EXPECT_EQ(KX_SetEmailInfo(&stored), KX_OK);

  struct Case {
    EmailInfoRecord record;
    int32_t code;
  };
  EmailInfoRecord too_many = settings;
  too_many.tonum = 21;
  EmailInfoRecord empty_slot = settings;
  empty_slot.tonum = 3;
  EmailInfoRecord unterminated = settings;
  std::memset(unterminated.from, 'a', sizeof unterminated.from);
  const Case cases[] = {
      {MakeEmail("host:0", "a@b.test", {"x@y.test"}), KXE_MAIL_INVALID_SETTING},
      {MakeEmail("bad host", "a@b.test", {"x@y.test"}), KXE_MAIL_INVALID_SETTING},
      {MakeEmail("h.test", "a@b.test", {"x@y.test"}, 2), KXE_MAIL_INVALID_SETTING},
      {MakeEmail("h.test", "a@b.test", {}), KXE_MAIL_INVALID_SETTING},
      {MakeEmail("h.test", "a@b.test", {"x@y.test"}, 1, "-bad"), KXE_MAIL_INVALID_SETTING},
      {MakeEmail("h.test", "a b@c.test", {"x@y.test"}), KXE_MAIL_INVALID_ADDRESS},
      {MakeEmail("h.test", "a@b.test", {"x@y.test\r\nRCPT TO:<e@v.test>"}),
       KXE_MAIL_INVALID_ADDRESS},
      {MakeEmail("h.test", "a@b.test", {"<x@y.test>"}), KXE_MAIL_INVALID_ADDRESS},
      {too_many, KXE_MAIL_INVALID_SETTING},
      {empty_slot, KXE_MAIL_INVALID_SETTING},
      {unterminated, KXE_INVALID_ARGUMENT},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KX_SetEmailInfo(&c.record), c.code) << c.record.smtp << " " << c.record.from;
  }
  ASSERT_EQ(KX_GetEmailInfo(&stored), KX_OK);
  EXPECT_EQ(std::memcmp(&stored, &settings, sizeof stored), 0)
      << "a refused change left something behind";
  // Switched off, incomplete settings may be kept.
  const EmailInfoRecord off = MakeEmail("", "", {}, KX_SERVICE_OFF, "");
  EXPECT_EQ(KX_SetEmailInfo(&off), KX_OK);
}

TEST_F(MailTest, AppendTextIsKeptPerUnitAndReadBackCutBetweenCharacters) {
  // 66 ASCII bytes then a two-byte character: the 67-byte answer must not
  // end in half of it.
  const std::string text = std::string(66, 'a') + "\xC3\xA9" + " tail";
  ASSERT_EQ(KX_SetMailAppendInfo(kUnit, text.c_str()), KX_OK);
  char answer[kMailAppendResultSize];
  std::memset(answer, 0x7F, sizeof answer);
  ASSERT_EQ(KX_GetMailAppendInfo(kUnit, answer), KX_OK);
  EXPECT_EQ(std::string(answer), std::string(66, 'a'));
  EXPECT_EQ(KX_SetMailAppendInfo(kUnit, "bell\x07"), KXE_MAIL_INVALID_TEXT);
  EXPECT_EQ(KX_SetMailAppendInfo(kUnit, "\xC3"), KXE_MAIL_INVALID_TEXT);
  EXPECT_EQ(KX_SetMailAppendInfo("nobody", "x"), KXE_UNKNOWN_UNIT);
  ASSERT_EQ(KX_DelMailAppendInfo(kUnit), KX_OK);
  ASSERT_EQ(KX_GetMailAppendInfo(kUnit, answer), KX_OK);
  EXPECT_EQ(std::string(answer), "");
}

TEST_F(MailTest, MessageArrivesWithHeadersBodyAppendTextAndDotsIntact) {
  ASSERT_EQ(UseSink(), KX_OK);
  ASSERT_EQ(KX_SetMailAppendInfo(kUnit, "-- \nsite: lab 3"), KX_OK);
  // Lines that start with dots must arrive as written: the client stuffs
  // them and the server removes the stuffing.
  const std::string body = "Drive 0/3 is blocked.\n.\n..two dots\n.leading\nend";
  ASSERT_EQ(KX_SendEmail(kUnit, "Alert on array1", body.c_str()), KX_OK);
  ASSERT_TRUE(sink_->Has(1));
  const std::string raw = sink_->Raw(1);
  EXPECT_NE(raw.find("X-Envelope-From: station@example.test\r\n"), std::string::npos);
  EXPECT_NE(raw.find("X-Envelope-To: ops@example.test\r\n"), std::string::npos);
  EXPECT_NE(raw.find("X-Envelope-To: backup@example.test\r\n"), std::string::npos);
  EXPECT_NE(raw.find("\r\nFrom: <station@example.test>\r\n"), std::string::npos);
  EXPECT_NE(raw.find("\r\nTo: <ops@example.test>,\r\n <backup@example.test>\r\n"),
            std::string::npos);
  EXPECT_NE(raw.find("\r\nMessage-ID: <"), std::string::npos);
  EXPECT_NE(raw.find("@station.test>\r\n"), std::string::npos);
  EXPECT_EQ(sink_->Decoded(1),
            "Alert on array1\nDrive 0/3 is blocked.\n.\n..two dots\n.leading\n"
            "end\n-- \nsite: lab 3\n");
  EXPECT_NE(Log("application.log").find("\"Alert on array1\" to 2 recipient(s) via " +
                                        sink_->server() + ": sent"),
            std::string::npos);

  // Without a unit no append text; a non-ASCII subject and an overlong line
  // are encoded and arrive unchanged; Java's surrogate pair form becomes one
  // character.
  const std::string subject = "Störung \xED\xA0\xBD\xED\xB8\x80";  // U+1F600
  const std::string long_line(1500, 'L');
  ASSERT_EQ(KX_SendEmail("", subject.c_str(), long_line.c_str()), KX_OK);
  EXPECT_EQ(sink_->Decoded(2), "Störung \xF0\x9F\x98\x80\n" + long_line + "\n");
  EXPECT_NE(sink_->Raw(2).find("quoted-printable"), std::string::npos);
  EXPECT_EQ(KX_SendEmail("nobody", "s", "b"), KXE_UNKNOWN_UNIT);
}

TEST_F(MailTest, HeaderInjectionAndMalformedTextAreRefusedBeforeSending) {
  ASSERT_EQ(UseSink(), KX_OK);
  EXPECT_EQ(KX_SendEmail("", "hi\r\nBcc: victim@example.test", "body"),
            KXE_MAIL_INVALID_TEXT);
  EXPECT_EQ(KX_SendEmail("", "hi\nX: y", "body"), KXE_MAIL_INVALID_TEXT);
  EXPECT_EQ(KX_SendEmail("", "ok", "bad \xFF byte"), KXE_MAIL_INVALID_TEXT);
  EXPECT_FALSE(sink_->Has(1));
}

TEST_F(MailTest, FailuresHaveTheirOwnCodes) {
  // Switched off: the stored settings send nothing, the test message does.
  EmailInfoRecord settings = MakeEmail(sink_->server(), "station@example.test",
                                       {"ops@example.test"}, KX_SERVICE_OFF);
  ASSERT_EQ(KX_SetEmailInfo(&settings), KX_OK);
  EXPECT_EQ(KX_SendEmail("", "s", "b"), KXE_MAIL_OFF);
  char body[kMailTestBodySize] = "test body";
  ASSERT_EQ(KX_SendEmailTest(kUnit, &settings, "test subject", body), KX_OK);
  EXPECT_EQ(sink_->Decoded(1), "test subject\ntest body\n");

  // A refused recipient.
  ASSERT_EQ(UseSink({"ops@example.test", "refused@example.test"}), KX_OK);
  EXPECT_EQ(KX_SendEmail("", "s", "b"), KXE_MAIL_RECIPIENT_REFUSED);
  EXPECT_FALSE(sink_->Has(2));
  EXPECT_NE(Log("error.log").find("550"), std::string::npos) << Log("error.log");

  // Nobody listening: a port that was free a moment ago.
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  socklen_t length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  const std::string silent = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
  settings = MakeEmail(silent, "station@example.test", {"ops@example.test"});
  EXPECT_EQ(KX_SendEmailTest("", &settings, "s", body), KXE_MAIL_SERVER_UNREACHABLE);

  // A server that accepts the connection but never greets.
  ASSERT_EQ(listen(listener, 4), 0);
  SetEnv("KX_MAIL_TIMEOUT_SECONDS", "1");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(KX_SendEmailTest("", &settings, "s", body), KXE_MAIL_TIMEOUT);
  SetEnv("KX_MAIL_TIMEOUT_SECONDS", nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  close(listener);
}

}  // namespace
}  // namespace core_test
