// Sending a trap from the 32-bit Windows DLL: the message encoded by
// EncodeTrap (trap_pdu.cpp), one sendto over Winsock. docs/services.md says
// why this is not WinSNMP.
#if defined(_WIN32)

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <string>
#include <vector>

#include "services/traps.h"

namespace tesk740 {
namespace {

// Winsock is counted per call: started and cleaned up around each send, so
// the DLL holds nothing between calls.
class Winsock {
 public:
  Winsock() { started_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
  ~Winsock() {
    if (started_) WSACleanup();
  }
  bool started() const { return started_; }

 private:
  WSADATA data_{};
  bool started_ = false;
};

int32_t NextRequestId() {
  static std::atomic<int32_t> next{
      static_cast<int32_t>(GetTickCount() & 0x3FFFFFFF)};
  return next.fetch_add(1) & 0x7FFFFFFF;
}

}  // namespace

bool SendTrap(const TrapManager& manager, const TrapMessage& message) {
  Winsock winsock;
  if (!winsock.started()) return false;
  std::string host = manager.host;
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_protocol = IPPROTO_UDP;
  addrinfo* addresses = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(manager.port).c_str(), &hints,
                  &addresses) != 0) {
    return false;
  }
  const std::vector<uint8_t> datagram = EncodeTrap(message, NextRequestId());
  bool sent = false;
  for (addrinfo* address = addresses; address != nullptr && !sent;
       address = address->ai_next) {
    SOCKET udp =
        socket(address->ai_family, address->ai_socktype, address->ai_protocol);
    if (udp == INVALID_SOCKET) continue;
    sent = sendto(udp, reinterpret_cast<const char*>(datagram.data()),
                  static_cast<int>(datagram.size()), 0, address->ai_addr,
                  static_cast<int>(address->ai_addrlen)) ==
           static_cast<int>(datagram.size());
    closesocket(udp);
  }
  freeaddrinfo(addresses);
  return sent;
}

}  // namespace tesk740

#endif  // defined(_WIN32)
