// E-mail: the station's settings, the per-unit append texts, composing a
// message and handing it to the configured SMTP server.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_services.h"
#include "model/clock.h"
#include "model/registry.h"
#include "services/mail_transport.h"
#include "services/platform.h"
#include "services/services.h"
#include "station/fixed_text.h"
#include "station/settings.h"

namespace tesk740 {
namespace {

constexpr char kEmailSetting[] = "email";
constexpr int kDefaultMailTimeoutSeconds = 30;
// RFC 5322 limit of a line, without its CRLF.
constexpr size_t kMaxLineLength = 998;

struct MailSettings {
  bool on = false;
  std::string domain;
  std::string host;
  int port = KX_SMTP_DEFAULT_PORT;
  std::string server;  // as configured, for the logs
  std::string from;
  std::vector<std::string> to;
};

bool IsAtext(char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
      (c >= '0' && c <= '9')) {
    return true;
  }
  return std::string_view("!#$%&'*+-/=?^_`{|}~").find(c) !=
         std::string_view::npos;
}

// local-part@domain: a dot-atom local part of at most 64 bytes, and a host
// name or a bracketed IPv4 address.
bool IsAddress(std::string_view text) {
  const size_t at = text.rfind('@');
  if (at == std::string_view::npos || at == 0 || at > 64) return false;
  const std::string_view local = text.substr(0, at);
  const std::string_view domain = text.substr(at + 1);
  if (local.front() == '.' || local.back() == '.' ||
      local.find("..") != std::string_view::npos) {
    return false;
  }
  for (char c : local) {
    if (c != '.' && !IsAtext(c)) return false;
  }
  if (domain.size() > 2 && domain.front() == '[' && domain.back() == ']') {
    std::string host;
    int port;
    return ParseHostPort(domain.substr(1, domain.size() - 2), 25, &host, &port) &&
           domain.find(':') == std::string_view::npos;
  }
  return IsHostName(domain);
}

// Checks an e-mail record. `complete`: a server, a sender and a recipient
// are required (settings switched on, and every message sent).
int32_t ParseSettings(const EmailInfoRecord& record, bool complete,
                      MailSettings* settings) {
  if (record.on_off != KX_SERVICE_OFF && record.on_off != KX_SERVICE_ON) {
    return KXE_MAIL_INVALID_SETTING;
  }
  std::string server;
  if (!ReadFixedText(record.domain, sizeof record.domain, &settings->domain) ||
      !ReadFixedText(record.smtp, sizeof record.smtp, &server) ||
      !ReadFixedText(record.from, sizeof record.from, &settings->from)) {
    return KXE_INVALID_ARGUMENT;
  }
  settings->on = record.on_off == KX_SERVICE_ON;
  settings->server = server;
  if (!settings->domain.empty() && !IsHostName(settings->domain)) {
    return KXE_MAIL_INVALID_SETTING;
  }
  if (!server.empty() && !ParseHostPort(server, KX_SMTP_DEFAULT_PORT,
                                        &settings->host, &settings->port)) {
    return KXE_MAIL_INVALID_SETTING;
  }
  if (!settings->from.empty() && !IsAddress(settings->from)) {
    return KXE_MAIL_INVALID_ADDRESS;
  }
  if (record.tonum < 0 || record.tonum > static_cast<int32_t>(kEmailRecipientSlots)) {
    return KXE_MAIL_INVALID_SETTING;
  }
  settings->to.clear();
  for (int32_t i = 0; i < record.tonum; ++i) {
    std::string recipient;
    if (!ReadFixedText(record.to[i], sizeof record.to[i], &recipient)) {
      return KXE_INVALID_ARGUMENT;
    }
    if (recipient.empty()) return KXE_MAIL_INVALID_SETTING;
    if (!IsAddress(recipient)) return KXE_MAIL_INVALID_ADDRESS;
    settings->to.push_back(recipient);
  }
  if ((complete || settings->on) &&
      (server.empty() || settings->from.empty() || settings->to.empty())) {
    return KXE_MAIL_INVALID_SETTING;
  }
  return KX_OK;
}

// The record as stored: every text zero-filled after its end, the slots
// after the recipients empty.
EmailInfoRecord Normalised(const EmailInfoRecord& record,
                           const MailSettings& settings) {
  EmailInfoRecord stored{};
  stored.on_off = record.on_off;
  WriteFixedText(settings.domain, stored.domain, sizeof stored.domain);
  WriteFixedText(settings.server, stored.smtp, sizeof stored.smtp);
  WriteFixedText(settings.from, stored.from, sizeof stored.from);
  stored.tonum = static_cast<int32_t>(settings.to.size());
  for (size_t i = 0; i < settings.to.size(); ++i) {
    WriteFixedText(settings.to[i], stored.to[i], sizeof stored.to[i]);
  }
  return stored;
}

EmailInfoRecord LoadEmailRecord(Database& database) {
  return LoadSetting(database, kStationWide, kEmailSetting, EmailInfoRecord{},
                     [](const EmailInfoRecord& record) {
                       MailSettings unused;
                       RequireOk(ParseSettings(record, false, &unused));
                     });
}

// An append text: valid text whose only control bytes are tab and line
// breaks.
bool IsAppendText(std::string_view text) {
  std::string utf8;
  if (!ToStandardUtf8(text, &utf8)) return false;
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) {
      return false;
    }
  }
  return true;
}

std::string AppendTextOf(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT text FROM service_mail_append WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) return std::string();
  std::string text = select.Text(0);
  if (text.size() >= kLongNameSize || !IsAppendText(text)) {
    Fail(KXE_STATION_DAMAGED);
  }
  return text;
}

// --- Composing -------------------------------------------------------------

std::string Base64(std::string_view bytes) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const uint32_t n = (static_cast<unsigned char>(bytes[i]) << 16) |
                       (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[n >> 18];
    out += kAlphabet[(n >> 12) & 63];
    out += kAlphabet[(n >> 6) & 63];
    out += kAlphabet[n & 63];
  }
  if (i < bytes.size()) {
    uint32_t n = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[n >> 18];
    out += kAlphabet[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

// The subject header's value: plain printable ASCII as it is, anything else
// as RFC 2047 encoded words on folded lines.
std::string SubjectValue(const std::string& subject) {
  bool plain = subject.size() <= 900;
  for (char c : subject) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) plain = false;
  }
  if (plain) return subject;
  std::string value;
  std::string_view rest = subject;
  while (!rest.empty()) {
    std::string_view chunk = CutUtf8(rest, 45);
    if (chunk.empty()) chunk = rest.substr(0, 1);
    if (!value.empty()) value += "\r\n ";
    value += "=?UTF-8?B?" + Base64(chunk) + "?=";
    rest.remove_prefix(chunk.size());
  }
  return value;
}

// Lines with CRLF ends, whatever ends they came with.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line.push_back(c);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string QuotedPrintable(const std::vector<std::string>& lines) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const std::string& line : lines) {
    std::string encoded;
    size_t width = 0;
    for (size_t i = 0; i < line.size(); ++i) {
      const auto byte = static_cast<unsigned char>(line[i]);
      const bool last = i + 1 == line.size();
      std::string piece;
      if ((byte >= 33 && byte <= 126 && byte != '=') ||
          ((byte == ' ' || byte == '\t') && !last)) {
        piece.assign(1, static_cast<char>(byte));
      } else {
        piece = {'=', kHex[byte >> 4], kHex[byte & 15]};
      }
      // Soft line breaks keep every encoded line within 76 bytes.
      if (width + piece.size() > 75) {
        encoded += "=\r\n";
        width = 0;
      }
      encoded += piece;
      width += piece.size();
    }
    out += encoded + "\r\n";
  }
  return out;
}

std::string DateValue() {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed",
                                      "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr",
                                        "May", "Jun", "Jul", "Aug",
                                        "Sep", "Oct", "Nov", "Dec"};
  const std::tm utc = UtcTime(NowMs() / 1000);
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000",
                kDays[utc.tm_wday % 7], utc.tm_mday, kMonths[utc.tm_mon % 12],
                utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

// The whole message with CRLF line ends. The subject may hold no control
// byte (no header can be smuggled in); subject, body and append text must
// be valid text.
int32_t Compose(const MailSettings& settings, std::string_view subject,
                std::string_view body, std::string_view append,
                std::string* message) {
  for (char c : subject) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return KXE_MAIL_INVALID_TEXT;
  }
  std::string subject_utf8, body_utf8, append_utf8;
  if (!ToStandardUtf8(subject, &subject_utf8) ||
      !ToStandardUtf8(body, &body_utf8) ||
      !ToStandardUtf8(append, &append_utf8)) {
    return KXE_MAIL_INVALID_TEXT;
  }
  std::vector<std::string> lines = Lines(body_utf8);
  if (!append_utf8.empty()) {
    for (std::string& line : Lines(append_utf8)) lines.push_back(std::move(line));
  }
  bool long_lines = false, ascii = true;
  for (const std::string& line : lines) {
    long_lines = long_lines || line.size() > kMaxLineLength;
    for (char c : line) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  }
  static std::atomic<uint32_t> serial{0};
  const std::string host_name =
      settings.domain.empty() ? std::string("localhost") : settings.domain;
  std::string to;
  for (const std::string& recipient : settings.to) {
    if (!to.empty()) to += ",\r\n ";
    to += "<" + recipient + ">";
  }
  std::string text;
  text += "Date: " + DateValue() + "\r\n";
  text += "From: <" + settings.from + ">\r\n";
  text += "To: " + to + "\r\n";
  text += "Subject: " + SubjectValue(subject_utf8) + "\r\n";
  text += "Message-ID: <" + std::to_string(NowMs()) + "." +
          std::to_string(platform::ProcessId()) + "." +
          std::to_string(serial++) + "@" + host_name + ">\r\n";
  text += "MIME-Version: 1.0\r\n";
  text += "Content-Type: text/plain; charset=UTF-8\r\n";
  text += std::string("Content-Transfer-Encoding: ") +
          (long_lines ? "quoted-printable" : ascii ? "7bit" : "8bit") + "\r\n";
  text += "\r\n";
  if (long_lines) {
    text += QuotedPrintable(lines);
  } else {
    // Lines starting with a dot are stuffed by the SMTP client, not here.
    for (const std::string& line : lines) text += line + "\r\n";
  }
  *message = std::move(text);
  return KX_OK;
}

int MailTimeoutSeconds() {
  if (const char* text = std::getenv("KX_MAIL_TIMEOUT_SECONDS")) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && value >= 1 && value <= 600) {
      return static_cast<int>(value);
    }
  }
  return kDefaultMailTimeoutSeconds;
}

// KX_MAIL_TLS: "opportunistic" (or unset) or "required". Any other value
// requires TLS too, so a misspelt setting never sends in clear what was
// meant to be encrypted; `note` then says so for the logs.
MailTls MailTlsSetting(std::string* note) {
  const char* text = std::getenv("KX_MAIL_TLS");
  if (text == nullptr || *text == '\0' ||
      std::string_view(text) == "opportunistic") {
    return MailTls::kOpportunistic;
  }
  if (std::string_view(text) != "required") {
    *note = "KX_MAIL_TLS=\"" + std::string(CutUtf8(text, 40)) +
            "\" is neither opportunistic nor required: TLS required";
  }
  return MailTls::kRequired;
}

// KX_MAIL_CA_FILE, when set: it must name a regular file. Checked here,
// before the transfer and outside the station's lock.
bool MailCaFile(std::string* path, std::string* note) {
  const char* text = std::getenv("KX_MAIL_CA_FILE");
  if (text == nullptr || *text == '\0') return true;
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::u8path(text), error)) {
    *note = "KX_MAIL_CA_FILE \"" + std::string(CutUtf8(text, 200)) +
            "\" is not a regular file";
    return false;
  }
  *path = text;
  return true;
}

int32_t Send(const MailSettings& settings, std::string_view subject,
             std::string_view body, std::string_view append,
             const std::string& directory) {
  MailDelivery delivery;
  if (int32_t code = Compose(settings, subject, body, append, &delivery.message);
      code != KX_OK) {
    return code;
  }
  const std::string what = "mail \"" + std::string(subject) + "\" to " +
                           std::to_string(settings.to.size()) +
                           " recipient(s) via " + settings.server;
  std::string tls_note;
  delivery.tls = MailTlsSetting(&tls_note);
  if (delivery.tls == MailTls::kRequired &&
      !MailCaFile(&delivery.ca_file, &tls_note)) {
    AppendLog(directory, LogKind::kError, what + ": " + tls_note);
    return KXE_MAIL_TLS_FAILED;
  }
  delivery.host = settings.host;
  delivery.port = settings.port;
  delivery.helo = settings.domain.empty() ? "localhost" : settings.domain;
  delivery.from = settings.from;
  delivery.recipients = settings.to;
  delivery.timeout_seconds = MailTimeoutSeconds();
  MailReport report;
  const int32_t code = DeliverMail(delivery, &report);
  if (!tls_note.empty()) tls_note = " (" + tls_note + ")";
  if (code == KX_OK) {
    AppendLog(directory, LogKind::kApplication,
              what +
                  (report.encrypted ? ": sent over TLS"
                                    : ": sent in clear (no STARTTLS)") +
                  tls_note);
  } else {
    AppendLog(directory, LogKind::kError,
              what + ": " + report.diagnostic + tls_note);
  }
  return code;
}

}  // namespace
}  // namespace tesk740

using namespace tesk740;

KX_API int32_t KX_GetEmailInfo(EmailInfoRecord* settings) {
  if (settings == nullptr) return KXE_INVALID_ARGUMENT;
  EmailInfoRecord record{};
  const int32_t code = Station::Get().Read([&record](Database& database) -> int32_t {
    record = LoadEmailRecord(database);
    return KX_OK;
  });
  if (code == KX_OK) *settings = record;
  return code;
}

KX_API int32_t KX_SetEmailInfo(const EmailInfoRecord* settings) {
  if (settings == nullptr) return KXE_INVALID_ARGUMENT;
  return Station::Get().Write([settings](Database& database) -> int32_t {
    MailSettings parsed;
    if (int32_t code = ParseSettings(*settings, false, &parsed); code != KX_OK) {
      return code;
    }
    StoreSetting(database, kStationWide, kEmailSetting,
                 Normalised(*settings, parsed));
    return KX_OK;
  });
}

KX_API int32_t KX_SetMailAppendInfo(const char* unit, const char* text) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    std::string append;
    if (int32_t code = TryReadText(text, kLongNameSize, &append); code != KX_OK) {
      return code;
    }
    if (!IsAppendText(append)) return static_cast<int32_t>(KXE_MAIL_INVALID_TEXT);
    Statement store = database.Prepare(
        "INSERT INTO service_mail_append (unit_id, text) VALUES (?1, ?2)"
        " ON CONFLICT (unit_id) DO UPDATE SET text = excluded.text");
    store.Bind(1, unit_id).Bind(2, append).Run();
    return static_cast<int32_t>(KX_OK);
  });
}

KX_API int32_t KX_DelMailAppendInfo(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    Statement erase =
        database.Prepare("DELETE FROM service_mail_append WHERE unit_id = ?1");
    erase.Bind(1, unit_id).Run();
    return KX_OK;
  });
}

// The first 67 bytes of the unit's append text, cut between characters;
// empty when it has none.
KX_API int32_t KX_GetMailAppendInfo(const char* unit, char* text) {
  if (text == nullptr) return KXE_INVALID_ARGUMENT;
  std::string append;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    append = AppendTextOf(database, RequireUnit(database, unit, kUnitNameSize));
    return KX_OK;
  });
  if (code != KX_OK) return code;
  WriteFixedText(CutUtf8(append, kMailAppendResultSize - 1), text,
                 kMailAppendResultSize);
  return KX_OK;
}

// first: the unit the mail is about (its append text ends the body), or
// empty; second: the subject; third: the body. Sent with the stored
// settings, which must be switched on.
KX_API int32_t KX_SendEmail(const char* first, const char* second,
                            const char* third) {
  std::string unit;
  if (int32_t code = TryReadText(first, kLongNameSize, &unit); code != KX_OK) {
    return code;
  }
  if (second == nullptr || third == nullptr) return KXE_INVALID_ARGUMENT;
  MailSettings settings;
  std::string append;
  std::string directory;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    directory = StationDirectory(database).u8string();
    const EmailInfoRecord record = LoadEmailRecord(database);
    if (!unit.empty()) {
      append = AppendTextOf(database, RequireUnit(database, first, kLongNameSize));
    }
    if (record.on_off != KX_SERVICE_ON) return static_cast<int32_t>(KXE_MAIL_OFF);
    return ParseSettings(record, true, &settings) == KX_OK
               ? static_cast<int32_t>(KX_OK)
               : static_cast<int32_t>(KXE_STATION_DAMAGED);
  });
  if (code != KX_OK) return code;
  return Send(settings, second, third, append, directory);
}

// Sends a test message with the given settings (switched on or not): text
// is the subject, long_text (2048 bytes) the body; the unit, when given,
// adds its append text.
KX_API int32_t KX_SendEmailTest(const char* unit,
                                const EmailInfoRecord* settings,
                                const char* text, const char* long_text) {
  if (settings == nullptr) return KXE_INVALID_ARGUMENT;
  std::string unit_name, subject, body;
  if (int32_t code = TryReadText(unit, kUnitNameSize, &unit_name); code != KX_OK) {
    return code;
  }
  if (int32_t code = TryReadText(text, kLongNameSize, &subject); code != KX_OK) {
    return code;
  }
  if (int32_t code = TryReadText(long_text, kMailTestBodySize, &body);
      code != KX_OK) {
    return code;
  }
  MailSettings parsed;
  std::string append;
  std::string directory;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    directory = StationDirectory(database).u8string();
    if (!unit_name.empty()) {
      append = AppendTextOf(database, RequireUnit(database, unit, kUnitNameSize));
    }
    return ParseSettings(*settings, true, &parsed);
  });
  if (code != KX_OK) return code;
  return Send(parsed, subject, body, append, directory);
}
