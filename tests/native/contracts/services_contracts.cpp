// Contract rows of e-mail, alerts, SNMP, the external program and the logs.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "kx_services.h"
#include "services/services_records.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(services) {
  return {
      // Built by hand: only the first `tonum` recipients come back, so a
      // pattern does not; the builder is checked by the services native tests.
      KX_CONTRACT(GetEmailInfo, bytes_out(sizeof(EmailInfoRecord))),
      KX_CONTRACT(SetEmailInfo, record_in(kEmailInfoType)),
      KX_CONTRACT(AlertCheck, unit(), int_in(), int_out()),
      KX_CONTRACT(SetMailAppendInfo, unit(), text(kLongNameSize)),
      KX_CONTRACT(DelMailAppendInfo, unit()),
      KX_CONTRACT(GetMailAppendInfo, unit(), text_out(kMailAppendResultSize)),
      KX_CONTRACT(SendEmail, optional_text(kLongNameSize), whole_text(), whole_text()),
      KX_CONTRACT(SendEmailTest, optional_text(kUnitNameSize), record_in(kEmailInfoType),
                  text(kLongNameSize), text(kMailTestBodySize)),

      KX_CONTRACT(GetExProgramInfo, record_out(kExProgramInfoType)),
      KX_CONTRACT(SetExProgramInfo, record_in(kExProgramInfoType)),
      KX_CONTRACT(ExecuteProgramTest, record_in(kExProgramInfoType)),
      KX_CONTRACT(ExecuteProgram, ),
      KX_CONTRACT(EnvironmentCheck, ),
      KX_CONTRACT(ErrLogPut, text(kLongNameSize)),
      KX_CONTRACT(ErrLogDelete, ),
      KX_CONTRACT(AppLogPut, text(kLongNameSize)),
      KX_CONTRACT(JavaVersionCheck, text(kLongNameSize)),
      // Either text may be null (passed as empty), not both empty.
      KX_CONTRACT(SetSnmpConfig, unit(), optional_text(kLongNameSize),
                  optional_text(kLongNameSize))
          .refuses_empty_texts(),
      KX_CONTRACT(SnmpConfigOutput, unit(), optional_text(kLongNameSize),
                  optional_text(kLongNameSize))
          .refuses_empty_texts(),
  };
}
