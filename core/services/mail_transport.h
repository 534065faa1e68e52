// Handing a composed message to an SMTP server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tesk740 {

struct MailDelivery {
  std::string host;  // name, IPv4 address, or IPv6 address in brackets
  int port = 25;
  std::string helo;  // the name the station greets the server with
  std::string from;
  std::vector<std::string> recipients;
  std::string message;  // headers and body, CRLF line ends, not dot-stuffed
  int timeout_seconds = 30;
};

// Delivers the message: KX_OK or a KXE_MAIL_ code (unreachable server,
// timeout, refused sender or recipient, refused message, or no SMTP client
// in this build). `diagnostic` receives a line for the logs.
int32_t DeliverMail(const MailDelivery& delivery, std::string* diagnostic);

}  // namespace tesk740
