// Operating parameters: the online system and tuning parameters, the drive
// maintenance parameters, the unit identity, command device, warning mode
// and the station-wide alert interval. Each group is one record in the
// settings store, checked whole before it is stored; kx_station_parameters.h
// gives the ranges and defaults.
#include "parameters/parameters.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_station_parameters.h"
#include "kx_station_maintenance.h"
#include "model/events.h"
#include "model/registry.h"
#include "station/fixed_text.h"
#include "station/settings.h"

namespace tesk740 {

void RecordParameterEvent(Database& database, int64_t unit_id,
                          const std::string& what) {
  Event event;
  event.kind = "parameters-changed";
  event.category = KX_TRACE_CONFIGURATION;
  event.text = what;
  RecordEvent(database, unit_id, event);
}

LuSet LoadLuSet(Database& database, int64_t unit_id) {
  LuSet lus;
  Statement select =
      database.Prepare("SELECT lu_number FROM logical_unit WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  while (select.Step()) {
    const int64_t number = select.Int(0);
    lus.set(static_cast<size_t>(number));
  }
  return lus;
}

LuSet AnyLu() { return LuSet().set(); }

bool IsPrintableText(const char* field, size_t width, size_t min_length) {
  const void* end = std::memchr(field, '\0', width);
  if (end == nullptr) return false;
  const size_t length = static_cast<size_t>(static_cast<const char*>(end) - field);
  if (length < min_length) return false;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char byte = static_cast<unsigned char>(field[i]);
    if (byte < 0x20 || byte > 0x7E) return false;
  }
  return true;
}

bool IsSwitch(int64_t value) {
  return value == KX_SWITCH_OFF || value == KX_SWITCH_ON;
}

int64_t UnitModel(Database& database, int64_t unit_id) {
  Statement select =
      database.Prepare("SELECT kx_type FROM unit WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) Fail(KXE_UNKNOWN_UNIT);
  return select.Int(0);
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool FromHex(std::string_view hex, void* bytes, size_t size) {
  if (hex.size() != size * 2) return false;
  auto* at = static_cast<uint8_t*>(bytes);
  for (size_t i = 0; i < size; ++i) {
    const int high = HexDigit(hex[2 * i]);
    const int low = HexDigit(hex[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    at[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return true;
}

namespace {

bool InRange(int64_t value, int64_t low, int64_t high) {
  return value >= low && value <= high;
}

// Rewrites a text field so that every byte after its NUL is zero: stored
// records and the files written from them depend on the text alone.
void CanonicalText(char* field, size_t width) {
  const void* end = std::memchr(field, '\0', width);
  const size_t length =
      end ? static_cast<size_t>(static_cast<const char*>(end) - field)
          : width - 1;
  std::memset(field + length, 0, width - length);
}

// Each group: its setting name, defaults, check and canonical form. `lus`
// are the LUs a per-LU value may name. A group whose canonical form depends
// on the unit's LUs says so with kCanonicalReadsLus; the others are read
// without loading the LU table.
template <typename Record>
struct Traits;

template <typename T, typename = void>
struct CanonicalReadsLus : std::false_type {};
template <typename T>
struct CanonicalReadsLus<T, std::void_t<decltype(T::kCanonicalReadsLus)>>
    : std::bool_constant<T::kCanonicalReadsLus> {};

template <>
struct Traits<OnlineSystemParamRecord> {
  static constexpr const char* kName = "online_system";
  static constexpr int32_t kBit = KX_PARAM_ONLINE_SYSTEM;
  static OnlineSystemParamRecord Defaults(int64_t) {
    OnlineSystemParamRecord record{};
    record.warning_report = KX_SWITCH_ON;
    record.auto_reconst = KX_SWITCH_ON;
    record.command_que = KX_SWITCH_ON;
    for (SystemParamCtlRecord& ctl : record.ctl) ctl.error_out = KX_SWITCH_ON;
    return record;
  }
  static int32_t Check(const OnlineSystemParamRecord& record, const LuSet&) {
    return CheckOnlineSystem(record);
  }
  static void Canonical(OnlineSystemParamRecord& record, const LuSet&) {
    CanonicalText(record.web_title, sizeof record.web_title);
  }
};

template <>
struct Traits<OnlineTuningParamRecord> {
  static constexpr const char* kName = "online_tuning";
  static constexpr int32_t kBit = KX_PARAM_ONLINE_TUNING;
  static OnlineTuningParamRecord Defaults(int64_t) {
    OnlineTuningParamRecord record{};
    record.def_lun = KX_NO_LU;
    return record;
  }
  static int32_t Check(const OnlineTuningParamRecord& record,
                       const LuSet& lus) {
    if (!InRange(record.def_mode, 0, KX_TUNING_MODE_MAX) ||
        !IsSwitch(record.dir_sweep) || !IsSwitch(record.dir_sweep_stop) ||
        !(record.def_lun == KX_NO_LU ||
          InRange(record.def_lun, 0, KX_LOGICAL_UNIT_COUNT - 1))) {
      return KXE_INVALID_ONLINE_TUNING_PARAM;
    }
    for (const LUTuningRecord& lu : record.lu) {
      if (lu.pre_start > KX_PREFETCH_START_MAX) {
        return KXE_INVALID_ONLINE_TUNING_PARAM;
      }
    }
    if (record.def_lun != KX_NO_LU &&
        !lus.test(static_cast<size_t>(record.def_lun))) {
      return KXE_TUNING_FOR_MISSING_LU;
    }
    for (size_t n = 0; n < kLuTuningCapacity; ++n) {
      if (record.lu[n].pre_start != 0 && !lus.test(n)) {
        return KXE_TUNING_FOR_MISSING_LU;
      }
    }
    return KX_OK;
  }
  // Values of LUs that no longer exist read back as the defaults.
  static constexpr bool kCanonicalReadsLus = true;
  static void Canonical(OnlineTuningParamRecord& record, const LuSet& lus) {
    std::memset(record.unused_1, 0, sizeof record.unused_1);
    std::memset(record.unused_522, 0, sizeof record.unused_522);
    if (record.def_lun != KX_NO_LU &&
        !lus.test(static_cast<size_t>(record.def_lun))) {
      record.def_lun = KX_NO_LU;
    }
    for (size_t n = 0; n < kLuTuningCapacity; ++n) {
      if (!lus.test(n)) record.lu[n].pre_start = 0;
    }
  }
};

template <>
struct Traits<TuningParamRecord> {
  static constexpr const char* kName = "tuning";
  static constexpr int32_t kBit = KX_PARAM_TUNING;
  static TuningParamRecord Defaults(int64_t) { return {0, 10, 50}; }
  static int32_t Check(const TuningParamRecord& record, const LuSet&) {
    if (!InRange(record.def_mode, 0, KX_TUNING_MODE_MAX) ||
        !InRange(record.reserve_buf_size, 0, KX_RESERVE_BUFFER_MAX) ||
        !InRange(record.current_buf_size, KX_CURRENT_BUFFER_MIN,
                 KX_CURRENT_BUFFER_MAX) ||
        record.reserve_buf_size > record.current_buf_size) {
      return KXE_INVALID_TUNING_PARAM;
    }
    return KX_OK;
  }
  static void Canonical(TuningParamRecord&, const LuSet&) {}
};

template <>
struct Traits<DiskDriveRestorationRecord> {
  static constexpr const char* kName = "restoration";
  static constexpr int32_t kBit = KX_PARAM_RESTORATION;
  static DiskDriveRestorationRecord Defaults(int64_t) {
    return {1, KX_SWITCH_ON, KX_SWITCH_ON, 10, 128};
  }
  static int32_t Check(const DiskDriveRestorationRecord& record,
                       const LuSet&) {
    if (!InRange(record.mode, 0, KX_RESTORE_MODE_MAX) ||
        !IsSwitch(record.restoration) || !IsSwitch(record.dynamic_sparing) ||
        !InRange(record.interval, 0, KX_RESTORE_INTERVAL_MAX) ||
        !InRange(record.unit_size, 1, KX_RESTORE_UNIT_MAX)) {
      return KXE_INVALID_RESTORATION;
    }
    return KX_OK;
  }
  static void Canonical(DiskDriveRestorationRecord&, const LuSet&) {}
};

template <>
struct Traits<PrefetchInformationRecord> {
  static constexpr const char* kName = "prefetch";
  static constexpr int32_t kBit = KX_PARAM_PREFETCH;
  static PrefetchInformationRecord Defaults(int64_t) {
    return {256, 256, 512, 128, 64};
  }
  static int32_t Check(const PrefetchInformationRecord& record, const LuSet&) {
    if (!InRange(record.stg_rd0, 0, KX_STAGING_KB_MAX) ||
        !InRange(record.stg_rd1, 0, KX_STAGING_KB_MAX) ||
        !InRange(record.stg_rd5, 0, KX_STAGING_KB_MAX) ||
        !InRange(record.stg_next, 0, KX_STAGING_KB_MAX) ||
        !InRange(record.stg_hed_size, 0, KX_STAGING_HEAD_MAX)) {
      return KXE_INVALID_PREFETCH;
    }
    return KX_OK;
  }
  static void Canonical(PrefetchInformationRecord&, const LuSet&) {}
};

template <>
struct Traits<OnlineVerifyRecord> {
  static constexpr const char* kName = "online_verify";
  static constexpr int32_t kBit = KX_PARAM_ONLINE_VERIFY;
  static OnlineVerifyRecord Defaults(int64_t) {
    OnlineVerifyRecord record{};
    record.test = KX_SWITCH_ON;
    record.idling_time = 60;
    return record;
  }
  static int32_t Check(const OnlineVerifyRecord& record, const LuSet&) {
    if (!IsSwitch(record.test) ||
        !InRange(record.idling_time, 1, KX_IDLING_TIME_MAX)) {
      return KXE_INVALID_ONLINE_VERIFY;
    }
    return KX_OK;
  }
  static void Canonical(OnlineVerifyRecord& record, const LuSet&) {
    std::memset(record.unused_1, 0, sizeof record.unused_1);
  }
};

template <>
struct Traits<ThresholdRecord> {
  static constexpr const char* kName = "threshold";
  static constexpr int32_t kBit = KX_PARAM_THRESHOLD;
  static ThresholdRecord Defaults(int64_t) {
    return {255, 1, 255, 1, 255, 1, 255, 1, 255, 1, 255, 1, 100, 1};
  }
  static int32_t Check(const ThresholdRecord& record, const LuSet&) {
    int32_t values[sizeof(ThresholdRecord) / sizeof(int32_t)];
    std::memcpy(values, &record, sizeof values);
    for (int32_t value : values) {
      if (!InRange(value, 0, KX_THRESHOLD_MAX)) return KXE_INVALID_THRESHOLD;
    }
    return KX_OK;
  }
  static void Canonical(ThresholdRecord&, const LuSet&) {}
};

template <>
struct Traits<UnitIdentifierRecord> {
  static constexpr const char* kName = "identifier";
  static constexpr int32_t kBit = KX_PARAM_IDENTIFIER;
  static UnitIdentifierRecord Defaults(int64_t unit_id) {
    UnitIdentifierRecord record{};
    char id[8];
    std::snprintf(id, sizeof id, "%04X",
                  static_cast<unsigned>(unit_id & 0xFFFF));
    WriteFixedText(id, record.equipment_id, sizeof record.equipment_id);
    for (int i = 0; i < 2; ++i) {
      WriteFixedText("CTL", record.ctl[i].id_front,
                     sizeof record.ctl[i].id_front);
      WriteFixedText(i == 0 ? "0" : "1", record.ctl[i].id_rear,
                     sizeof record.ctl[i].id_rear);
    }
    return record;
  }
  static int32_t Check(const UnitIdentifierRecord& record, const LuSet&) {
    return CheckIdentifier(record);
  }
  static void Canonical(UnitIdentifierRecord& record, const LuSet&) {
    CanonicalText(record.equipment_id, sizeof record.equipment_id);
    std::memset(record.unused_5, 0, sizeof record.unused_5);
    for (ControllerInfoRecord& ctl : record.ctl) {
      CanonicalText(ctl.id_front, sizeof ctl.id_front);
      CanonicalText(ctl.id_rear, sizeof ctl.id_rear);
    }
  }
};

template <>
struct Traits<CommandDeviceRecord> {
  static constexpr const char* kName = "command_device";
  static constexpr int32_t kBit = KX_PARAM_COMMAND_DEVICE;
  static CommandDeviceRecord Defaults(int64_t) {
    CommandDeviceRecord record{};
    record.lu[0] = record.lu[1] = KX_NO_LU;
    return record;
  }
  static int32_t Check(const CommandDeviceRecord& record, const LuSet& lus) {
    if (!IsSwitch(record.quel_lite) || !IsSwitch(record.mode) ||
        !IsPrintableText(record.sequence_no, sizeof record.sequence_no)) {
      return KXE_INVALID_COMMAND_DEVICE;
    }
    for (int i = 0; i < 2; ++i) {
      if (!IsSwitch(record.valid[i]) || !IsSwitch(record.security[i])) {
        return KXE_INVALID_COMMAND_DEVICE;
      }
    }
    if (record.valid[0] && record.valid[1] && record.lu[0] == record.lu[1]) {
      return KXE_INVALID_COMMAND_DEVICE;
    }
    for (int i = 0; i < 2; ++i) {
      if (record.valid[i] &&
          (!InRange(record.lu[i], 0, KX_LOGICAL_UNIT_COUNT - 1) ||
           !lus.test(static_cast<size_t>(record.lu[i])))) {
        return KXE_COMMAND_DEVICE_LU;
      }
    }
    return KX_OK;
  }
  // An entry that is not valid names no LU; one whose LU was deleted is no
  // longer valid.
  static constexpr bool kCanonicalReadsLus = true;
  static void Canonical(CommandDeviceRecord& record, const LuSet& lus) {
    CanonicalText(record.sequence_no, sizeof record.sequence_no);
    for (int i = 0; i < 2; ++i) {
      if (record.valid[i] &&
          !lus.test(static_cast<size_t>(record.lu[i]))) {
        record.valid[i] = KX_SWITCH_OFF;
      }
      if (!record.valid[i]) record.lu[i] = KX_NO_LU;
    }
  }
};

template <>
struct Traits<WarningInfoRecord> {
  static constexpr const char* kName = "warning";
  static constexpr int32_t kBit = KX_PARAM_WARNING;
  static WarningInfoRecord Defaults(int64_t) { return {KX_SWITCH_ON}; }
  static int32_t Check(const WarningInfoRecord& record, const LuSet&) {
    return InRange(record.report_mode, 0, KX_WARNING_MODE_MAX)
               ? KX_OK
               : KXE_INVALID_WARNING_MODE;
  }
  static void Canonical(WarningInfoRecord&, const LuSet&) {}
};

std::string SettingName(const char* group) {
  return std::string("parameters.") + group;
}

// The stored record, checked as stored data: a value outside its range was
// not written by this station.
template <typename Record>
Record Load(Database& database, int64_t unit_id) {
  Record record = LoadSetting(
      database, unit_id, SettingName(Traits<Record>::kName),
      Traits<Record>::Defaults(unit_id), [](const Record& stored) {
        RequireOk(Traits<Record>::Check(stored, AnyLu()));
      });
  if constexpr (CanonicalReadsLus<Traits<Record>>::value) {
    Traits<Record>::Canonical(record, LoadLuSet(database, unit_id));
  } else {
    Traits<Record>::Canonical(record, AnyLu());
  }
  return record;
}

// Checks against the unit's LUs and stores the canonical form; 0 or the
// group's code, nothing stored on a refusal.
template <typename Record>
int32_t Store(Database& database, int64_t unit_id, const Record& given) {
  const LuSet lus = LoadLuSet(database, unit_id);
  const int32_t code = Traits<Record>::Check(given, lus);
  if (code != KX_OK) return code;
  Record record = given;
  Traits<Record>::Canonical(record, lus);
  StoreSetting(database, unit_id, SettingName(Traits<Record>::kName), record);
  RecordParameterEvent(database, unit_id,
                       std::string("parameters set: ") + Traits<Record>::kName);
  return KX_OK;
}

template <typename Record>
int32_t GetGroup(const char* unit, Record* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    *record = Load<Record>(database, unit_id);
    return KX_OK;
  });
}

template <typename Record>
int32_t SetGroup(const char* unit, const Record* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = RequireUnit(database, unit, kUnitNameSize);
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    return Store(database, unit_id, *record);
  });
}

template <typename Record>
constexpr ParameterGroup GroupOf() {
  return {Traits<Record>::kName, Traits<Record>::kBit, sizeof(Record),
          [](Database& database, int64_t unit_id, void* record) {
            const Record loaded = Load<Record>(database, unit_id);
            std::memcpy(record, &loaded, sizeof loaded);
          },
          [](const void* bytes, const LuSet& lus) {
            Record record;
            std::memcpy(&record, bytes, sizeof record);
            return Traits<Record>::Check(record, lus);
          },
          [](Database& database, int64_t unit_id, const void* bytes) {
            Record record;
            std::memcpy(&record, bytes, sizeof record);
            if (Store(database, unit_id, record) != KX_OK) {
              Fail(KXE_INTERNAL);  // checked before; cannot happen
            }
          }};
}

const ParameterGroup kGroups[] = {
    GroupOf<OnlineSystemParamRecord>(),   GroupOf<OnlineTuningParamRecord>(),
    GroupOf<TuningParamRecord>(),         GroupOf<DiskDriveRestorationRecord>(),
    GroupOf<PrefetchInformationRecord>(), GroupOf<OnlineVerifyRecord>(),
    GroupOf<ThresholdRecord>(),           GroupOf<UnitIdentifierRecord>(),
    GroupOf<CommandDeviceRecord>(),       GroupOf<WarningInfoRecord>(),
};

constexpr const char* kAlertIntervalSetting = "parameters.alert_interval";

}  // namespace

int32_t CheckOnlineSystem(const OnlineSystemParamRecord& record) {
  const uint8_t switches[] = {
      record.procom,          record.warning_report,
      record.hit_guarantee,   record.nx_connect,
      record.auto_reconst,    record.force_write_through,
      record.change_lu,       record.multi_stream,
      record.multi_stream_write, record.multi_stream_read,
      record.command_que,     record.shutdown_chk1,
      record.add_bat_unit,    record.ctl[0].error_out,
      record.ctl[0].write_verify, record.ctl[1].error_out,
      record.ctl[1].write_verify};
  for (uint8_t value : switches) {
    if (!IsSwitch(value)) return KXE_INVALID_ONLINE_SYSTEM_PARAM;
  }
  if (!IsPrintableText(record.web_title, sizeof record.web_title)) {
    return KXE_INVALID_ONLINE_SYSTEM_PARAM;
  }
  return KX_OK;
}

int32_t CheckIdentifier(const UnitIdentifierRecord& record) {
  if (!IsPrintableText(record.equipment_id, sizeof record.equipment_id, 1)) {
    return KXE_INVALID_UNIT_IDENTIFIER;
  }
  for (const char* c = record.equipment_id; *c != '\0'; ++c) {
    if (!((*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))) {
      return KXE_INVALID_UNIT_IDENTIFIER;
    }
  }
  for (const ControllerInfoRecord& ctl : record.ctl) {
    if (!IsSwitch(ctl.ctrl_name_mode) ||
        !IsPrintableText(ctl.id_front, sizeof ctl.id_front) ||
        !IsPrintableText(ctl.id_rear, sizeof ctl.id_rear)) {
      return KXE_INVALID_UNIT_IDENTIFIER;
    }
  }
  return KX_OK;
}

OnlineSystemParamRecord DefaultOnlineSystem() {
  return Traits<OnlineSystemParamRecord>::Defaults(0);
}

UnitIdentifierRecord DefaultIdentifier(int64_t unit_id) {
  return Traits<UnitIdentifierRecord>::Defaults(unit_id);
}

OnlineSystemParamRecord LoadOnlineSystem(Database& database, int64_t unit_id) {
  return Load<OnlineSystemParamRecord>(database, unit_id);
}

void StoreOnlineSystem(Database& database, int64_t unit_id,
                       const OnlineSystemParamRecord& record) {
  if (Store(database, unit_id, record) != KX_OK) Fail(KXE_INTERNAL);
}

UnitIdentifierRecord LoadIdentifier(Database& database, int64_t unit_id) {
  return Load<UnitIdentifierRecord>(database, unit_id);
}

void StoreIdentifier(Database& database, int64_t unit_id,
                     const UnitIdentifierRecord& record) {
  if (Store(database, unit_id, record) != KX_OK) Fail(KXE_INTERNAL);
}

const ParameterGroup* ParameterGroups(size_t* count) {
  *count = sizeof kGroups / sizeof kGroups[0];
  return kGroups;
}

const ParameterGroup* FindParameterGroup(std::string_view name) {
  for (const ParameterGroup& group : kGroups) {
    if (name == group.name) return &group;
  }
  return nullptr;
}

}  // namespace tesk740

using tesk740::Database;
using tesk740::Station;

#define KX_PARAMETER_GROUP(Operation, Record)                      \
  KX_API int32_t KX_Get##Operation(const char* unit, Record* record) { \
    return tesk740::GetGroup(unit, record);                        \
  }                                                                \
  KX_API int32_t KX_Set##Operation(const char* unit,               \
                                   const Record* record) {         \
    return tesk740::SetGroup(unit, record);                        \
  }

KX_PARAMETER_GROUP(OnlineSystemParam, OnlineSystemParamRecord)
KX_PARAMETER_GROUP(OnlineTuningParam, OnlineTuningParamRecord)
KX_PARAMETER_GROUP(TuningParam, TuningParamRecord)
KX_PARAMETER_GROUP(DiskDriveRestoration, DiskDriveRestorationRecord)
KX_PARAMETER_GROUP(PrefetchInformation, PrefetchInformationRecord)
KX_PARAMETER_GROUP(OnlineVerify, OnlineVerifyRecord)
KX_PARAMETER_GROUP(Threshold, ThresholdRecord)
KX_PARAMETER_GROUP(UnitIdentifier, UnitIdentifierRecord)
KX_PARAMETER_GROUP(CommandDevice, CommandDeviceRecord)
KX_PARAMETER_GROUP(WarningInfo, WarningInfoRecord)

KX_API int32_t KX_GetAlertInterval(int32_t* interval) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    if (interval == nullptr) return KXE_INVALID_ARGUMENT;
    *interval = tesk740::LoadSetting<int32_t>(
        database, tesk740::kStationWide, tesk740::kAlertIntervalSetting,
        KX_ALERT_INTERVAL_DEFAULT, [](int32_t stored) {
          if (stored < KX_ALERT_INTERVAL_MIN ||
              stored > KX_ALERT_INTERVAL_MAX) {
            tesk740::Fail(KXE_INVALID_ALERT_INTERVAL);
          }
        });
    return KX_OK;
  });
}

KX_API int32_t KX_SetAlertInterval(int32_t interval) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    if (interval < KX_ALERT_INTERVAL_MIN || interval > KX_ALERT_INTERVAL_MAX) {
      return KXE_INVALID_ALERT_INTERVAL;
    }
    tesk740::StoreSetting(database, tesk740::kStationWide,
                          tesk740::kAlertIntervalSetting, interval);
    return KX_OK;
  });
}
