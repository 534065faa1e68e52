// Records of the notification and host services: e-mail settings and the
// external program run on alerts.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  kEmailRecipientSlots = 20,     // recipient slots of an EmailInfoRecord
  kEmailTextWidth = 100,         // smtp, from and each recipient slot
  kEmailDomainWidth = 40,
  kMailAppendResultSize = 68,    // KX_GetMailAppendInfo's text buffer
  kMailTestBodySize = 2048,      // KX_SendEmailTest's long text
  kProgramNameWidth = 500,
};

// E-mail settings of the station. `to` holds `tonum` recipients in its first
// slots.
struct EmailInfoRecord {
  int32_t on_off;
  char domain[kEmailDomainWidth];
  char smtp[kEmailTextWidth];
  char from[kEmailTextWidth];
  int32_t tonum;
  char to[kEmailRecipientSlots][kEmailTextWidth];
};
KX_ASSERT_OFFSET(EmailInfoRecord, on_off, 0);
KX_ASSERT_OFFSET(EmailInfoRecord, domain, 4);
KX_ASSERT_OFFSET(EmailInfoRecord, smtp, 44);
KX_ASSERT_OFFSET(EmailInfoRecord, from, 144);
KX_ASSERT_OFFSET(EmailInfoRecord, tonum, 244);
KX_ASSERT_OFFSET(EmailInfoRecord, to, 248);
KX_ASSERT_SIZE(EmailInfoRecord, 2248);

// The external program the station runs on alerts.
struct ExProgramInfoRecord {
  int32_t on_off;
  int32_t exec_mode;
  char program_name[kProgramNameWidth];
};
KX_ASSERT_OFFSET(ExProgramInfoRecord, on_off, 0);
KX_ASSERT_OFFSET(ExProgramInfoRecord, exec_mode, 4);
KX_ASSERT_OFFSET(ExProgramInfoRecord, program_name, 8);
KX_ASSERT_SIZE(ExProgramInfoRecord, 508);
