// Runs the 32-bit Windows DLLs as a 32-bit JVM would use them, without a JVM:
//
//   kx_win32_test.exe DLL_DIR JNI_HEADER IMPLEMENTED_LIST SCRATCH_DIR
//       SMTP_SERVER SMTP_DIR STARTTLS_SERVER STARTTLS_DIR TRAP_MANAGER
//
// DLL_DIR holds diskarrayjni.dll and tesk740.dll; JNI_HEADER is the javac -h
// header of DiskArrayUtilityJNI; IMPLEMENTED_LIST names the natives the
// bridge's objects define (one decorated symbol a line, from nm); SCRATCH_DIR
// is an empty directory for stations; the SMTP servers (host:port) keep
// what they receive in their folders; TRAP_MANAGER (host:port) is where a
// unit's trap goes. Prints one line per failed check and a
// closing "N passed, N failed"; exits 1 on any failure, 3 when a native calls
// a JNI function the fake VM does not provide.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fake_jni.h"
#include "stdcall_call.h"

namespace {

using kxw::FakeVm;

constexpr char kPrefix[] = "Java_korvane_str_diskarray_DiskArrayUtilityJNI_";
constexpr char kDiskArrayException[] =
    "korvane/str/diskarray/DiskArrayException";
constexpr char kUnitParam[] = "korvane/str/diskarray/KXUnitParam";
constexpr char kWorkingDirectory[] = "korvane/str/diskarray/WorkingDirectory";
// The share scripts/run-win32-tests.sh provides through wine's
// dosdevices/unc folder.
const std::u16string kShare = u"localhost\\share";
// Codes the checks expect.
constexpr jint kNullArgument = 258;
constexpr jint kUnknownUnit = 0x1003;
constexpr jint kInvalidText = 0x1704;
constexpr jint kProgramFailed = 0x1415;
constexpr jint kProgramTimeout = 0x1414;
constexpr jint kWrongPassword = 0x1013;
constexpr jint kNotLoggedIn = 0x1015;
constexpr jint kFileRead = 0x120E;
constexpr jint kSignInDelayed = 0x1706;

int g_passed = 0;
int g_failed = 0;
std::string g_group;

void Expect(bool ok, const std::string& what) {
  if (ok) {
    ++g_passed;
    return;
  }
  ++g_failed;
  std::printf("FAIL [%s]: %s\n", g_group.c_str(), what.c_str());
  std::fflush(stdout);
}

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int length = MultiByteToWideChar(
      CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                      &wide[0], length);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(),
                                         static_cast<int>(wide.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                      &utf8[0], length, nullptr, nullptr);
  return utf8;
}

std::u16string U16(const std::wstring& wide) {
  return std::u16string(wide.begin(), wide.end());
}
std::wstring Wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}
std::string Show(const std::u16string& text) { return Narrow(Wide(text)); }

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  return bytes;
}

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

// --- The export table ------------------------------------------------------

struct Export {
  std::string name;
  const void* address;
  bool forwarded;
};

// The named exports of a loaded module, read from its PE export directory.
std::vector<Export> ModuleExports(HMODULE module) {
  const auto* base = reinterpret_cast<const uint8_t*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  std::vector<Export> exports;
  if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
      nt->Signature != IMAGE_NT_SIGNATURE ||
      nt->FileHeader.Machine != IMAGE_FILE_MACHINE_I386) {
    Expect(false, "the bridge is not a 32-bit x86 PE image");
    return exports;
  }
  const IMAGE_DATA_DIRECTORY& entry =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (entry.VirtualAddress == 0) return exports;
  const auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
      base + entry.VirtualAddress);
  const auto* names =
      reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
  const auto* ordinals =
      reinterpret_cast<const WORD*>(base + directory->AddressOfNameOrdinals);
  const auto* functions =
      reinterpret_cast<const DWORD*>(base + directory->AddressOfFunctions);
  for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
    const DWORD rva = functions[ordinals[i]];
    // A function's address inside the export directory is a forwarder text.
    const bool forwarded =
        rva >= entry.VirtualAddress && rva < entry.VirtualAddress + entry.Size;
    exports.push_back(Export{reinterpret_cast<const char*>(base + names[i]),
                             base + rva, forwarded});
  }
  return exports;
}

// Argument bytes of every native the header declares: JNIEnv* and jclass,
// then 8 for jlong and jdouble and 4 for every other parameter.
std::map<std::string, int> DeclaredNatives(const std::string& header) {
  std::map<std::string, int> declared;
  const std::regex prototype(std::string("JNICALL\\s+") + kPrefix +
                             "([A-Za-z0-9_]+)\\s*\\(([^)]*)\\)");
  for (std::sregex_iterator it(header.begin(), header.end(), prototype), end;
       it != end; ++it) {
    std::stringstream params((*it)[2].str());
    std::string param;
    int bytes = 0;
    while (std::getline(params, param, ',')) {
      std::string type;
      for (char c : param) {
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t') type.push_back(c);
      }
      bytes += (type == "jlong" || type == "jdouble") ? 8 : 4;
    }
    declared[(*it)[1].str()] = bytes;
  }
  return declared;
}

void CheckExports(HMODULE bridge, const std::string& header_text,
                  const std::vector<std::string>& implemented) {
  g_group = "exports";
  const std::map<std::string, int> declared = DeclaredNatives(header_text);
  Expect(!declared.empty(), "no native declared in the JNI header");
  Expect(!implemented.empty(), "the bridge implements no native");

  std::set<std::string> expected;
  for (const std::string& symbol : implemented) expected.insert("_" + symbol);
  std::set<std::string> found;
  const std::regex decorated(std::string("_") + kPrefix +
                             "(KX_1[A-Za-z0-9_]+)@([0-9]+)");
  for (const Export& e : ModuleExports(bridge)) {
    found.insert(e.name);
    std::smatch parts;
    if (!std::regex_match(e.name, parts, decorated)) {
      Expect(false, "export " + e.name + " is not a decorated native");
      continue;
    }
    auto declaration = declared.find(parts[1].str());
    if (declaration == declared.end()) {
      Expect(false, "export " + e.name + " is not declared in the header");
    } else {
      Expect(std::stoi(parts[2].str()) == declaration->second,
             "export " + e.name + ": the declaration takes " +
                 std::to_string(declaration->second) + " bytes");
    }
    Expect(!e.forwarded, "export " + e.name + " is forwarded");
    Expect(GetProcAddress(bridge, e.name.c_str()) == e.address,
           "GetProcAddress(" + e.name + ") is not the exported address");
  }
  for (const std::string& name : expected) {
    Expect(found.count(name) == 1, name + " is implemented but not exported");
  }
  for (const std::string& name : found) {
    Expect(expected.count(name) == 1,
           name + " is exported but not implemented");
  }
  std::printf("exports: %u exported, %u implemented, %u declared\n",
              static_cast<unsigned>(found.size()),
              static_cast<unsigned>(expected.size()),
              static_cast<unsigned>(declared.size()));
}

// --- Calling natives -------------------------------------------------------

class Natives {
 public:
  Natives(HMODULE bridge, FakeVm& vm) : bridge_(bridge), vm_(vm) {}

  // Calls KX_<op> with the Java arguments (references or ints), as a 32-bit
  // JVM does: looked up by its decorated name, stdcall, checked for the
  // stack, the registers and every JNI fault. Returns EAX.
  uint32_t Call(const char* op, std::vector<uint32_t> java_args = {}) {
    std::string method = "KX_1";
    for (const char* c = op; *c; ++c) {
      if (*c == '_') {
        method += "_1";
      } else {
        method.push_back(*c);
      }
    }
    const std::string name = std::string("_") + kPrefix + method + "@" +
                             std::to_string(8 + 4 * java_args.size());
    const void* function =
        reinterpret_cast<const void*>(GetProcAddress(bridge_, name.c_str()));
    if (function == nullptr) {
      Expect(false, "no export " + name);
      return 0;
    }
    std::vector<uint32_t> args = {
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(vm_.env())),
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(vm_.UtilityClass()))};
    args.insert(args.end(), java_args.begin(), java_args.end());
    vm_.BeginCall();
    const kxw::StdcallOutcome outcome = kxw::CallStdcall(
        function, args.data(), static_cast<uint32_t>(args.size()));
    const std::vector<std::string> faults =
        vm_.EndCall(reinterpret_cast<jobject>(outcome.result));
    for (const std::string& fault : faults) {
      Expect(false, std::string("KX_") + op + ": JNI fault: " + fault);
    }
    Expect(outcome.stack_left == 0, std::string("KX_") + op + " left " +
                                        std::to_string(outcome.stack_left) +
                                        " bytes of arguments on the stack");
    Expect(outcome.registers_kept,
           std::string("KX_") + op + " did not keep EBX, ESI and EDI");
    return outcome.result;
  }

  // A call that must succeed: no exception left pending.
  uint32_t Succeed(const char* op, std::vector<uint32_t> java_args = {},
                   const std::string& where = std::string()) {
    const uint32_t result = Call(op, std::move(java_args));
    if (!vm_.PendingClass().empty()) {
      Expect(false, std::string("KX_") + op + " raised " + vm_.PendingClass() +
                        " code " +
                        Hex(static_cast<uint32_t>(vm_.PendingCode())) +
                        (where.empty() ? "" : " in " + where));
      vm_.TakeException();
    }
    return result;
  }

  // A call that must raise DiskArrayException(code).
  void Refused(const char* op, std::vector<uint32_t> java_args, jint code) {
    Call(op, std::move(java_args));
    Expect(
        vm_.PendingClass() == kDiskArrayException && vm_.PendingCode() == code,
        std::string("KX_") + op + ": expected DiskArrayException " +
            Hex(static_cast<uint32_t>(code)) + ", got " +
            (vm_.PendingClass().empty() ? "nothing" : vm_.PendingClass()) +
            " " + Hex(static_cast<uint32_t>(vm_.PendingCode())));
    vm_.TakeException();
  }

 private:
  HMODULE bridge_;
  FakeVm& vm_;
};

uint32_t Ref(jobject object) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(object));
}

// The stack check itself: a cdecl function of the core leaves its argument
// behind, and the check must see it, or every stdcall check above it would
// pass whatever the bridge did.
void CheckHarness(HMODULE core) {
  g_group = "harness";
  const void* cdecl_function =
      reinterpret_cast<const void*>(GetProcAddress(core, "KX_GetUnitCount"));
  if (cdecl_function == nullptr) {
    Expect(false, "tesk740.dll exports no KX_GetUnitCount");
    return;
  }
  const uint32_t no_pointer = 0;
  const kxw::StdcallOutcome outcome =
      kxw::CallStdcall(cdecl_function, &no_pointer, 1);
  Expect(outcome.stack_left == 4, "a cdecl call left " +
                                      std::to_string(outcome.stack_left) +
                                      " bytes, not 4");
  Expect(outcome.registers_kept, "a cdecl call lost EBX, ESI or EDI");
  Expect(outcome.result != 0, "KX_GetUnitCount(null) answered 0");
}

// --- Checks through the natives --------------------------------------------

void CheckNullArguments(FakeVm& vm, Natives& natives) {
  g_group = "null arguments";
  natives.Refused("GetUnitParam", {0}, kNullArgument);
  natives.Refused("UnitAdd", {0}, kNullArgument);
  natives.Refused("GUIInitialize", {0}, kNullArgument);
  // A record whose class has no tesk_path is the reader's failure, with the
  // JVM's NoSuchFieldError as the cause.
  natives.Call("GUIInitialize", {Ref(vm.NewInstance(kUnitParam))});
  Expect(vm.PendingClass() == kDiskArrayException && vm.PendingCode() == 2817 &&
             vm.PendingCauseClass() == "java/lang/NoSuchFieldError",
         "a record without tesk_path: got " + vm.PendingClass() + " " +
             Hex(static_cast<uint32_t>(vm.PendingCode())) + " caused by " +
             vm.PendingCauseClass());
  vm.TakeException();
}

jobject WorkingDirectory(FakeVm& vm, const std::u16string& path) {
  jobject record = vm.NewInstance(kWorkingDirectory);
  vm.SetStringField(record, "tesk_path", &path);
  return record;
}

jobject UnitRecord(FakeVm& vm, const std::u16string& name) {
  jobject record = vm.NewInstance(kUnitParam);
  const std::u16string group = u"grp-é";
  const std::u16string controller0 = u"192.0.2.10";
  const std::u16string controller1 = u"控制器 1";
  vm.SetStringField(record, "unit_name", &name);
  vm.SetStringField(record, "group_name", &group);
  vm.SetIntField(record, "connect_type", 1);
  vm.SetIntField(record, "kx_type", 2);
  vm.SetIntField(record, "unit_conf", -3);
  vm.SetIntField(record, "alert", 4);
  vm.SetStringField(record, "ctl0", &controller0);
  vm.SetStringField(record, "ctl1", &controller1);
  return record;
}

// The unit read back through KX_GetUnitParam equals what UnitRecord sent.
void ExpectUnit(FakeVm& vm, jobject unit, const std::u16string& name,
                const std::string& where) {
  if (unit == nullptr || !vm.IsInstanceOf(unit, kUnitParam)) {
    Expect(false, where + ": no KXUnitParam came back");
    return;
  }
  std::u16string text;
  Expect(vm.StringField(unit, "unit_name", &text) && text == name,
         where + ": unit_name " + Show(text));
  Expect(vm.StringField(unit, "group_name", &text) && text == u"grp-é",
         where + ": group_name " + Show(text));
  Expect(vm.StringField(unit, "ctl1", &text) && text == u"控制器 1",
         where + ": ctl1 " + Show(text));
  Expect(vm.IntField(unit, "connect_type") == 1 &&
             vm.IntField(unit, "kx_type") == 2 &&
             vm.IntField(unit, "unit_conf") == -3 &&
             vm.IntField(unit, "alert") == 4,
         where + ": byte fields changed");
}

// Opens the station at `path` (what Java passes) and checks that its
// database lies at `directory` (a Windows path the test reads itself).
bool OpenStation(FakeVm& vm, Natives& natives, const std::u16string& path,
                 const std::wstring& directory) {
  natives.Call("GUIInitialize", {Ref(WorkingDirectory(vm, path))});
  if (!vm.PendingClass().empty()) {
    Expect(false, "KX_GUIInitialize(" + Show(path) + ") raised " +
                      vm.PendingClass() + " " +
                      Hex(static_cast<uint32_t>(vm.PendingCode())));
    vm.TakeException();
    return false;
  }
  Expect(
      FileExists(directory + L"\\station.db"),
      "no station.db in " + Narrow(directory) + " after opening " + Show(path));
  return true;
}

struct StationPath {
  std::u16string java_path;  // as the operator types it
  std::wstring directory;    // where it must land
  const char* what;
};

void CheckStations(FakeVm& vm, Natives& natives, const std::wstring& scratch) {
  g_group = "stations";
  const std::wstring cwd_name = L"relative station";
  wchar_t cwd[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, cwd);
  const std::u16string root = u"C:\\kx win32 tests";
  const std::wstring wroot = Wide(root);
  const std::vector<StationPath> paths = {
      {root + u"\\Station One", wroot + L"\\Station One",
       "drive letter, backslashes, a space"},
      {u"C:/kx win32 tests/forward/slashes", wroot + L"\\forward\\slashes",
       "forward slashes"},
      {root + u"\\Ünïcödé € 日本\\st-😀", wroot + L"\\Ünïcödé € 日本\\st-😀",
       "non-ASCII, a character outside the BMP"},
      {u"\\\\?\\" + root + u"\\verbatim\\déjà", wroot + L"\\verbatim\\déjà",
       "\\\\?\\ drive path"},
      {u"\\\\?\\UNC\\" + kShare + u"\\verbatim unc",
       L"\\\\" + Wide(kShare) + L"\\verbatim unc", "\\\\?\\UNC path"},
      {u"\\\\" + kShare + u"\\plain unc",
       L"\\\\" + Wide(kShare) + L"\\plain unc", "UNC path"},
      {U16(scratch) + u"\\ščřž 😀 station", scratch + L"\\ščřž 😀 station",
       "a drive mapped to a Linux folder"},
      {U16(cwd_name), std::wstring(cwd) + L"\\" + cwd_name,
       "relative to the working directory"},
  };
  int index = 0;
  for (const StationPath& p : paths) {
    ++index;
    const std::string where =
        std::string(p.what) + " (" + Show(p.java_path) + ")";
    if (!OpenStation(vm, natives, p.java_path, p.directory)) continue;
    Expect(natives.Succeed("GetUnitCount") == 0,
           where + ": a new station has units");
    const std::u16string unit = u"unit-" + U16(std::to_wstring(index)) + u"-ä";
    natives.Succeed("UnitAdd", {Ref(UnitRecord(vm, unit))});
    ExpectUnit(vm,
               reinterpret_cast<jobject>(
                   natives.Succeed("GetUnitParam", {Ref(vm.NewString(unit))})),
               unit, where);
    const auto table =
        reinterpret_cast<jobject>(natives.Succeed("GetUnitParamTable", {1}));
    if (table != nullptr && vm.ArrayLength(table) == 1) {
      ExpectUnit(vm, vm.ArrayElement(table, 0), unit, where + ", table");
    } else {
      Expect(false, where + ": KX_GetUnitParamTable(1) gave no table of 1");
    }
    natives.Refused("GetUnitParam", {Ref(vm.NewString(u"missing"))},
                    kUnknownUnit);
    // A writable directory with room: a probe file written and replaced,
    // the free space of the path's volume.
    natives.Succeed("EnvironmentCheck", {}, where);
    // Log lines land beside station.db, through the wide file API.
    natives.Succeed("AppLogPut", {Ref(vm.NewString(u"log from " + unit))});
    const std::string log = ReadWholeFile(p.directory + L"\\application.log");
    Expect(log.find(Show(u"log from " + unit)) != std::string::npos,
           where + ": application.log lacks the line");
  }

  g_group = "texts and deletion";
  {
    const auto upper = reinterpret_cast<jstring>(
        natives.Succeed("ModifyInfo", {Ref(vm.NewString(u"straße é 😀")), 1}));
    // ASCII letters only; the rest, surrogate pairs too, come back whole.
    Expect(upper != nullptr && vm.Text(upper) == u"STRAßE é 😀",
           "KX_ModifyInfo upper case: " +
               (upper ? Show(vm.Text(upper)) : std::string("null")));
    // The station open now is the last one of the list.
    const std::u16string last =
        u"unit-" + U16(std::to_wstring(paths.size())) + u"-ä";
    natives.Succeed("UnitDelete", {Ref(vm.NewString(last))});
    Expect(natives.Succeed("GetUnitCount") == 0,
           "the unit is still there after KX_UnitDelete");
    natives.Refused("UnitDelete", {Ref(vm.NewString(last))}, kUnknownUnit);
  }

  // Another spelling of the first directory is the same station.
  g_group = "same station";
  for (const std::u16string& spelling :
       {u"\\\\?\\" + root + u"\\Station One", root + u"/Station One/",
        root + u"\\.\\Station One\\..\\Station One"}) {
    if (!OpenStation(vm, natives, spelling, wroot + L"\\Station One")) continue;
    ExpectUnit(vm,
               reinterpret_cast<jobject>(natives.Succeed(
                   "GetUnitParam", {Ref(vm.NewString(u"unit-1-ä"))})),
               u"unit-1-ä", Show(spelling));
  }

  g_group = "refused paths";
  // A NUL inside the path (C0 80 in modified UTF-8) never reaches the file
  // system: the station is refused, not opened at the text before the NUL.
  natives.Refused("GUIInitialize",
                  {Ref(WorkingDirectory(
                      vm, root + u"\\cut" + std::u16string(1, u'\0') + u"x"))},
                  kInvalidText);
  Expect(
      GetFileAttributesW((wroot + L"\\cut").c_str()) == INVALID_FILE_ATTRIBUTES,
      "a directory was made for the text before the NUL");
}

// The program runner and its environment block, through a real child.
void CheckProgramRun(FakeVm& vm, Natives& natives) {
  g_group = "program run";
  const std::u16string root = u"C:\\kx win32 tests\\Station One";
  if (!OpenStation(vm, natives, root, Wide(root))) return;
  jobject settings = vm.NewInstance("korvane/str/diskarray/ExProgramInfo");
  if (settings == nullptr) return;
  // The core splits command lines as a POSIX shell does: a path with
  // backslashes goes in single quotes.
  const std::u16string line =
      u"'C:\\windows\\system32\\cmd.exe' /c \"if %KX_ALERT_TEST%==1 exit 7\"";
  vm.SetIntField(settings, "on_off", 0);
  vm.SetIntField(settings, "exec_mode", 0);
  vm.SetStringField(settings, "program_name", &line);
  natives.Refused("ExecuteProgramTest", {Ref(settings)}, kProgramFailed);
  const std::string log = ReadWholeFile(Wide(root) + L"\\application.log");
  Expect(log.find("exit status 7") != std::string::npos,
         "the program's exit status is not in application.log");
  // The failure went to error.log too; KX_ErrLogDelete empties it under
  // its lock.
  const std::wstring error_log = Wide(root) + L"\\error.log";
  Expect(ReadWholeFile(error_log).find("exit status 7") != std::string::npos,
         "the program's failure is not in error.log");
  natives.Succeed("ErrLogDelete");
  Expect(FileExists(error_log) && ReadWholeFile(error_log).empty(),
         "error.log is not empty after KX_ErrLogDelete");
}

// Accounts: Argon2id hashing and the random salt of the 32-bit core, and
// natives that take a record, an int and a text and return a String[].
void CheckUsers(FakeVm& vm, Natives& natives) {
  g_group = "users";
  const std::u16string root = u"C:\\kx win32 tests\\Station One";
  if (!OpenStation(vm, natives, root, Wide(root))) return;
  const std::u16string user = u"operator";
  const std::u16string password = u"c0rrect-h0rse";
  const std::u16string wrong = u"c0rrect-h0rsf";
  auto account = [&](const std::u16string& secret) {
    jobject record = vm.NewInstance("korvane/str/diskarray/KXUserRegist");
    vm.SetStringField(record, "user", &user);
    vm.SetStringField(record, "passwd", &secret);
    return Ref(record);
  };
  const uint32_t unit = Ref(vm.NewString(u"unit-1-ä"));
  natives.Succeed("RegistUser", {unit, 0, account(password)});
  natives.Refused("LoginKXUnit", {unit, 0, account(wrong)}, kWrongPassword);
  const auto login = reinterpret_cast<jobject>(
      natives.Succeed("LoginKXUnit", {unit, 0, account(password)}));
  const bool two = login != nullptr && vm.ArrayLength(login) == 2;
  Expect(
      two && vm.Text(static_cast<jstring>(vm.ArrayElement(login, 0))) == user,
      "the login result does not name the user");
  if (two) {
    const std::u16string time =
        vm.Text(static_cast<jstring>(vm.ArrayElement(login, 1)));
    Expect(time.size() == 14, "login time " + Show(time));
  }
  Expect(natives.Succeed("CheckLogin", {unit, 0}) == 1,
         "no session after login");
  const auto information = reinterpret_cast<jobject>(
      natives.Succeed("GetUserInformation", {unit, 0}));
  Expect(information != nullptr && vm.IntField(information, "num") == 1 &&
             (vm.IntField(information, "option") & 1) != 0,
         "KX_GetUserInformation does not show the account and its session");
  natives.Succeed("LogoutKXUnit", {unit, 0});
  natives.Refused("LogoutKXUnit", {unit, 0}, kNotLoggedIn);
}

// File paths of the maintenance natives: every form names the same file;
// a relative one lies in the station's folder.
void CheckFilePaths(FakeVm& vm, Natives& natives) {
  g_group = "file paths";
  const std::u16string root = u"C:\\kx win32 tests\\Station One";
  if (!OpenStation(vm, natives, root, Wide(root))) return;
  const std::u16string share = u"\\\\" + kShare + u"\\plain unc\\station.db";
  for (const std::u16string& file :
       {root + u"\\station.db",
        std::u16string(u"C:/kx win32 tests/Station One/station.db"),
        u"\\\\?\\" + root + u"\\station.db", share,
        u"\\\\?\\UNC\\" + kShare + u"\\plain unc\\station.db",
        std::u16string(u"station.db")}) {
    Expect(natives.Succeed("ExistFile", {Ref(vm.NewString(file))}) == 1,
           "KX_ExistFile(" + Show(file) + ") does not find the file");
  }
  Expect(
      natives.Succeed("ExistFile", {Ref(vm.NewString(root + u"\\none"))}) == 0,
      "KX_ExistFile finds a missing file");
}

// Mail from the 32-bit core to the loopback SMTP servers the script runs:
// the settings through KX_SetEmailInfo, a message through KX_SendEmail to a
// server in clear, a test message through KX_SendEmailTest to one that
// offers STARTTLS (taken up through Schannel). Each server keeps message n
// as n.txt (subject, newline, body) and n.eml in its folder.
void CheckMail(FakeVm& vm, Natives& natives, const std::string& plain_server,
               const std::wstring& plain_dir, const std::string& tls_server,
               const std::wstring& tls_dir) {
  g_group = "mail";
  const std::u16string root = u"C:\\kx win32 tests\\Station One";
  if (!OpenStation(vm, natives, root, Wide(root))) return;
  auto settings = [&](const std::string& server) {
    jobject record = vm.NewInstance("korvane/str/diskarray/EmailInfo");
    const std::u16string domain = u"station.test";
    const std::u16string smtp = U16(Widen(server));
    const std::u16string from = u"station@example.test";
    vm.SetIntField(record, "on_off", 1);
    vm.SetStringField(record, "domain", &domain);
    vm.SetStringField(record, "smtp", &smtp);
    vm.SetStringField(record, "from", &from);
    vm.SetIntField(record, "tonum", 1);
    vm.SetStringArrayField(record, "to", {u"ops@example.test"}, 100);
    return Ref(record);
  };
  natives.Succeed("SetEmailInfo", {settings(plain_server)});
  const std::u16string subject = u"Störung auf unit-1-ä";
  const std::u16string body = u"drive 0/3 blocked\n.leading dot";
  natives.Succeed("SendEmail",
                  {Ref(vm.NewString(u"unit-1-ä")), Ref(vm.NewString(subject)),
                   Ref(vm.NewString(body))});
  // The server wrote the message before it answered, so it is there now.
  const std::string received = ReadWholeFile(plain_dir + L"\\1.txt");
  Expect(received == Show(subject) + "\n" + Show(body) + "\n",
         "the server in clear received [" + received + "]");
  const std::string log = ReadWholeFile(Wide(root) + L"\\application.log");
  Expect(
      log.find("via " + plain_server + ": sent in clear") != std::string::npos,
      "application.log does not record the mail sent in clear");

  const std::u16string test_subject = u"over TLS";
  natives.Succeed("SendEmailTest",
                  {0, settings(tls_server), Ref(vm.NewString(test_subject)),
                   Ref(vm.NewString(u"body"))});
  Expect(ReadWholeFile(tls_dir + L"\\1.txt") == "over TLS\nbody\n",
         "the STARTTLS server received no test message");
  Expect(ReadWholeFile(tls_dir + L"\\1.eml").find("X-Envelope-TLS: yes") !=
             std::string::npos,
         "the test message did not come over TLS");
}

// A trap from the 32-bit core: a drive blocked through KX_SetDriveMode is an
// event with a trap, which the unit sends after the commit (the BER encoder
// and one Winsock sendto) to the manager the script runs, snmptrapd on
// 127.0.0.1; the script checks what that received. The drive is returned
// afterwards, traps off, so the station is left as it was.
void CheckTrap(FakeVm& vm, Natives& natives, const std::string& manager) {
  g_group = "trap";
  const std::u16string root = u"C:\\kx win32 tests\\Station One";
  if (!OpenStation(vm, natives, root, Wide(root))) return;
  const uint32_t unit = Ref(vm.NewString(u"unit-1-ä"));
  natives.Succeed("SetSnmpConfig",
                  {unit, Ref(vm.NewString(U16(Widen(manager)))),
                   Ref(vm.NewString(u"community=kxwin32 traps=on"))});
  natives.Succeed("SetDriveMode", {unit, 3, 14, 1});
  // The datagram left before the call returned: the line says so.
  const std::string log = ReadWholeFile(Wide(root) + L"\\application.log");
  Expect(log.find("SNMP trap to " + manager +
                  ": unit-1-\xC3\xA4 drive-blocked (drive 3/14)") !=
             std::string::npos,
         "application.log does not record the trap sent to " + manager);
  // Traps off first, so the drive's return sends none.
  natives.Succeed("SetSnmpConfig", {unit, Ref(vm.NewString(u"none")),
                                    Ref(vm.NewString(u"traps=off"))});
  natives.Succeed("SetDriveMode", {unit, 3, 14, 0});
}

// A pipe or a device named where a file is read is refused: the imports
// read one while they held the station's write lock, and a pipe whose
// writer never writes held them for ever. The station password waits after
// repeated wrong guesses, as sign-in does.
void CheckCallerFiles(FakeVm& vm, Natives& natives,
                      const std::wstring& scratch) {
  g_group = "caller files";
  const std::u16string root = u"C:\\kx win32 tests\\Station One";
  if (!OpenStation(vm, natives, root, Wide(root))) return;
  // A server that never writes: a client's read waits until it does.
  HANDLE pipe = CreateNamedPipeW(L"\\\\.\\pipe\\kx-never-writes",
                                 PIPE_ACCESS_OUTBOUND,
                                 PIPE_TYPE_BYTE | PIPE_WAIT, 4, 0, 0, 0,
                                 nullptr);
  Expect(pipe != INVALID_HANDLE_VALUE, "CreateNamedPipeW failed");
  const uint32_t unit = Ref(vm.NewString(u"unit-1-ä"));
  for (const std::u16string& name :
       {std::u16string(u"\\\\.\\pipe\\kx-never-writes"),
        std::u16string(u"NUL")}) {
    const uint32_t path = Ref(vm.NewString(name));
    natives.Refused("ConfigImport", {unit, path}, kFileRead);
    natives.Refused("SystemParamImport", {unit, path, 0}, kFileRead);
    natives.Refused("ModeSelect", {unit, 0x3F, 0, 0, path}, kFileRead);
  }
  if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);

  const std::wstring fresh = scratch + L"\\password station";
  if (!OpenStation(vm, natives, U16(fresh), fresh)) return;
  const uint32_t guess = Ref(vm.NewString(u"guess"));
  for (int i = 0; i < 5; ++i) {
    Expect(natives.Succeed("PasswdCheck", {guess}) == static_cast<uint32_t>(-1),
           "a wrong station password was not answered -1");
  }
  natives.Refused("PasswdCheck", {Ref(vm.NewString(u""))}, kSignInDelayed);
}

// --- Child processes ---------------------------------------------------------

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// Starts this program with the arguments; null on failure.
HANDLE StartSelf(const std::wstring& arguments, DWORD* pid = nullptr) {
  std::wstring line = L"\"" + OwnPath() + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  if (pid != nullptr) *pid = process.dwProcessId;
  return process.hProcess;
}

// --sleep PID_FILE: starts a second sleeper, writes its process id to
// PID_FILE ("-": none) and sleeps a minute; what a stuck alert program
// with a child of its own looks like.
int SleepingChild(const char* pid_file) {
  if (std::strcmp(pid_file, "-") != 0) {
    DWORD pid = 0;
    HANDLE grandchild = StartSelf(L"--sleep -", &pid);
    if (grandchild == nullptr) return 4;
    CloseHandle(grandchild);
    const std::string text = std::to_string(pid);
    HANDLE file = CreateFileW(Widen(pid_file).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written,
              nullptr);
    CloseHandle(file);
  }
  Sleep(60000);
  return 0;
}

// --append CORE_DLL STATION COUNT TAG: opens the station through the core
// directly and appends COUNT log lines "TAG line <i> xxx...".
int AppendingChild(const char* core_dll, const char* station, int count,
                   const char* tag) {
  HMODULE core = LoadLibraryW(Widen(core_dll).c_str());
  if (core == nullptr) return 4;
  using Initialize = int32_t (*)(const char*);
  using Put = int32_t (*)(const char*);
  auto initialize = reinterpret_cast<Initialize>(
      reinterpret_cast<void*>(GetProcAddress(core, "KX_GUIInitialize")));
  auto put = reinterpret_cast<Put>(
      reinterpret_cast<void*>(GetProcAddress(core, "KX_AppLogPut")));
  if (initialize == nullptr || put == nullptr) return 4;
  char directory[250] = {};  // a WorkingDirectory record
  std::snprintf(directory, sizeof directory, "%s", station);
  if (initialize(directory) != 0) return 5;
  for (int i = 0; i < count; ++i) {
    char text[1024] = {};  // the core reads a 1024-byte field
    std::snprintf(text, sizeof text, "%s line %d %s", tag, i,
                  std::string(200, 'x').c_str());
    if (put(text) != 0) return 6;
  }
  return 0;
}

// A program that outlives its timeout is stopped with the process it
// started (the job object), and the call says so.
void CheckProgramTimeout(FakeVm& vm, Natives& natives,
                         const std::wstring& scratch) {
  g_group = "program timeout";
  jobject settings = vm.NewInstance("korvane/str/diskarray/ExProgramInfo");
  const std::wstring pid_file = scratch + L"\\grandchild.pid";
  const std::u16string line =
      u"'" + U16(OwnPath()) + u"' --sleep '" + U16(pid_file) + u"'";
  vm.SetIntField(settings, "on_off", 0);
  vm.SetIntField(settings, "exec_mode", 3);  // seconds
  vm.SetStringField(settings, "program_name", &line);
  const DWORD start = GetTickCount();
  natives.Refused("ExecuteProgramTest", {Ref(settings)}, kProgramTimeout);
  const DWORD elapsed = GetTickCount() - start;
  Expect(elapsed >= 2900 && elapsed < 20000,
         "the timeout of 3 s took " + std::to_string(elapsed) + " ms");
  const std::string pid_text = ReadWholeFile(pid_file);
  const DWORD pid =
      static_cast<DWORD>(std::strtoul(pid_text.c_str(), nullptr, 10));
  Expect(pid != 0, "the program did not start its own child");
  HANDLE grandchild = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
  // Gone already, or ending now.
  Expect(grandchild == nullptr ||
             WaitForSingleObject(grandchild, 5000) == WAIT_OBJECT_0,
         "the program's own child still runs after the timeout");
  if (grandchild != nullptr) CloseHandle(grandchild);
}

// Four processes append to one log at once: every line arrives whole, once.
void CheckLogAcrossProcesses(FakeVm& vm, Natives& natives,
                             const std::wstring& dll_dir) {
  g_group = "log across processes";
  const std::u16string station = u"C:\\kx win32 tests\\shared log";
  if (!OpenStation(vm, natives, station, Wide(station))) return;
  constexpr int kProcesses = 4;
  constexpr int kLines = 100;
  std::vector<HANDLE> children;
  for (int i = 0; i < kProcesses; ++i) {
    HANDLE child = StartSelf(L"--append \"" + dll_dir + L"\\tesk740.dll\" \"" +
                             Wide(station) + L"\" " + std::to_wstring(kLines) +
                             L" P" + std::to_wstring(i));
    Expect(child != nullptr, "a child could not be started");
    if (child != nullptr) children.push_back(child);
  }
  for (HANDLE child : children) {
    DWORD code = 1;
    const bool ended = WaitForSingleObject(child, 120000) == WAIT_OBJECT_0;
    if (ended) GetExitCodeProcess(child, &code);
    Expect(ended && code == 0,
           "an appending child failed (exit " + std::to_string(code) + ")");
    if (!ended) TerminateProcess(child, 1);
    CloseHandle(child);
  }
  const std::string log = ReadWholeFile(Wide(station) + L"\\application.log");
  const std::regex whole("\\S+ \\[[0-9]+\\] P([0-9]) line ([0-9]+) x{200}");
  std::set<std::pair<int, int>> seen;
  size_t lines = 0;
  std::stringstream stream(log);
  std::string entry;
  while (std::getline(stream, entry)) {
    ++lines;
    std::smatch parts;
    if (!std::regex_match(entry, parts, whole)) {
      Expect(false, "a torn or mixed log line: " + entry.substr(0, 80));
      continue;
    }
    Expect(seen.insert({std::stoi(parts[1]), std::stoi(parts[2])}).second,
           "a log line came twice: " + entry.substr(0, 60));
  }
  Expect(seen.size() == kProcesses * kLines,
         std::to_string(seen.size()) + " distinct lines of " +
             std::to_string(kProcesses * kLines) + " in " +
             std::to_string(lines));
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--sleep") == 0) {
    return SleepingChild(argv[2]);
  }
  if (argc == 6 && std::strcmp(argv[1], "--append") == 0) {
    return AppendingChild(argv[2], argv[3], std::atoi(argv[4]), argv[5]);
  }
  if (argc != 10) {
    std::fprintf(stderr,
                 "usage: %s DLL_DIR JNI_HEADER IMPLEMENTED_LIST SCRATCH_DIR "
                 "SMTP_SERVER SMTP_DIR STARTTLS_SERVER STARTTLS_DIR "
                 "TRAP_MANAGER\n",
                 argv[0]);
    return 2;
  }
  const std::wstring dll_dir = Widen(argv[1]);
  const std::string header = ReadText(argv[2]);
  std::vector<std::string> implemented;
  {
    std::stringstream list(ReadText(argv[3]));
    std::string line;
    while (std::getline(list, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) implemented.push_back(line);
    }
  }
  const std::wstring scratch = Widen(argv[4]);
  const std::wstring bridge_path = dll_dir + L"\\diskarrayjni.dll";

  // The JVM loads the bridge by its full path; Windows then looks for
  // tesk740.dll along its DLL search path, which ends with PATH, and not in
  // the bridge's folder.
  g_group = "loading";
  HMODULE bridge = LoadLibraryW(bridge_path.c_str());
  const DWORD without_path = GetLastError();
  Expect(bridge == nullptr && without_path == ERROR_MOD_NOT_FOUND,
         "the bridge loaded with tesk740.dll's folder off PATH (error " +
             std::to_string(without_path) + ")");
  if (bridge != nullptr) FreeLibrary(bridge);
  wchar_t old_path[32768];
  const DWORD old_length = GetEnvironmentVariableW(L"PATH", old_path, 32768);
  std::wstring path = dll_dir;
  if (old_length > 0 && old_length < 32768)
    path += L";" + std::wstring(old_path);
  SetEnvironmentVariableW(L"PATH", path.c_str());
  bridge = LoadLibraryW(bridge_path.c_str());
  if (bridge == nullptr) {
    Expect(false, "LoadLibraryW(diskarrayjni.dll) failed with error " +
                      std::to_string(GetLastError()));
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return 1;
  }
  HMODULE core = GetModuleHandleW(L"tesk740.dll");
  wchar_t core_file[MAX_PATH] = L"";
  if (core != nullptr) GetModuleFileNameW(core, core_file, MAX_PATH);
  Expect(core != nullptr &&
             _wcsicmp(core_file, (dll_dir + L"\\tesk740.dll").c_str()) == 0,
         "tesk740.dll did not come from " + Narrow(dll_dir) + " but from " +
             Narrow(core_file));

  CheckExports(bridge, header, implemented);
  CheckHarness(core);

  FakeVm vm;
  Natives natives(bridge, vm);
  CheckNullArguments(vm, natives);
  CheckStations(vm, natives, scratch);
  CheckProgramRun(vm, natives);
  CheckUsers(vm, natives);
  CheckFilePaths(vm, natives);
  CheckMail(vm, natives, argv[5], Widen(argv[6]), argv[7], Widen(argv[8]));
  CheckTrap(vm, natives, argv[9]);
  CheckProgramTimeout(vm, natives, scratch);
  CheckLogAcrossProcesses(vm, natives, dll_dir);
  CheckCallerFiles(vm, natives, scratch);

  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  return g_failed == 0 ? 0 : 1;
}
