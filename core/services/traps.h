// SNMPv2c traps of the simulated units: what one carries, the object
// identifiers it uses (docs/services.md, docs/KX-DISKARRAY-MIB.txt), and the
// sender, one UDP datagram per manager that never waits for an answer.
// QueueEventTraps (services.h) decides which traps a committed event sends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tesk740 {

// Object identifiers as arcs. The enterprise is 32473, the number IANA
// keeps for examples and documentation (RFC 5612): a simulated array must
// not claim anyone's registered number.
using Oid = std::vector<uint32_t>;
// kxDiskArray: 1.3.6.1.4.1.32473.740
Oid DiskArrayOid();
// kxEventNotification: kxDiskArray.0.1, the trap's snmpTrapOID.0.
Oid EventNotificationOid();
// kxUnitName, kxEventKind, kxEventObject, kxEventTime: kxDiskArray.1.1..4.
Oid EventVariableOid(uint32_t arc);
// sysUpTime.0 and snmpTrapOID.0, the two variables every v2c trap starts with.
Oid SysUpTimeOid();
Oid SnmpTrapOid();

struct TrapManager {
  std::string host;  // a host name, an IPv4 address, or "[ipv6]"
  int port = 162;
};

struct TrapMessage {
  std::string community;
  std::string unit_name;
  std::string kind;
  std::string object;
  std::string time;  // UTC, YYYY-MM-DDThh:mm:ss.mmmZ
  uint32_t uptime_centiseconds = 0;
};

// The whole SNMPv2c message (version, community and SNMPv2-Trap-PDU) in
// BER, with sysUpTime.0, snmpTrapOID.0 and the four event variables.
std::vector<uint8_t> EncodeTrap(const TrapMessage& message, int32_t request_id);

// Sends one trap. True when the datagram left; false when the manager's
// name did not resolve or no socket could be made. Nothing is waited for.
bool SendTrap(const TrapManager& manager, const TrapMessage& message);

}  // namespace tesk740
