// SNMP traps, received by Debian's snmptrapd on 127.0.0.1: the units' traps
// as their settings allow them, and the BER encoder of the Windows DLL.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <regex>

#include "services/traps.h"
#include "services_test_support.h"

namespace core_test {
namespace {

// A UDP port on 127.0.0.1 that nothing listens on right now.
int FreeUdpPort() {
  const int udp = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(udp, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(udp, reinterpret_cast<sockaddr*>(&address), &size);
  close(udp);
  return ntohs(address.sin_port);
}

// snmptrapd on 127.0.0.1, accepting traps of one community only, writing
// each as one line: TRAP, then its variables by number, '~' between them.
class TrapReceiver {
 public:
  TrapReceiver(const std::filesystem::path& directory,
               const std::string& community)
      : directory_(directory), port_(FreeUdpPort()) {
    std::filesystem::create_directories(directory_);
    WriteFile(directory_ / "snmptrapd.conf",
              "authCommunity log " + community + "\n");
    setenv("SNMP_PERSISTENT_DIR", directory_.c_str(), 1);
    pid_ = Spawn({"/usr/sbin/snmptrapd", "-f", "-C", "-c",
                  (directory_ / "snmptrapd.conf").string(), "-Lf",
                  log().string(), "-On", "-m", "", "-F", "TRAP %V~%v\n",
                  "udp:127.0.0.1:" + std::to_string(port_)});
    ready_ = WaitFor([&] {
      return ReadFile(log()).find("NET-SNMP version") != std::string::npos;
    });
  }
  ~TrapReceiver() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      WaitExit(pid_);
    }
  }
  bool ready() const { return ready_; }
  int port() const { return port_; }

  // The variables of trap n (from 1) once it has arrived, by their numbers;
  // empty when it did not arrive within the deadline.
  std::map<std::string, std::string> Trap(size_t n) const {
    std::vector<std::string> traps;
    WaitFor([&] {
      traps.clear();
      for (const std::string& line : SplitLines(ReadFile(log()))) {
        if (line.rfind("TRAP ", 0) == 0) traps.push_back(line.substr(5));
      }
      return traps.size() >= n;
    });
    std::map<std::string, std::string> variables;
    if (traps.size() < n) return variables;
    static const std::regex variable(R"(^\.?([0-9.]+) = (.*)$)");
    std::stringstream fields(traps[n - 1]);
    for (std::string field; std::getline(fields, field, '~');) {
      std::smatch match;
      if (std::regex_match(field, match, variable))
        variables[match[1]] = match[2];
    }
    return variables;
  }
  size_t Count() const {
    size_t count = 0;
    for (const std::string& line : SplitLines(ReadFile(log()))) {
      count += line.rfind("TRAP ", 0) == 0;
    }
    return count;
  }

 private:
  std::filesystem::path log() const { return directory_ / "traps.log"; }
  template <typename Done>
  static bool WaitFor(Done done) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }

  std::filesystem::path directory_;
  int port_;
  pid_t pid_ = -1;
  bool ready_ = false;
};

const std::string kEvent = "1.3.6.1.4.1.32473.740.";
std::string Text(const std::string& text) { return "STRING: \"" + text + "\""; }

class TrapTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    receiver_ =
        std::make_unique<TrapReceiver>(directory_ / "receiver", "secret");
    ASSERT_TRUE(receiver_->ready());
  }
  void TearDown() override {
    receiver_.reset();
    ArrayTest::TearDown();
  }
  // Commits (or rolls back) one event of kUnit with its traps, from a second
  // process that uses the core's internals; its exit status.
  int Raise(const std::string& kind, const std::string& object,
            bool rollback = false) {
    std::vector<std::string> argv = {KX_TRAP_HELPER, directory_.string(), kUnit,
                                     kind, object};
    if (rollback) argv.push_back("rollback");
    return WaitExit(Spawn(argv));
  }
  std::string Log(const char* name) const {
    return ReadFile(directory_ / name);
  }
  std::string Receiver() const {
    return "127.0.0.1:" + std::to_string(receiver_->port());
  }

  std::unique_ptr<TrapReceiver> receiver_;
};

TEST_F(TrapTest, CommittedEventsReachEachManagerAsTheSettingsAllow) {
  // Nothing listens on the first manager: the trap to it costs nothing and
  // does not keep the second one from getting its own.
  const std::string managers =
      "127.0.0.1:" + std::to_string(FreeUdpPort()) + " " + Receiver();
  ASSERT_EQ(KX_SetSnmpConfig(kUnit, managers.c_str(), "community=secret"),
            KX_OK);
  ASSERT_EQ(Raise("drive-blocked", "drive 0/3 of RAID group 2"), 0)
      << "traps are off by default: nothing is sent";
  ASSERT_EQ(KX_SetSnmpConfig(kUnit, "", "traps=on"), KX_OK);
  ASSERT_EQ(Raise("drive-blocked", "drive 0/3 of RAID group 2"), 0);

  std::map<std::string, std::string> trap = receiver_->Trap(1);
  EXPECT_EQ(trap[kEvent + "1.1"], Text(kUnit));
  EXPECT_EQ(trap[kEvent + "1.2"], Text("drive-blocked"));
  EXPECT_EQ(trap[kEvent + "1.3"], Text("drive 0/3 of RAID group 2"));
  EXPECT_TRUE(std::regex_match(
      trap[kEvent + "1.4"],
      std::regex(R"(STRING: "20\d\d-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z")")));
  EXPECT_EQ(trap["1.3.6.1.6.3.1.1.4.1.0"], "OID: .1.3.6.1.4.1.32473.740.0.1");
  EXPECT_EQ(trap.count("1.3.6.1.2.1.1.3.0"), 1u);
  EXPECT_NE(Log("application.log")
                .find("SNMP trap to " + Receiver() + ": " + kUnit +
                      " drive-blocked (drive 0/3 of RAID group 2)"),
            std::string::npos);

  // A rolled-back change, a kind switched off and a kind without a trap send
  // nothing: the next trap to arrive is the one after them.
  ASSERT_EQ(Raise("group-failed", "RAID group 2", true), 3);
  ASSERT_EQ(KX_SetSnmpConfig(kUnit, "", "group_degraded=off"), KX_OK);
  ASSERT_EQ(Raise("group-degraded", "RAID group 2"), 0);
  ASSERT_EQ(Raise("format-done", "LU 4"), 0);
  ASSERT_EQ(Raise("group-recovered", "RAID group 2"), 0)
      << "a recovery follows the switches of the faults it ends";
  trap = receiver_->Trap(2);
  EXPECT_EQ(trap[kEvent + "1.2"], Text("group-recovered"));

  // Another community is not the receiver's: dropped there.
  ASSERT_EQ(KX_SetSnmpConfig(kUnit, "", "community=other"), KX_OK);
  ASSERT_EQ(Raise("drive-rebuilt", "drive 0/3 of RAID group 2"), 0);
  ASSERT_EQ(KX_SetSnmpConfig(kUnit, "", "community=secret"), KX_OK);
  ASSERT_EQ(Raise("drive-restored", "drive 0/3"), 0);
  trap = receiver_->Trap(3);
  EXPECT_EQ(trap[kEvent + "1.2"], Text("drive-restored"));
  EXPECT_EQ(receiver_->Count(), 3u);
}

TEST_F(TrapTest,
       AManagerWhoseNameDoesNotResolveIsLoggedAndCostsTheOthersNothing) {
  const std::string managers = "no-such-manager.invalid " + Receiver();
  ASSERT_EQ(
      KX_SetSnmpConfig(kUnit, managers.c_str(), "community=secret traps=on"),
      KX_OK);
  ASSERT_EQ(Raise("format-failed", "LU 7"), 0);
  EXPECT_EQ(receiver_->Trap(1)[kEvent + "1.3"], Text("LU 7"));
  EXPECT_NE(Log("error.log")
                .find("SNMP trap to no-such-manager.invalid:162 not sent"),
            std::string::npos);
}

// The Windows DLL's own encoder, decoded by net-snmp: long texts (lengths in
// the long form), a sysUpTime with its top bit set, the largest request id.
TEST(TrapEncoderTest, SnmptrapdDecodesEveryVariable) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() /
      ("tesk740-trap-encoder-" + std::to_string(getpid()));
  {
    TrapReceiver receiver(directory, "public");
    ASSERT_TRUE(receiver.ready());
    const std::string object =
        "drive 0/3 of RAID group 2, " + std::string(150, 'x');
    const tesk740::TrapMessage message{"public",
                                       "array-01",
                                       "group-failed",
                                       object,
                                       "2026-12-08T09:00:00.000Z",
                                       0xFFFFFFF0u};
    const std::vector<uint8_t> datagram =
        tesk740::EncodeTrap(message, 0x7FFFFFFF);
    const int udp = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(receiver.port()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(sendto(udp, datagram.data(), datagram.size(), 0,
                     reinterpret_cast<sockaddr*>(&address), sizeof address),
              static_cast<ssize_t>(datagram.size()));
    close(udp);

    std::map<std::string, std::string> trap = receiver.Trap(1);
    EXPECT_EQ(trap["1.3.6.1.2.1.1.3.0"].rfind("Timeticks: (4294967280)", 0),
              0u);
    EXPECT_EQ(trap["1.3.6.1.6.3.1.1.4.1.0"], "OID: .1.3.6.1.4.1.32473.740.0.1");
    EXPECT_EQ(trap[kEvent + "1.1"], Text("array-01"));
    EXPECT_EQ(trap[kEvent + "1.2"], Text("group-failed"));
    EXPECT_EQ(trap[kEvent + "1.3"], Text(object));
    EXPECT_EQ(trap[kEvent + "1.4"], Text("2026-12-08T09:00:00.000Z"));
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
}

}  // namespace
}  // namespace core_test
