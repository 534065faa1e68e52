// SMTP delivery through libcurl where the build has it; a build without it
// answers KXE_MAIL_NOT_AVAILABLE.
#include "services/mail_transport.h"

#include "kx_errors.h"

#if defined(KX_HAVE_CURL)

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <mutex>

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
// apart by what was refused (the client says QUIT after it).
struct Conversation {
  std::string last_command;
  std::string last_reply;
  std::string refused_command;
  std::string refusal;
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
    if (conversation->refusal.empty() && !reply.empty() &&
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

}  // namespace

int32_t DeliverMail(const MailDelivery& delivery, std::string* diagnostic) {
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

  const CURLcode result = curl_easy_perform(handle);
  if (result == CURLE_OK) {
    *diagnostic = conversation.last_reply;
    return KX_OK;
  }
  *diagnostic = std::string(curl_easy_strerror(result));
  const std::string& reply = conversation.refusal.empty()
                                 ? conversation.last_reply
                                 : conversation.refusal;
  if (!reply.empty()) *diagnostic += " (server: " + reply + ")";
  switch (result) {
    case CURLE_OPERATION_TIMEDOUT:
      return KXE_MAIL_TIMEOUT;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
      return KXE_MAIL_SERVER_UNREACHABLE;
    default:
      break;
  }
  if (conversation.refused_command == "RCPT") return KXE_MAIL_RECIPIENT_REFUSED;
  if (conversation.refused_command == "MAIL") return KXE_MAIL_SENDER_REFUSED;
  return KXE_MAIL_REJECTED;
}

}  // namespace tesk740

#else  // !KX_HAVE_CURL

namespace tesk740 {

int32_t DeliverMail(const MailDelivery&, std::string* diagnostic) {
  *diagnostic = "this build has no SMTP client";
  return KXE_MAIL_NOT_AVAILABLE;
}

}  // namespace tesk740

#endif
