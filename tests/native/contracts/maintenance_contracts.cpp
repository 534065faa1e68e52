// Contract rows of microcode replacement, traces, host files and unit control.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "maintenance/maintenance_records.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(maintenance) {
  return {
      KX_CONTRACT(MicroFileConcat, unit(), text(kLongNameSize), int_in(), int_out()),
      KX_CONTRACT(MicroFileConcat2, unit(), text(kLongNameSize)),
      KX_CONTRACT(CancelMicroFileConcat, ),
      KX_CONTRACT(GetMicroDownloadCount, unit(), int_out()),
      KX_CONTRACT(MicroDownload, unit(), int_in(), int_in(), int_in()),
      KX_CONTRACT(MicroReplace, unit(), int_in()),
      KX_CONTRACT(GetNewMicroRevision, text_out(kMicroRevisionSize)),

      KX_CONTRACT(CreateTraceFile, unit(), int_in(), int_in(), int_in(),
                  text(kLongNameSize)),
      KX_CONTRACT(CreateTraceFile2, unit(), int_in(), text(kLongNameSize)),
      // The text buffer lies on the heap, not the stack.
      KX_CONTRACT(GetTraceText, unit(), int_in(), int_in(), int_in(),
                  text_out(kTraceTextSize)),
      KX_CONTRACT(GetWebTrace, unit(), record_out(kWebTraceType)),
      KX_CONTRACT(GetFileText, text(kLongNameSize), heap_text_out()),
      // The Java int sizes the line: length + 1 bytes.
      KX_CONTRACT(GetFileLine, text(kLongNameSize), count_in(), line_out(0)),
      KX_CONTRACT(ExistFile, text(kLongNameSize), int_out()),

      KX_CONTRACT(UnitReboot, unit(kLongNameSize)),
      KX_CONTRACT(SetSPinformation, unit(), int_in(), int_in(), int_in()),
      KX_CONTRACT(FDDTest, unit(), int_in(), int_out()),
      KX_CONTRACT(TestUnitReady, unit(), int_in()),
  };
}
