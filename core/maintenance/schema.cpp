// The tables of maintenance, and the triggers that write the event history
// of every unit as the other areas change it: each event is recorded in the
// transaction of the change itself, so a refused change leaves none.
#include "kx_station_maintenance.h"
#include "station/station.h"

namespace tesk740 {
namespace {

// The time of a trigger's event, in ms since the epoch.
#define KX_EVENT_NOW \
  "CAST(ROUND((julianday('now') - 2440587.5) * 86400000) AS INTEGER)"
// A trigger on a table whose rows go with their unit records nothing while
// the unit itself is being deleted.
#define KX_UNIT_EXISTS(unit) \
  "EXISTS (SELECT 1 FROM unit WHERE unit_id = " unit ")"

constexpr const char* kMaintenanceSteps[] = {
    // 1: restarts, microcode, the event history and its triggers.
    // unit_event has no foreign key: triggers of tables that cascade from
    // unit write into it, and a deleted unit's events go through the
    // trigger on unit instead.
    "CREATE TABLE unit_restart ("
    "  unit_id INTEGER PRIMARY KEY REFERENCES unit(unit_id) ON DELETE CASCADE,"
    "  ready_at_ms INTEGER NOT NULL,"
    "  reason TEXT NOT NULL);"
    "CREATE TABLE unit_microcode ("
    "  unit_id INTEGER PRIMARY KEY REFERENCES unit(unit_id) ON DELETE CASCADE,"
    "  revision TEXT NOT NULL);"
    "CREATE TABLE micro_assembly ("
    "  unit_id INTEGER PRIMARY KEY REFERENCES unit(unit_id) ON DELETE CASCADE,"
    "  model INTEGER NOT NULL,"
    "  revision TEXT NOT NULL,"
    "  part_count INTEGER NOT NULL,"
    "  parts_joined INTEGER NOT NULL,"
    "  image BLOB NOT NULL);"
    "CREATE TABLE micro_image ("
    "  unit_id INTEGER PRIMARY KEY REFERENCES unit(unit_id) ON DELETE CASCADE,"
    "  revision TEXT NOT NULL,"
    "  image BLOB NOT NULL,"
    "  portions_received INTEGER NOT NULL,"
    "  prepared_seq INTEGER NOT NULL);"
    "CREATE TABLE micro_cancel ("
    "  id INTEGER PRIMARY KEY CHECK (id = 1),"
    "  generation INTEGER NOT NULL);"
    "INSERT INTO micro_cancel (id, generation) VALUES (1, 0);"
    "CREATE TABLE unit_event ("
    "  event_id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  unit_id INTEGER NOT NULL,"
    "  time_ms INTEGER NOT NULL,"
    "  controller INTEGER NOT NULL,"
    "  category INTEGER NOT NULL,"
    "  text TEXT NOT NULL);"
    "CREATE INDEX unit_event_by_unit ON unit_event (unit_id, event_id);"
    "CREATE TRIGGER unit_event_follows_unit AFTER DELETE ON unit BEGIN"
    "  DELETE FROM unit_event WHERE unit_id = old.unit_id;"
    "END;"
    // The newest 10000 events of a unit are kept.
    "CREATE TRIGGER unit_event_kept AFTER INSERT ON unit_event BEGIN"
    "  DELETE FROM unit_event WHERE unit_id = new.unit_id AND event_id <="
    "    (SELECT event_id FROM unit_event WHERE unit_id = new.unit_id"
    "     ORDER BY event_id DESC LIMIT 1 OFFSET 10000);"
    "END;"
    // Sessions (category 1).
    "CREATE TRIGGER event_login AFTER INSERT ON login_session BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", new.controller, 1,"
    "          'login of ' || new.user_name);"
    "END;"
    "CREATE TRIGGER event_logout AFTER DELETE ON login_session"
    "  WHEN " KX_UNIT_EXISTS("old.unit_id") " BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (old.unit_id, " KX_EVENT_NOW ", old.controller, 1,"
    "          'session of ' || old.user_name || ' ended');"
    "END;"
    // Configuration (category 2).
    "CREATE TRIGGER event_raid_group_added AFTER INSERT ON raid_group BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'RAID group ' || new.rg_number || ' created: level ' ||"
    "          new.level || ', ' || new.width || ' x ' || new.depth ||"
    "          ' drives from port ' || new.first_port || ' row ' ||"
    "          new.first_row);"
    "END;"
    "CREATE TRIGGER event_raid_group_changed AFTER UPDATE ON raid_group BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'RAID group ' || new.rg_number || ' changed: ' || new.width ||"
    "          ' x ' || new.depth || ' drives');"
    "END;"
    "CREATE TRIGGER event_raid_group_deleted AFTER DELETE ON raid_group"
    "  WHEN " KX_UNIT_EXISTS("old.unit_id") " BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (old.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'RAID group ' || old.rg_number || ' deleted');"
    "END;"
    "CREATE TRIGGER event_lu_added AFTER INSERT ON logical_unit BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'LU ' || new.lu_number || ' created in RAID group ' ||"
    "          new.rg_number || ': ' || new.capacity_mb || ' MB');"
    "END;"
    "CREATE TRIGGER event_lu_changed AFTER UPDATE ON logical_unit BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'LU ' || old.lu_number || ' changed: LU ' || new.lu_number ||"
    "          ', ' || new.capacity_mb || ' MB, controller ' ||"
    "          new.controller || CASE new.valid WHEN 0 THEN ', out of service'"
    "          ELSE '' END);"
    "END;"
    "CREATE TRIGGER event_lu_deleted AFTER DELETE ON logical_unit"
    "  WHEN " KX_UNIT_EXISTS("old.unit_id") " BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (old.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'LU ' || old.lu_number || ' deleted');"
    "END;"
    "CREATE TRIGGER event_clock_set AFTER INSERT ON unit_clock BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'unit clock set: ' || new.offset_seconds || ' s from the host');"
    "END;"
    "CREATE TRIGGER event_clock_changed AFTER UPDATE ON unit_clock BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 2,"
    "          'unit clock set: ' || new.offset_seconds || ' s from the host');"
    "END;"
    // Formats (category 4) and drives (category 8).
    "CREATE TRIGGER event_format AFTER INSERT ON format_job BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 4,"
    "          'format of LU ' || new.lu_number || ' started, mode ' ||"
    "          new.mode);"
    "END;"
    "CREATE TRIGGER event_drive AFTER INSERT ON drive_state BEGIN"
    "  INSERT INTO unit_event (unit_id, time_ms, controller, category, text)"
    "  VALUES (new.unit_id, " KX_EVENT_NOW ", -1, 8,"
    "          'drive at port ' || new.port || ' row ' || new.row ||"
    "          CASE new.blocked WHEN 0 THEN ' returned to service'"
    "          ELSE ' blocked' END);"
    "END;",
    // 2: the ranges of the microcode's part counts and portions and of the
    // events' controllers, enforced by the database as well.
    KX_SQL_RANGE_TRIGGERS("micro_assembly",
                          KX_SQL_INT_IN("part_count", "1", "64") " AND "
                          KX_SQL_INT_IN("parts_joined", "1",
                                        "new.part_count - 1"))
    KX_SQL_RANGE_TRIGGERS("micro_image",
                          KX_SQL_INT_IN("portions_received", "0",
                                        "2147483647"))
    KX_SQL_RANGE_TRIGGERS("unit_event", KX_SQL_INT_IN("controller", "-1", "1")),
};
static_assert(KX_MICRO_MAX_PARTS == 64,
              "step 2 writes the part count's range as a number");

constexpr ColumnRule kMaintenanceColumns[] = {
    IntegerColumn("unit_restart", "ready_at_ms", 0, kAnyInteger),
    TextColumn("unit_restart", "reason", 0, 1023),
    TextColumn("unit_microcode", "revision", 0, 1023),
    IntegerColumn("micro_assembly", "part_count", 1, KX_MICRO_MAX_PARTS),
    IntegerColumn("micro_assembly", "parts_joined", 1, KX_MICRO_MAX_PARTS - 1),
    IntegerColumn("micro_image", "portions_received", 0, 2147483647),
    IntegerColumn("unit_event", "controller", -1, 1),
    IntegerColumn("unit_event", "category", 0, KX_TRACE_ALL),
    TextColumn("unit_event", "text", 0, 4096),
};

}  // namespace

const SchemaArea kMaintenanceSchema = {"maintenance", kMaintenanceSteps, std::size(kMaintenanceSteps),
                            kMaintenanceColumns, std::size(kMaintenanceColumns)};

namespace {

}  // namespace
}  // namespace tesk740
