// Records of the unit registry.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  kUnitNameSize = 17,    // 16 bytes of text and a NUL
  kLongNameSize = 1024,  // paths and long names: 1023 bytes and a NUL
  kLabelListCapacity = 20,
  kWorkingDirectorySize = 250,
  kModifyInfoSize = 1024,
  // The most units a station registers; a unit table is never asked for
  // more entries than this.
  kMaxUnits = 4096,
};

// One registered unit.
struct KXUnitParamRecord {
  char unit_name[17];
  char group_name[17];
  int8_t connect_type;
  int8_t kx_type;
  int8_t unit_conf;
  int8_t alert;
  char ctl0[80];
  char ctl1[80];
};
KX_ASSERT_OFFSET(KXUnitParamRecord, unit_name, 0);
KX_ASSERT_OFFSET(KXUnitParamRecord, group_name, 17);
KX_ASSERT_OFFSET(KXUnitParamRecord, connect_type, 34);
KX_ASSERT_OFFSET(KXUnitParamRecord, kx_type, 35);
KX_ASSERT_OFFSET(KXUnitParamRecord, unit_conf, 36);
KX_ASSERT_OFFSET(KXUnitParamRecord, alert, 37);
KX_ASSERT_OFFSET(KXUnitParamRecord, ctl0, 38);
KX_ASSERT_OFFSET(KXUnitParamRecord, ctl1, 118);
KX_ASSERT_SIZE(KXUnitParamRecord, 198);

// One entry of the label list.
struct KXLabelRecord {
  char oldlabel[7];
  char newlabel[7];
};
KX_ASSERT_OFFSET(KXLabelRecord, oldlabel, 0);
KX_ASSERT_OFFSET(KXLabelRecord, newlabel, 7);
KX_ASSERT_SIZE(KXLabelRecord, 14);

// The station's working directory, handed over by KX_GUIInitialize.
struct WorkingDirectoryRecord {
  char tesk_path[250];
};
KX_ASSERT_OFFSET(WorkingDirectoryRecord, tesk_path, 0);
KX_ASSERT_SIZE(WorkingDirectoryRecord, 250);
