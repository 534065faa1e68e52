// Records of the operating parameters: online system and tuning parameters,
// drive maintenance parameters, unit identity, command device, warnings and
// automatic dumps.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  kSystemParamControllers = 2,
  kLuTuningCapacity = 512,
  kWebTitleSize = 33,  // 32 bytes of text and a NUL
};

// Switches of one controller.
struct SystemParamCtlRecord {
  uint8_t error_out;
  uint8_t write_verify;
};
KX_ASSERT_OFFSET(SystemParamCtlRecord, error_out, 0);
KX_ASSERT_OFFSET(SystemParamCtlRecord, write_verify, 1);
KX_ASSERT_SIZE(SystemParamCtlRecord, 2);

// Switches that can change while the unit is online.
struct OnlineSystemParamRecord {
  uint8_t procom;
  uint8_t warning_report;
  uint8_t hit_guarantee;
  uint8_t nx_connect;
  uint8_t auto_reconst;
  uint8_t force_write_through;
  uint8_t change_lu;
  uint8_t multi_stream;
  uint8_t multi_stream_write;
  uint8_t multi_stream_read;
  uint8_t command_que;
  uint8_t shutdown_chk1;
  uint8_t add_bat_unit;
  char web_title[kWebTitleSize];
  SystemParamCtlRecord ctl[kSystemParamControllers];
};
KX_ASSERT_OFFSET(OnlineSystemParamRecord, procom, 0);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, warning_report, 1);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, hit_guarantee, 2);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, nx_connect, 3);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, auto_reconst, 4);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, force_write_through, 5);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, change_lu, 6);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, multi_stream, 7);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, multi_stream_write, 8);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, multi_stream_read, 9);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, command_que, 10);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, shutdown_chk1, 11);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, add_bat_unit, 12);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, web_title, 13);
KX_ASSERT_OFFSET(OnlineSystemParamRecord, ctl, 46);
KX_ASSERT_SIZE(OnlineSystemParamRecord, 50);

// Tuning of one LU.
struct LUTuningRecord {
  uint8_t pre_start;
};
KX_ASSERT_OFFSET(LUTuningRecord, pre_start, 0);
KX_ASSERT_SIZE(LUTuningRecord, 1);

// Tuning that can change while the unit is online; one entry per LU number.
struct OnlineTuningParamRecord {
  uint8_t def_mode;
  uint8_t unused_1[3];
  int32_t def_lun;
  uint8_t dir_sweep;
  uint8_t dir_sweep_stop;
  LUTuningRecord lu[kLuTuningCapacity];
  uint8_t unused_522[2];
};
KX_ASSERT_OFFSET(OnlineTuningParamRecord, def_mode, 0);
KX_ASSERT_OFFSET(OnlineTuningParamRecord, def_lun, 4);
KX_ASSERT_OFFSET(OnlineTuningParamRecord, dir_sweep, 8);
KX_ASSERT_OFFSET(OnlineTuningParamRecord, dir_sweep_stop, 9);
KX_ASSERT_OFFSET(OnlineTuningParamRecord, lu, 10);
KX_ASSERT_SIZE(OnlineTuningParamRecord, 524);

// Cache tuning.
struct TuningParamRecord {
  uint8_t def_mode;
  uint8_t reserve_buf_size;
  uint8_t current_buf_size;
};
KX_ASSERT_OFFSET(TuningParamRecord, def_mode, 0);
KX_ASSERT_OFFSET(TuningParamRecord, reserve_buf_size, 1);
KX_ASSERT_OFFSET(TuningParamRecord, current_buf_size, 2);
KX_ASSERT_SIZE(TuningParamRecord, 3);

// How a failed drive's data is restored.
struct DiskDriveRestorationRecord {
  int32_t mode;
  int32_t restoration;
  int32_t dynamic_sparing;
  int32_t interval;
  int32_t unit_size;
};
KX_ASSERT_OFFSET(DiskDriveRestorationRecord, mode, 0);
KX_ASSERT_OFFSET(DiskDriveRestorationRecord, restoration, 4);
KX_ASSERT_OFFSET(DiskDriveRestorationRecord, dynamic_sparing, 8);
KX_ASSERT_OFFSET(DiskDriveRestorationRecord, interval, 12);
KX_ASSERT_OFFSET(DiskDriveRestorationRecord, unit_size, 16);
KX_ASSERT_SIZE(DiskDriveRestorationRecord, 20);

// Staging amounts of read-ahead.
struct PrefetchInformationRecord {
  int32_t stg_rd0;
  int32_t stg_rd1;
  int32_t stg_rd5;
  int32_t stg_next;
  int32_t stg_hed_size;
};
KX_ASSERT_OFFSET(PrefetchInformationRecord, stg_rd0, 0);
KX_ASSERT_OFFSET(PrefetchInformationRecord, stg_rd1, 4);
KX_ASSERT_OFFSET(PrefetchInformationRecord, stg_rd5, 8);
KX_ASSERT_OFFSET(PrefetchInformationRecord, stg_next, 12);
KX_ASSERT_OFFSET(PrefetchInformationRecord, stg_hed_size, 16);
KX_ASSERT_SIZE(PrefetchInformationRecord, 20);

// Verification of the drives while the unit is idle.
struct OnlineVerifyRecord {
  int8_t test;
  uint8_t unused_1[3];
  int32_t idling_time;
};
KX_ASSERT_OFFSET(OnlineVerifyRecord, test, 0);
KX_ASSERT_OFFSET(OnlineVerifyRecord, idling_time, 4);
KX_ASSERT_SIZE(OnlineVerifyRecord, 8);

// Error counts at which a drive, controller or interface is reported.
struct ThresholdRecord {
  int32_t mechanical_recover;
  int32_t mechanical_unrecover;
  int32_t media_recover;
  int32_t media_unrecover;
  int32_t read_write_recover;
  int32_t read_write_unrecover;
  int32_t drive_recover;
  int32_t drive_unrecover;
  int32_t controller_recover;
  int32_t controller_unrecover;
  int32_t scsi_recover;
  int32_t scsi_unrecover;
  int32_t correctable_error;
  int32_t uncorrectable_error;
};
KX_ASSERT_OFFSET(ThresholdRecord, mechanical_recover, 0);
KX_ASSERT_OFFSET(ThresholdRecord, mechanical_unrecover, 4);
KX_ASSERT_OFFSET(ThresholdRecord, media_recover, 8);
KX_ASSERT_OFFSET(ThresholdRecord, media_unrecover, 12);
KX_ASSERT_OFFSET(ThresholdRecord, read_write_recover, 16);
KX_ASSERT_OFFSET(ThresholdRecord, read_write_unrecover, 20);
KX_ASSERT_OFFSET(ThresholdRecord, drive_recover, 24);
KX_ASSERT_OFFSET(ThresholdRecord, drive_unrecover, 28);
KX_ASSERT_OFFSET(ThresholdRecord, controller_recover, 32);
KX_ASSERT_OFFSET(ThresholdRecord, controller_unrecover, 36);
KX_ASSERT_OFFSET(ThresholdRecord, scsi_recover, 40);
KX_ASSERT_OFFSET(ThresholdRecord, scsi_unrecover, 44);
KX_ASSERT_OFFSET(ThresholdRecord, correctable_error, 48);
KX_ASSERT_OFFSET(ThresholdRecord, uncorrectable_error, 52);
KX_ASSERT_SIZE(ThresholdRecord, 56);

// How one controller names itself.
struct ControllerInfoRecord {
  int32_t ctrl_name_mode;
  char id_front[9];
  char id_rear[3];
};
KX_ASSERT_OFFSET(ControllerInfoRecord, ctrl_name_mode, 0);
KX_ASSERT_OFFSET(ControllerInfoRecord, id_front, 4);
KX_ASSERT_OFFSET(ControllerInfoRecord, id_rear, 13);
KX_ASSERT_SIZE(ControllerInfoRecord, 16);

// The unit's equipment identifier and its two controller entries.
struct UnitIdentifierRecord {
  char equipment_id[5];
  uint8_t unused_5[3];
  ControllerInfoRecord ctl[kSystemParamControllers];
};
KX_ASSERT_OFFSET(UnitIdentifierRecord, equipment_id, 0);
KX_ASSERT_OFFSET(UnitIdentifierRecord, ctl, 8);
KX_ASSERT_SIZE(UnitIdentifierRecord, 40);

// The command device: up to two LUs through which hosts control the unit.
// sequence_no is a text of the full 8-byte field (at most 7 bytes and a NUL)
// in both directions, so a value read can be written back unchanged.
struct CommandDeviceRecord {
  int32_t quel_lite;
  int32_t mode;
  int32_t valid[2];
  int32_t lu[2];
  int32_t security[2];
  char sequence_no[8];
};
KX_ASSERT_OFFSET(CommandDeviceRecord, quel_lite, 0);
KX_ASSERT_OFFSET(CommandDeviceRecord, mode, 4);
KX_ASSERT_OFFSET(CommandDeviceRecord, valid, 8);
KX_ASSERT_OFFSET(CommandDeviceRecord, lu, 16);
KX_ASSERT_OFFSET(CommandDeviceRecord, security, 24);
KX_ASSERT_OFFSET(CommandDeviceRecord, sequence_no, 32);
KX_ASSERT_SIZE(CommandDeviceRecord, 40);

// How warnings are reported.
struct WarningInfoRecord {
  int32_t report_mode;
};
KX_ASSERT_OFFSET(WarningInfoRecord, report_mode, 0);
KX_ASSERT_SIZE(WarningInfoRecord, 4);

// The latest automatic dump of a controller: when it was taken, and whether
// there is one.
struct AutoDumpRecord {
  int32_t year;
  int32_t month;
  int32_t date;
  int32_t hours;
  int32_t minutes;
  int32_t seconds;
  int32_t flag;
};
KX_ASSERT_OFFSET(AutoDumpRecord, year, 0);
KX_ASSERT_OFFSET(AutoDumpRecord, month, 4);
KX_ASSERT_OFFSET(AutoDumpRecord, date, 8);
KX_ASSERT_OFFSET(AutoDumpRecord, hours, 12);
KX_ASSERT_OFFSET(AutoDumpRecord, minutes, 16);
KX_ASSERT_OFFSET(AutoDumpRecord, seconds, 20);
KX_ASSERT_OFFSET(AutoDumpRecord, flag, 24);
KX_ASSERT_SIZE(AutoDumpRecord, 28);
