// SMTP delivery through libcurl (OpenSSL on Linux, Schannel on Windows),
// with STARTTLS whenever the server offers it.
#include "services/mail_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <mutex>

#include "kx_errors.h"

namespace tesk740 {
namespace {

struct Upload {
  const std::string* message;
  size_t offset = 0;
};

size_t ReadMessage(char* buffer, size_t size, size_t count, void* user) {
  auto* upload = static_cast<Upload*>(user);
  const size_t room = size * count;
  const size_t left = upload->message->size() - upload->offset;
  const size_t length = std::min(room, left);
  std::memcpy(buffer, upload->message->data() + upload->offset, length);
  upload->offset += length;
  return length;
}

// The SMTP command the client sent last ("MAIL", "RCPT", "DATA", ...) and
// the first refusal with the command it answered, so a refusal can be told
// apart by what was refused (the client says QUIT after it). A refused EHLO
// or STARTTLS is not counted: the client goes on with HELO, or in clear.
struct Conversation {
  std::string last_command;
  std::string last_reply;
  std::string refused_command;
  std::string refusal;
  bool starttls_accepted = false;
};

int Observe(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  auto* conversation = static_cast<Conversation*>(user);
  if (type == CURLINFO_HEADER_OUT && size >= 4) {
    conversation->last_command.assign(data, 4);
    for (char& c : conversation->last_command) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  } else if (type == CURLINFO_HEADER_IN) {
    std::string reply(data, size);
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) {
      reply.pop_back();
    }
    conversation->last_reply = reply;
    const bool recoverable = conversation->last_command == "EHLO" ||
                             conversation->last_command == "STAR";
    if (conversation->last_command == "STAR" && reply.rfind("220", 0) == 0) {
      conversation->starttls_accepted = true;
    }
    if (conversation->refusal.empty() && !recoverable && !reply.empty() &&
        (reply[0] == '4' || reply[0] == '5')) {
      conversation->refusal = reply;
      conversation->refused_command = conversation->last_command;
    }
  }
  return 0;
}

struct EasyCleanup {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// TLS failures: STARTTLS required but not offered or refused, a failed
// handshake, a certificate that does not verify.
bool IsTlsFailure(CURLcode result) {
  switch (result) {
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ISSUER_ERROR:
      return true;
    default:
      return false;
  }
}

void SetTls(CURL* handle, const MailDelivery& delivery) {
  if (delivery.tls == MailTls::kRequired) {
    curl_easy_setopt(handle, CURLOPT_USE_SSL,
                     static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!delivery.ca_file.empty()) {
      curl_easy_setopt(handle, CURLOPT_CAINFO, delivery.ca_file.c_str());
    }
    // Schannel: a certificate of an internal authority that publishes no
    // revocation list is not refused for that alone (other TLS back ends
    // ignore the option).
    curl_easy_setopt(handle, CURLOPT_SSL_OPTIONS,
                     static_cast<long>(CURLSSLOPT_REVOKE_BEST_EFFORT));
    return;
  }
  // Opportunistic: encrypted whenever the server can, so a passive listener
  // reads nothing. Checking the certificate here would add nothing against
  // an active attacker, who can strip the STARTTLS offer anyway, and would
  // lose alert mail to relays with self-signed certificates.
  curl_easy_setopt(handle, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);
}

}  // namespace

int32_t DeliverMail(const MailDelivery& delivery, MailReport* report) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  std::unique_ptr<CURL, EasyCleanup> curl(curl_easy_init());
  if (!curl) return KXE_INTERNAL;
  std::unique_ptr<curl_slist, ListCleanup> recipients;
  for (const std::string& recipient : delivery.recipients) {
    curl_slist* grown =
        curl_slist_append(recipients.get(), ("<" + recipient + ">").c_str());
    if (grown == nullptr) return KXE_INTERNAL;
    recipients.release();
    recipients.reset(grown);
  }
  // The URL's path is the name the client greets the server with.
  const std::string url = "smtp://" + delivery.host + ":" +
                          std::to_string(delivery.port) + "/" + delivery.helo;
  const std::string from = "<" + delivery.from + ">";
  Upload upload{&delivery.message};
  Conversation conversation;
  CURL* handle = curl.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp");
  // Straight to the configured server: no proxy from the environment.
  curl_easy_setopt(handle, CURLOPT_PROXY, "");
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
  curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle, CURLOPT_READFUNCTION, ReadMessage);
  curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
  curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE,
                   static_cast<curl_off_t>(delivery.message.size()));
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, static_cast<long>(delivery.timeout_seconds));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(delivery.timeout_seconds));
  curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, Observe);
  curl_easy_setopt(handle, CURLOPT_DEBUGDATA, &conversation);
  curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);
  SetTls(handle, delivery);
  // curl's own account of a failure, more precise than its code's text
  // (which certificate check failed, what the server lacked).
  char detail[CURL_ERROR_SIZE] = "";
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, detail);

  const CURLcode result = curl_easy_perform(handle);
  report->encrypted = conversation.starttls_accepted;
  if (result == CURLE_OK) {
    report->diagnostic = conversation.last_reply;
    return KX_OK;
  }
  std::string& diagnostic = report->diagnostic;
  diagnostic = detail[0] != '\0' ? std::string(detail)
                                 : std::string(curl_easy_strerror(result));
  const std::string& reply = conversation.refusal.empty()
                                 ? conversation.last_reply
                                 : conversation.refusal;
  if (!reply.empty()) diagnostic += " (server: " + reply + ")";
  switch (result) {
    case CURLE_OPERATION_TIMEDOUT:
      return KXE_MAIL_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
      return KXE_MAIL_SERVER_UNREACHABLE;
    default:
      break;
  }
  if (IsTlsFailure(result)) return KXE_MAIL_TLS_FAILED;
  if (conversation.refused_command == "RCPT") return KXE_MAIL_RECIPIENT_REFUSED;
  if (conversation.refused_command == "MAIL") return KXE_MAIL_SENDER_REFUSED;
  return KXE_MAIL_REJECTED;
}

}  // namespace tesk740
