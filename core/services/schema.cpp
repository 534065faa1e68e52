// Tables of the notification and host services. The e-mail and external
// program settings are station-wide records of the settings store
// (settings.h); the per-unit state is kept here.
#include "kx_station_services.h"
#include "station/station.h"

namespace tesk740 {
namespace {

constexpr const char* kServicesSteps[] = {
    // 1: alerts already reported per unit, the latest new alert, mail
    // append texts, SNMP settings and managers.
    R"sql(
      CREATE TABLE service_alert_seen (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        item TEXT NOT NULL,
        PRIMARY KEY (unit_id, item)
      );
      CREATE TABLE service_alert_event (
        event_id INTEGER PRIMARY KEY CHECK (event_id = 1),
        unit_name TEXT NOT NULL,
        time_ms INTEGER NOT NULL,
        value INTEGER NOT NULL,
        details TEXT NOT NULL
      );
      CREATE TABLE service_mail_append (
        unit_id INTEGER PRIMARY KEY REFERENCES unit(unit_id) ON DELETE CASCADE,
        text TEXT NOT NULL
      );
      CREATE TABLE service_snmp (
        unit_id INTEGER PRIMARY KEY REFERENCES unit(unit_id) ON DELETE CASCADE,
        community TEXT NOT NULL,
        traps INTEGER NOT NULL,
        kinds INTEGER NOT NULL
      );
      CREATE TABLE service_snmp_manager (
        unit_id INTEGER NOT NULL REFERENCES unit(unit_id) ON DELETE CASCADE,
        position INTEGER NOT NULL,
        host TEXT NOT NULL,
        port INTEGER NOT NULL,
        PRIMARY KEY (unit_id, position)
      );
    )sql",
    // 2: the SNMP managers' positions, enforced by the database as well.
    KX_SQL_RANGE_TRIGGERS("service_snmp_manager",
                          KX_SQL_INT_IN("position", "0", "7")),
    // 3: the alerts a check found ended, for the external program.
    "ALTER TABLE service_alert_event ADD COLUMN cleared TEXT NOT NULL"
    " DEFAULT '';",
};
static_assert(KX_SNMP_MAX_MANAGERS == 8,
              "step 2 writes the managers' range as numbers");

constexpr ColumnRule kServicesColumns[] = {
    TextColumn("service_alert_event", "unit_name", 0, 16),
    IntegerColumn("service_alert_event", "time_ms", 0, kAnyInteger),
    TextColumn("service_alert_event", "details", 0, 4096),
    TextColumn("service_alert_event", "cleared", 0, 4096),
    TextColumn("service_mail_append", "text", 0, 1023),
    TextColumn("service_snmp", "community", 0, KX_SNMP_MAX_COMMUNITY),
    IntegerColumn("service_snmp", "traps", 0, 1),
    IntegerColumn("service_snmp_manager", "position", 0,
                  KX_SNMP_MAX_MANAGERS - 1),
    TextColumn("service_snmp_manager", "host", 0, 1023),
    IntegerColumn("service_snmp_manager", "port", 1, 65535),
};

}  // namespace

const SchemaArea kServicesSchema = {"services", kServicesSteps, std::size(kServicesSteps),
                            kServicesColumns, std::size(kServicesColumns)};

namespace {

}  // namespace
}  // namespace tesk740
