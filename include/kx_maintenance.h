// Records and buffer sizes of maintenance: microcode replacement, traces,
// host files and unit control.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  kMicroRevisionSize = 8,   // a microcode revision: 7 bytes of text and a NUL
  kTraceTextSize = 144000,  // KX_GetTraceText's text buffer
  kWebTraceCommonSize = 192000,
  kWebTraceControllerSize = 12000,
};

// The unit's web trace: the unit-wide events and those of each controller,
// each a NUL-terminated text, with the byte length of each text.
struct WebTraceRecord {
  char common[192000];
  char ctl0[12000];
  char ctl1[12000];
  int32_t common_len;
  int32_t ctl0_len;
  int32_t ctl1_len;
};
KX_ASSERT_OFFSET(WebTraceRecord, common, 0);
KX_ASSERT_OFFSET(WebTraceRecord, ctl0, 192000);
KX_ASSERT_OFFSET(WebTraceRecord, ctl1, 204000);
KX_ASSERT_OFFSET(WebTraceRecord, common_len, 216000);
KX_ASSERT_OFFSET(WebTraceRecord, ctl0_len, 216004);
KX_ASSERT_OFFSET(WebTraceRecord, ctl1_len, 216008);
KX_ASSERT_SIZE(WebTraceRecord, 216012);
static_assert(sizeof(WebTraceRecord::common) == kWebTraceCommonSize &&
                  sizeof(WebTraceRecord::ctl0) == kWebTraceControllerSize,
              "web trace text widths");
