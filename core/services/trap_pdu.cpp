// The trap's object identifiers, and a BER encoder of one SNMPv2c trap
// message for builds without net-snmp (the 32-bit Windows DLL). A trap is a
// handful of TLVs: SEQUENCE, INTEGER, OCTET STRING, OBJECT IDENTIFIER,
// TimeTicks and the [7] PDU tag (RFC 3416, RFC 1906).
#include <cstdint>
#include <string>
#include <vector>

#include "services/traps.h"

namespace tesk740 {

Oid DiskArrayOid() { return {1, 3, 6, 1, 4, 1, 32473, 740}; }

Oid EventNotificationOid() {
  Oid oid = DiskArrayOid();
  oid.insert(oid.end(), {0, 1});
  return oid;
}

Oid EventVariableOid(uint32_t arc) {
  Oid oid = DiskArrayOid();
  oid.insert(oid.end(), {1, arc});
  return oid;
}

Oid SysUpTimeOid() { return {1, 3, 6, 1, 2, 1, 1, 3, 0}; }
Oid SnmpTrapOid() { return {1, 3, 6, 1, 6, 3, 1, 1, 4, 1, 0}; }

namespace {

constexpr uint8_t kInteger = 0x02;
constexpr uint8_t kOctetString = 0x04;
constexpr uint8_t kObjectIdentifier = 0x06;
constexpr uint8_t kSequence = 0x30;
constexpr uint8_t kTimeTicks = 0x43;
constexpr uint8_t kTrapV2Pdu = 0xA7;
constexpr int32_t kVersion2c = 1;

using Bytes = std::vector<uint8_t>;

Bytes Tlv(uint8_t tag, const Bytes& contents) {
  Bytes out{tag};
  const size_t length = contents.size();
  if (length < 0x80) {
    out.push_back(static_cast<uint8_t>(length));
  } else {
    Bytes digits;
    for (size_t rest = length; rest != 0; rest >>= 8) {
      digits.insert(digits.begin(), static_cast<uint8_t>(rest & 0xFF));
    }
    out.push_back(static_cast<uint8_t>(0x80 | digits.size()));
    out.insert(out.end(), digits.begin(), digits.end());
  }
  out.insert(out.end(), contents.begin(), contents.end());
  return out;
}

// Two's complement in the fewest bytes that keep the sign.
Bytes SignedContents(int64_t value) {
  Bytes bytes;
  for (int shift = 56; shift >= 0; shift -= 8) {
    bytes.push_back(
        static_cast<uint8_t>((static_cast<uint64_t>(value) >> shift) & 0xFF));
  }
  size_t first = 0;
  while (first + 1 < bytes.size() &&
         ((bytes[first] == 0x00 && (bytes[first + 1] & 0x80) == 0) ||
          (bytes[first] == 0xFF && (bytes[first + 1] & 0x80) != 0))) {
    ++first;
  }
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(first), bytes.end());
}

Bytes Integer(int32_t value) { return Tlv(kInteger, SignedContents(value)); }

// TimeTicks is unsigned: encoded as the non-negative 64-bit value.
Bytes TimeTicks(uint32_t value) {
  return Tlv(kTimeTicks, SignedContents(static_cast<int64_t>(value)));
}

Bytes OctetString(const std::string& text) {
  return Tlv(kOctetString, Bytes(text.begin(), text.end()));
}

// The first two arcs share a byte (40 * first + second); each arc is then
// written base 128, high bit set on all but its last byte.
Bytes ObjectIdentifier(const Oid& oid) {
  Bytes contents;
  auto arc = [&](uint32_t value) {
    Bytes digits{static_cast<uint8_t>(value & 0x7F)};
    for (value >>= 7; value != 0; value >>= 7) {
      digits.insert(digits.begin(),
                    static_cast<uint8_t>(0x80 | (value & 0x7F)));
    }
    contents.insert(contents.end(), digits.begin(), digits.end());
  };
  arc(oid[0] * 40 + oid[1]);
  for (size_t i = 2; i < oid.size(); ++i) arc(oid[i]);
  return Tlv(kObjectIdentifier, contents);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts)
    out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes VarBind(const Oid& name, const Bytes& value) {
  return Tlv(kSequence, Concat({ObjectIdentifier(name), value}));
}

}  // namespace

std::vector<uint8_t> EncodeTrap(const TrapMessage& message,
                                int32_t request_id) {
  const Bytes bindings = Tlv(
      kSequence,
      Concat({VarBind(SysUpTimeOid(), TimeTicks(message.uptime_centiseconds)),
              VarBind(SnmpTrapOid(), ObjectIdentifier(EventNotificationOid())),
              VarBind(EventVariableOid(1), OctetString(message.unit_name)),
              VarBind(EventVariableOid(2), OctetString(message.kind)),
              VarBind(EventVariableOid(3), OctetString(message.object)),
              VarBind(EventVariableOid(4), OctetString(message.time))}));
  const Bytes pdu =
      Tlv(kTrapV2Pdu,
          Concat({Integer(request_id), Integer(0), Integer(0), bindings}));
  return Tlv(kSequence, Concat({Integer(kVersion2c),
                                OctetString(message.community), pdu}));
}

}  // namespace tesk740
