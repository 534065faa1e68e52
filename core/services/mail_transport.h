// Handing a composed message to an SMTP server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tesk740 {

// How the station uses TLS on the way to the server (KX_MAIL_TLS).
enum class MailTls {
  // STARTTLS whenever the server offers it, with any certificate; in clear
  // when it offers none.
  kOpportunistic,
  // STARTTLS or nothing is sent, and the server's certificate must verify
  // for its configured name.
  kRequired,
};

struct MailDelivery {
  std::string host;  // name, IPv4 address, or IPv6 address in brackets
  int port = 25;
  std::string helo;  // the name the station greets the server with
  std::string from;
  std::vector<std::string> recipients;
  std::string message;  // headers and body, CRLF line ends, not dot-stuffed
  int timeout_seconds = 30;
  MailTls tls = MailTls::kOpportunistic;
  // Certificates (PEM) that stand in for the system's trust store when TLS
  // is required; empty: the system's own.
  std::string ca_file;
};

struct MailReport {
  std::string diagnostic;  // a line for the logs
  bool encrypted = false;  // the message went after a STARTTLS handshake
};

// Delivers the message: KX_OK or a KXE_MAIL_ code (unreachable server,
// timeout, TLS not available where required or failed, refused sender or
// recipient, refused message).
int32_t DeliverMail(const MailDelivery& delivery, MailReport* report);

}  // namespace tesk740
