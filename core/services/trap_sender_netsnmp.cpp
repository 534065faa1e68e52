// Sending a trap with net-snmp (every build but the 32-bit Windows one).
#if !defined(_WIN32)

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <mutex>
#include <string>
#include <vector>

#include "services/traps.h"

namespace tesk740 {
namespace {

// net-snmp's set-up and its session calls share library state that is not
// guarded: one trap at a time per process. A send takes no longer than
// handing one datagram to the kernel.
std::mutex& SenderMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<oid> NetSnmpOid(const Oid& arcs) {
  return std::vector<oid>(arcs.begin(), arcs.end());
}

bool AddText(netsnmp_pdu* pdu, const Oid& name, const std::string& text) {
  const std::vector<oid> arcs = NetSnmpOid(name);
  return snmp_pdu_add_variable(pdu, arcs.data(), arcs.size(), ASN_OCTET_STR,
                               text.data(), text.size()) != nullptr;
}

}  // namespace

bool SendTrap(const TrapManager& manager, const TrapMessage& message) {
  std::lock_guard<std::mutex> lock(SenderMutex());
  // The trap names its objects by number: no MIB and no configuration file
  // is read, so nothing on the host changes what is sent.
  netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID,
                         NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
  const bool ipv6 = !manager.host.empty() && manager.host.front() == '[';
  std::string peer = (ipv6 ? "udp6:" : "udp:") + manager.host + ":" +
                     std::to_string(manager.port);
  std::string community = message.community;

  netsnmp_session settings;
  snmp_sess_init(&settings);
  settings.version = SNMP_VERSION_2c;
  settings.peername = &peer[0];
  settings.community = reinterpret_cast<u_char*>(&community[0]);
  settings.community_len = community.size();
  void* session = snmp_sess_open(&settings);
  if (session == nullptr) return false;

  netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_TRAP2);
  const std::vector<oid> uptime_name = NetSnmpOid(SysUpTimeOid());
  const u_long uptime = message.uptime_centiseconds;
  const std::vector<oid> trap_name = NetSnmpOid(SnmpTrapOid());
  const std::vector<oid> trap_value = NetSnmpOid(EventNotificationOid());
  bool built =
      snmp_pdu_add_variable(pdu, uptime_name.data(), uptime_name.size(),
                            ASN_TIMETICKS, &uptime, sizeof uptime) != nullptr &&
      snmp_pdu_add_variable(pdu, trap_name.data(), trap_name.size(),
                            ASN_OBJECT_ID, trap_value.data(),
                            trap_value.size() * sizeof(oid)) != nullptr;
  built = built && AddText(pdu, EventVariableOid(1), message.unit_name) &&
          AddText(pdu, EventVariableOid(2), message.kind) &&
          AddText(pdu, EventVariableOid(3), message.object) &&
          AddText(pdu, EventVariableOid(4), message.time);
  // A trap expects no answer: once sent, the library frees the PDU itself.
  const bool sent = built && snmp_sess_send(session, pdu) != 0;
  if (!sent) snmp_free_pdu(pdu);
  snmp_sess_close(session);
  return sent;
}

}  // namespace tesk740

#endif  // !defined(_WIN32)
