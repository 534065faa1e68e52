// Field tables of the statistics record and the performance sample, and the
// steps the generic builder and reader have no field kind for: the 15 x 15
// record grids of the statistics record and the sample's calendar.
#include "statistics/statistics_records.h"

#include <cstdio>
#include <limits>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "bridge/lookups.h"
#include "bridge/marshal.h"
#include "bridge/record_registry.h"
#include "kx_statistics.h"

namespace kx {

// The exported types are declared extern in the header, which gives these
// constexpr definitions external linkage; the others stay in this file.

constexpr FieldSpec kStatisticalControllerFields[] = {
    KX_FIELD(int32, StatisticalControllerRecord, power_on),
    KX_FIELD(int32, StatisticalControllerRecord, reset),
    KX_FIELD(int32, StatisticalControllerRecord, total_time),
    KX_FIELD(int32, StatisticalControllerRecord, on_time),
    KX_FIELD(int32, StatisticalControllerRecord, total_time_rap_cnt),
    KX_FIELD(int32, StatisticalControllerRecord, total_time_rap_cnt_work),
    KX_FIELD(int32, StatisticalControllerRecord, lu_change),
    KX_FIELD(int_array, StatisticalControllerRecord, procnt_time),
};
constexpr RecordType kStatisticalControllerType =
    record_type(KX_RECORD_CLASS("StatisticalController"),
                sizeof(StatisticalControllerRecord),
                kStatisticalControllerFields);

constexpr FieldSpec kStatisticalHostCommandInfoFields[] = {
    KX_FIELD(int32, StatisticalHostCommandInfoRecord, read_count),
    KX_FIELD(int32, StatisticalHostCommandInfoRecord, write_count),
};
constexpr RecordType kStatisticalHostCommandInfoType =
    record_type(KX_RECORD_CLASS("StatisticalHostCommand_Info"),
                sizeof(StatisticalHostCommandInfoRecord),
                kStatisticalHostCommandInfoFields);

constexpr FieldSpec kStatisticalHostCommandFields[] = {
    KX_NESTED(record_array, StatisticalHostCommandRecord, lu, kStatisticalHostCommandInfoType),
};
constexpr RecordType kStatisticalHostCommandType =
    record_type(KX_RECORD_CLASS("StatisticalHostCommand"),
                sizeof(StatisticalHostCommandRecord),
                kStatisticalHostCommandFields);

constexpr FieldSpec kStatisticalCommandStatusInfoFields[] = {
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, r_cache),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, w_cache),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, seq_r),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, seq_w),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, pre_exec),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, w_through),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, re_asign),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, rd_miss),
    KX_FIELD(int32, StatisticalCommandStatusInfoRecord, wr_spl),
};
constexpr RecordType kStatisticalCommandStatusInfoType =
    record_type(KX_RECORD_CLASS("StatisticalCommandStatus_Info"),
                sizeof(StatisticalCommandStatusInfoRecord),
                kStatisticalCommandStatusInfoFields);

constexpr FieldSpec kStatisticalCommandStatusFields[] = {
    KX_NESTED(record_array, StatisticalCommandStatusRecord, lu, kStatisticalCommandStatusInfoType),
};
constexpr RecordType kStatisticalCommandStatusType =
    record_type(KX_RECORD_CLASS("StatisticalCommandStatus"),
                sizeof(StatisticalCommandStatusRecord),
                kStatisticalCommandStatusFields);

constexpr FieldSpec kStatisticalCacheFields[] = {
    KX_FIELD(int32, StatisticalCacheRecord, wrt_inhcnt),
    KX_FIELD(int32, StatisticalCacheRecord, wrt_outhcnt),
    KX_FIELD(int32, StatisticalCacheRecord, seqwr_bufcnt),
    KX_FIELD(int32, StatisticalCacheRecord, seg_lock_cnt),
};
constexpr RecordType kStatisticalCacheType =
    record_type(KX_RECORD_CLASS("StatisticalCache"),
                sizeof(StatisticalCacheRecord),
                kStatisticalCacheFields);

constexpr FieldSpec kStatisticalWriteAfterPDEVInfoFields[] = {
    KX_FIELD(int32, StatisticalWriteAfterPDEVInfoRecord, gather_prc_cnt),
    KX_FIELD(int32, StatisticalWriteAfterPDEVInfoRecord, gather_max),
    KX_FIELD(int32, StatisticalWriteAfterPDEVInfoRecord, gather_min),
    KX_FIELD(int32, StatisticalWriteAfterPDEVInfoRecord, gather_cnt),
};
constexpr RecordType kStatisticalWriteAfterPDEVInfoType =
    record_type(KX_RECORD_CLASS("StatisticalWriteAfter_PDEVInfo"),
                sizeof(StatisticalWriteAfterPDEVInfoRecord),
                kStatisticalWriteAfterPDEVInfoFields);

constexpr FieldSpec kStatisticalWriteAfterFields[] = {
    KX_FIELD(int32, StatisticalWriteAfterRecord, raid0_stripe_cnt),
    KX_FIELD(int_matrix, StatisticalWriteAfterRecord, raid0_stripe_job),
    KX_FIELD(int32, StatisticalWriteAfterRecord, raid5_stripe_cnt),
    KX_FIELD(int_matrix, StatisticalWriteAfterRecord, raid5_stripe_job),
    KX_FIELD(int_matrix, StatisticalWriteAfterRecord, stripe_job_rmw),
    KX_FIELD(int_matrix, StatisticalWriteAfterRecord, stripe_job_partial),
    KX_MATRIX(StatisticalWriteAfterRecord, pdev,
              kStatisticalWriteAfterPDEVInfoType,
              "[[Lkorvane/str/diskarray/StatisticalWriteAfter_PDEVInfo;"),
};
constexpr RecordType kStatisticalWriteAfterType =
    record_type(KX_RECORD_CLASS("StatisticalWriteAfter"),
                sizeof(StatisticalWriteAfterRecord),
                kStatisticalWriteAfterFields);

constexpr FieldSpec kStatisticalDriveRestorationFields[] = {
    KX_FIELD(int32, StatisticalDriveRestorationRecord, inter_cnt),
    KX_FIELD(int32, StatisticalDriveRestorationRecord, back_cnt),
    KX_FIELD(int32, StatisticalDriveRestorationRecord, system_cnt),
};
constexpr RecordType kStatisticalDriveRestorationType =
    record_type(KX_RECORD_CLASS("StatisticalDriveRestoration"),
                sizeof(StatisticalDriveRestorationRecord),
                kStatisticalDriveRestorationFields);

constexpr FieldSpec kStatisticalCacheMemoryFields[] = {
    KX_FIELD(int32, StatisticalCacheMemoryRecord, battery),
    KX_FIELD(int32, StatisticalCacheMemoryRecord, threshold),
    KX_FIELD(int_array, StatisticalCacheMemoryRecord, correct_err),
    KX_FIELD(int_matrix, StatisticalCacheMemoryRecord, segment),
};
constexpr RecordType kStatisticalCacheMemoryType =
    record_type(KX_RECORD_CLASS("StatisticalCacheMemory"),
                sizeof(StatisticalCacheMemoryRecord),
                kStatisticalCacheMemoryFields);

constexpr FieldSpec kStatisticalDriveInfoFields[] = {
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_had_rec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_had_urec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_med_rec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_med_urec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_rw_rec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_rw_urec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_drive_rec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_drive_urec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_crhd_rec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_crhd_urec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_scsi_rec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, d_scsi_urec),
    KX_FIELD(int32, StatisticalDriveInfoRecord, ov_correct_err),
    KX_FIELD(int32, StatisticalDriveInfoRecord, ov_uncorrect_err),
    KX_FIELD(int32, StatisticalDriveInfoRecord, ov_restor_cnt),
    KX_FIELD(int_array, StatisticalDriveInfoRecord, drv_port_err),
    KX_FIELD(int_array, StatisticalDriveInfoRecord, link_failre),
};
constexpr RecordType kStatisticalDriveInfoType =
    record_type(KX_RECORD_CLASS("StatisticalDrive_Info"),
                sizeof(StatisticalDriveInfoRecord),
                kStatisticalDriveInfoFields);

constexpr FieldSpec kStatisticalDriveFields[] = {
    KX_FIELD(int32, StatisticalDriveRecord, err_rtry),
    KX_MATRIX(StatisticalDriveRecord, drive, kStatisticalDriveInfoType,
              "[[Lkorvane/str/diskarray/StatisticalDrive_Info;"),
};
constexpr RecordType kStatisticalDriveType =
    record_type(KX_RECORD_CLASS("StatisticalDrive"),
                sizeof(StatisticalDriveRecord),
                kStatisticalDriveFields);

constexpr FieldSpec kStatisticalHostSpcInfoFields[] = {
    KX_FIELD(int32, StatisticalHostSpcInfoRecord, retry),
    KX_FIELD(int32, StatisticalHostSpcInfoRecord, err_threshold),
    KX_FIELD(int32, StatisticalHostSpcInfoRecord, err_count),
};
constexpr RecordType kStatisticalHostSpcInfoType =
    record_type(KX_RECORD_CLASS("StatisticalHostSpc_Info"),
                sizeof(StatisticalHostSpcInfoRecord),
                kStatisticalHostSpcInfoFields);

constexpr FieldSpec kStatisticalHostSpcFields[] = {
    KX_NESTED(record_array, StatisticalHostSpcRecord, port, kStatisticalHostSpcInfoType),
};
constexpr RecordType kStatisticalHostSpcType =
    record_type(KX_RECORD_CLASS("StatisticalHostSpc"),
                sizeof(StatisticalHostSpcRecord),
                kStatisticalHostSpcFields);

constexpr FieldSpec kStatisticalDriveSpcFields[] = {
    KX_FIELD(int32, StatisticalDriveSpcRecord, retry),
    KX_FIELD(int32, StatisticalDriveSpcRecord, err_threshold),
    KX_FIELD(int_array, StatisticalDriveSpcRecord, err_count),
};
constexpr RecordType kStatisticalDriveSpcType =
    record_type(KX_RECORD_CLASS("StatisticalDriveSpc"),
                sizeof(StatisticalDriveSpcRecord),
                kStatisticalDriveSpcFields);

constexpr FieldSpec kStatisticalDriveFpcInfoFields[] = {
    KX_FIELD(int32, StatisticalDriveFpcInfoRecord, normal_fpc_err),
    KX_FIELD(int32, StatisticalDriveFpcInfoRecord, alternate_fpc_err),
    KX_FIELD(int32, StatisticalDriveFpcInfoRecord, normal_link_err),
    KX_FIELD(int32, StatisticalDriveFpcInfoRecord, alternate_link_err),
    KX_FIELD(int32, StatisticalDriveFpcInfoRecord, normal_link_fail),
    KX_FIELD(int32, StatisticalDriveFpcInfoRecord, alternate_link_fail),
};
constexpr RecordType kStatisticalDriveFpcInfoType =
    record_type(KX_RECORD_CLASS("StatisticalDriveFpc_Info"),
                sizeof(StatisticalDriveFpcInfoRecord),
                kStatisticalDriveFpcInfoFields);

constexpr FieldSpec kStatisticalDriveFpcFields[] = {
    KX_NESTED(record_array, StatisticalDriveFpcRecord, fpc, kStatisticalDriveFpcInfoType),
};
constexpr RecordType kStatisticalDriveFpcType =
    record_type(KX_RECORD_CLASS("StatisticalDriveFpc"),
                sizeof(StatisticalDriveFpcRecord),
                kStatisticalDriveFpcFields);

constexpr FieldSpec kStatisticalDriveDmaErrorFields[] = {
    KX_FIELD(int32, StatisticalDriveDmaErrorRecord, dma_error),
    KX_FIELD(int32, StatisticalDriveDmaErrorRecord, drr_error),
    KX_FIELD(int32, StatisticalDriveDmaErrorRecord, bus_error),
    KX_FIELD(int32, StatisticalDriveDmaErrorRecord, la_error),
};
constexpr RecordType kStatisticalDriveDmaErrorType =
    record_type(KX_RECORD_CLASS("StatisticalDriveDma_Error"),
                sizeof(StatisticalDriveDmaErrorRecord),
                kStatisticalDriveDmaErrorFields);

constexpr FieldSpec kStatisticalDriveDmaFields[] = {
    KX_FIELD(int32, StatisticalDriveDmaRecord, dma_retry),
    KX_FIELD(int32, StatisticalDriveDmaRecord, dma_path_retry),
    KX_FIELD(int32, StatisticalDriveDmaRecord, drr_retry),
    KX_NESTED(record_array, StatisticalDriveDmaRecord, error, kStatisticalDriveDmaErrorType),
};
constexpr RecordType kStatisticalDriveDmaType =
    record_type(KX_RECORD_CLASS("StatisticalDriveDma"),
                sizeof(StatisticalDriveDmaRecord),
                kStatisticalDriveDmaFields);

constexpr FieldSpec kStatisticalHostDmaFields[] = {
    KX_FIELD(int32, StatisticalHostDmaRecord, err_rtry),
    KX_FIELD(int32, StatisticalHostDmaRecord, dma_errcnt),
    KX_FIELD(int32, StatisticalHostDmaRecord, bus_errcnt),
    KX_FIELD(int32, StatisticalHostDmaRecord, la_errcnt),
};
constexpr RecordType kStatisticalHostDmaType =
    record_type(KX_RECORD_CLASS("StatisticalHostDma"),
                sizeof(StatisticalHostDmaRecord),
                kStatisticalHostDmaFields);

constexpr FieldSpec kStatisticalHontaiFields[] = {
    KX_FIELD(int32, StatisticalHontaiRecord, pctl_err),
    KX_FIELD(int32, StatisticalHontaiRecord, pci_err),
    KX_FIELD(int32, StatisticalHontaiRecord, mpu_err),
    KX_FIELD(int32, StatisticalHontaiRecord, dctl_err),
    KX_FIELD(int32, StatisticalHontaiRecord, bridge_err),
    KX_FIELD(int32, StatisticalHontaiRecord, ps),
    KX_FIELD(int32, StatisticalHontaiRecord, fan),
    KX_FIELD(int32, StatisticalHontaiRecord, upst),
    KX_FIELD(int32, StatisticalHontaiRecord, ac_inbox),
    KX_FIELD(int32, StatisticalHontaiRecord, backup_power),
    KX_FIELD(int32, StatisticalHontaiRecord, auto_reset),
    KX_FIELD(int32, StatisticalHontaiRecord, auto_reboot),
};
constexpr RecordType kStatisticalHontaiType =
    record_type(KX_RECORD_CLASS("StatisticalHontai"),
                sizeof(StatisticalHontaiRecord),
                kStatisticalHontaiFields);

constexpr FieldSpec kStatisticalShuuhenFields[] = {
    KX_FIELD(int32, StatisticalShuuhenRecord, panel),
    KX_FIELD(int32, StatisticalShuuhenRecord, fdd),
    KX_FIELD(int32, StatisticalShuuhenRecord, rs232c),
    KX_FIELD(int32, StatisticalShuuhenRecord, lan),
};
constexpr RecordType kStatisticalShuuhenType =
    record_type(KX_RECORD_CLASS("StatisticalShuuhen"),
                sizeof(StatisticalShuuhenRecord),
                kStatisticalShuuhenFields);

constexpr FieldSpec kStatisticalDualFields[] = {
    KX_FIELD(int32, StatisticalDualRecord, other_correct),
    KX_FIELD(int32, StatisticalDualRecord, other_dual),
    KX_FIELD(int32, StatisticalDualRecord, self_dual),
};
constexpr RecordType kStatisticalDualType =
    record_type(KX_RECORD_CLASS("StatisticalDual"),
                sizeof(StatisticalDualRecord),
                kStatisticalDualFields);

constexpr FieldSpec kStatisticalFibreInfoFields[] = {
    KX_FIELD(int32, StatisticalFibreInfoRecord, tbl_id),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ube),
    KX_FIELD(int32, StatisticalFibreInfoRecord, der),
    KX_FIELD(int32, StatisticalFibreInfoRecord, per),
    KX_FIELD(int32, StatisticalFibreInfoRecord, dpe),
    KX_FIELD(int32, StatisticalFibreInfoRecord, see),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rma),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rta),
    KX_FIELD(int32, StatisticalFibreInfoRecord, sta),
    KX_FIELD(int32, StatisticalFibreInfoRecord, mdpe),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ope),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ipe),
    KX_FIELD(int32, StatisticalFibreInfoRecord, flt),
    KX_FIELD(int32, StatisticalFibreInfoRecord, os),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ls),
    KX_FIELD(int32, StatisticalFibreInfoRecord, drs),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lpe),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lpb),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ols),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lst),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lpf),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ba),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lf),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ce),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ew),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lup),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ldn),
    KX_FIELD(int32, StatisticalFibreInfoRecord, loss_of_sig),
    KX_FIELD(int32, StatisticalFibreInfoRecord, bad_rx_char),
    KX_FIELD(int32, StatisticalFibreInfoRecord, loss_of_sync),
    KX_FIELD(int32, StatisticalFibreInfoRecord, link_fail),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rx_eofa),
    KX_FIELD(int32, StatisticalFibreInfoRecord, dis_frm),
    KX_FIELD(int32, StatisticalFibreInfoRecord, bad_crc),
    KX_FIELD(int32, StatisticalFibreInfoRecord, proto_err),
    KX_FIELD(int32, StatisticalFibreInfoRecord, sest_lru),
    KX_FIELD(int32, StatisticalFibreInfoRecord, dis_frm_cnt),
    KX_FIELD(int32, StatisticalFibreInfoRecord, pes),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rfpe),
    KX_FIELD(int32, StatisticalFibreInfoRecord, wfpe),
    KX_FIELD(int32, StatisticalFibreInfoRecord, pesc),
    KX_FIELD(int32, StatisticalFibreInfoRecord, peid),
    KX_FIELD(int32, StatisticalFibreInfoRecord, peod),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ape),
    KX_FIELD(int32, StatisticalFibreInfoRecord, sbce),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rbce),
    KX_FIELD(int32, StatisticalFibreInfoRecord, dte),
    KX_FIELD(int32, StatisticalFibreInfoRecord, mie),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ssdr),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rsce),
    KX_FIELD(int32, StatisticalFibreInfoRecord, usc),
    KX_FIELD(int32, StatisticalFibreInfoRecord, scd),
    KX_FIELD(int32, StatisticalFibreInfoRecord, softrst),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ill_frame),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rstp),
    KX_FIELD(int32, StatisticalFibreInfoRecord, logo),
    KX_FIELD(int32, StatisticalFibreInfoRecord, implogo),
    KX_FIELD(int32, StatisticalFibreInfoRecord, tprlo),
    KX_FIELD(int32, StatisticalFibreInfoRecord, abts),
    KX_FIELD(int32, StatisticalFibreInfoRecord, trs),
    KX_FIELD(int32, StatisticalFibreInfoRecord, cts),
    KX_FIELD(int32, StatisticalFibreInfoRecord, ats),
    KX_FIELD(int32, StatisticalFibreInfoRecord, frsv),
    KX_FIELD(int32, StatisticalFibreInfoRecord, trs_spread),
    KX_FIELD(int32, StatisticalFibreInfoRecord, rstlip_syori),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lur),
    KX_FIELD(int32, StatisticalFibreInfoRecord, lur_spread),
    KX_FIELD(int32, StatisticalFibreInfoRecord, tprlo_spread),
    KX_FIELD(int32, StatisticalFibreInfoRecord, clearaca),
};
constexpr RecordType kStatisticalFibreInfoType =
    record_type(KX_RECORD_CLASS("StatisticalFibre_Info"),
                sizeof(StatisticalFibreInfoRecord),
                kStatisticalFibreInfoFields);

constexpr FieldSpec kStatisticalFibreFields[] = {
    KX_NESTED(record_array, StatisticalFibreRecord, Install, kStatisticalFibreInfoType),
    KX_NESTED(record_array, StatisticalFibreRecord, Pson, kStatisticalFibreInfoType),
};
constexpr RecordType kStatisticalFibreType =
    record_type(KX_RECORD_CLASS("StatisticalFibre"),
                sizeof(StatisticalFibreRecord),
                kStatisticalFibreFields);

constexpr FieldSpec kStatisticalUnitFields[] = {
    KX_FIELD(int32, StatisticalUnitRecord, battery),
    KX_FIELD(int32, StatisticalUnitRecord, ps),
    KX_FIELD(int32, StatisticalUnitRecord, fan),
    KX_FIELD(int32, StatisticalUnitRecord, upst),
    KX_FIELD(int32, StatisticalUnitRecord, backup_power),
};
constexpr RecordType kStatisticalUnitType =
    record_type(KX_RECORD_CLASS("StatisticalUnit"),
                sizeof(StatisticalUnitRecord),
                kStatisticalUnitFields);

constexpr FieldSpec kStatisticalDriveErrorLimitInfoFields[] = {
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_had_rec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_had_urec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_med_rec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_med_urec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_rw_rec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_rw_urec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_drive_rec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_drive_urec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_crhd_rec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_crhd_urec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_scsi_rec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_scsi_urec),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_ov_corerr),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_ov_ucorerr),
    KX_FIELD(int32, StatisticalDriveErrorLimitInfoRecord, limit_drive_port),
};
constexpr RecordType kStatisticalDriveErrorLimitInfoType =
    record_type(KX_RECORD_CLASS("StatisticalDriveError_LimitInfo"),
                sizeof(StatisticalDriveErrorLimitInfoRecord),
                kStatisticalDriveErrorLimitInfoFields);

constexpr FieldSpec kStatisticalDriveErrorInfoFields[] = {
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, drv_on_time),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, had_rec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, had_urec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, med_rec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, med_urec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, rw_rec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, rw_urec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, drive_rec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, drive_urec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, crhd_rec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, crhd_urec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, scsi_rec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, scsi_urec_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, ov_corerr_limit),
    KX_FIELD(int32, StatisticalDriveErrorInfoRecord, ov_ucorerr_limit),
    KX_FIELD(int_array, StatisticalDriveErrorInfoRecord, drive_port_limit1),
    KX_FIELD(int_array, StatisticalDriveErrorInfoRecord, drive_port_limit2),
    KX_FIELD(int_array, StatisticalDriveErrorInfoRecord, drive_port_limit3),
};
constexpr RecordType kStatisticalDriveErrorInfoType =
    record_type(KX_RECORD_CLASS("StatisticalDriveError_Info"),
                sizeof(StatisticalDriveErrorInfoRecord),
                kStatisticalDriveErrorInfoFields);

constexpr FieldSpec kStatisticalDriveErrorFields[] = {
    KX_NESTED(record, StatisticalDriveErrorRecord, limit, kStatisticalDriveErrorLimitInfoType),
    KX_MATRIX(StatisticalDriveErrorRecord, drive,
              kStatisticalDriveErrorInfoType,
              "[[Lkorvane/str/diskarray/StatisticalDriveError_Info;"),
};
constexpr RecordType kStatisticalDriveErrorType =
    record_type(KX_RECORD_CLASS("StatisticalDriveError"),
                sizeof(StatisticalDriveErrorRecord),
                kStatisticalDriveErrorFields);

constexpr FieldSpec kStatisticalInformationFields[] = {
    KX_FIELD(int32, StatisticalInformationRecord, unite_option),
    KX_NESTED(record_array, StatisticalInformationRecord, controller, kStatisticalControllerType),
    KX_NESTED(record_array, StatisticalInformationRecord, h_command, kStatisticalHostCommandType),
    KX_NESTED(record_array, StatisticalInformationRecord, h_command_unite, kStatisticalHostCommandType),
    KX_NESTED(record_array, StatisticalInformationRecord, com_status, kStatisticalCommandStatusType),
    KX_NESTED(record_array, StatisticalInformationRecord, com_status_unite, kStatisticalCommandStatusType),
    KX_NESTED(record_array, StatisticalInformationRecord, cache, kStatisticalCacheType),
    KX_NESTED(record_array, StatisticalInformationRecord, writeafter, kStatisticalWriteAfterType),
    KX_NESTED(record_array, StatisticalInformationRecord, drive_rest, kStatisticalDriveRestorationType),
    KX_NESTED(record_array, StatisticalInformationRecord, cache_mem, kStatisticalCacheMemoryType),
    KX_NESTED(record_array, StatisticalInformationRecord, drive, kStatisticalDriveType),
    KX_NESTED(record_array, StatisticalInformationRecord, h_spc, kStatisticalHostSpcType),
    KX_NESTED(record_array, StatisticalInformationRecord, d_spc, kStatisticalDriveSpcType),
    KX_NESTED(record_array, StatisticalInformationRecord, d_fpc, kStatisticalDriveFpcType),
    KX_NESTED(record_array, StatisticalInformationRecord, d_dma, kStatisticalDriveDmaType),
    KX_NESTED(record_array, StatisticalInformationRecord, h_dma, kStatisticalHostDmaType),
    KX_NESTED(record_array, StatisticalInformationRecord, hontai, kStatisticalHontaiType),
    KX_NESTED(record_array, StatisticalInformationRecord, shuuhen, kStatisticalShuuhenType),
    KX_NESTED(record_array, StatisticalInformationRecord, dual, kStatisticalDualType),
    KX_NESTED(record_array, StatisticalInformationRecord, fibre, kStatisticalFibreType),
    KX_NESTED(record_array, StatisticalInformationRecord, unit, kStatisticalUnitType),
    KX_NESTED(record_array, StatisticalInformationRecord, drive_err, kStatisticalDriveErrorType),
};
constexpr RecordType kStatisticalInformationType =
    record_type(KX_RECORD_CLASS("StatisticalInformation"),
                sizeof(StatisticalInformationRecord),
                kStatisticalInformationFields);

constexpr FieldSpec kStatisticalCommandInfoFields[] = {
    KX_FIELD(int32, StatisticalCommandInfoRecord, read_count),
    KX_FIELD(int32, StatisticalCommandInfoRecord, write_count),
    KX_FIELD(int32, StatisticalCommandInfoRecord, read_cache),
    KX_FIELD(int32, StatisticalCommandInfoRecord, write_cache),
};
constexpr RecordType kStatisticalCommandInfoType =
    record_type(KX_RECORD_CLASS("StatisticalCommand_Info"),
                sizeof(StatisticalCommandInfoRecord),
                kStatisticalCommandInfoFields);

// mtime is a calendar, converted by the hand-written steps below.
constexpr FieldSpec kStatisticalCommandFields[] = {
    KX_NESTED(record_array, StatisticalCommandRecord, lu,
              kStatisticalCommandInfoType),
};

constexpr char kCalendarSignature[] = "Ljava/util/GregorianCalendar;";

constexpr RecordType kStatisticalCommandType =
    record_type(KX_RECORD_CLASS("StatisticalCommand"),
                sizeof(StatisticalCommandRecord), kStatisticalCommandFields);

// Registered for the tests that check every table against its class; the
// sample's calendar is registered as the field converted by hand.
KX_REGISTER_RECORD(kStatisticalInformationType);
KX_REGISTER_RECORD(kStatisticalCommandType);
KX_REGISTER_HAND_FIELD(kStatisticalCommandType, "mtime", kCalendarSignature);

jobject build_statistical_information(Lookups& lookups, const void* record) {
  return build_record(lookups, kStatisticalInformationType, record);
}

jobject build_statistical_command(Lookups& lookups, const void* record) {
  JNIEnv* env = lookups.env();
  LocalRef<jobject> object(
      env, build_record(lookups, kStatisticalCommandType, record));
  if (!object) return nullptr;
  const auto* sample = static_cast<const StatisticalCommandRecord*>(record);
  LocalRef<jobject> calendar(env, new_calendar(env, &sample->mtime));
  if (!calendar) return nullptr;
  if (set_object_field(env, object.get(), "mtime", kCalendarSignature,
                       calendar.get()) != 0) {
    return nullptr;
  }
  return object.release();
}

int32_t read_statistical_command(Lookups& lookups, jobject object,
                                 void* record) {
  if (object == nullptr || record == nullptr) return -1;
  JNIEnv* env = lookups.env();
  int32_t status = read_record(lookups, kStatisticalCommandType, object, record);
  if (status != 0) return status;
  LocalRef<jobject> calendar(
      env, get_object_field(env, object, "mtime", kCalendarSignature));
  if (!calendar) return ERR_MARSHAL;
  auto* sample = static_cast<StatisticalCommandRecord*>(record);
  status = read_calendar(env, calendar.get(), &sample->mtime);
  if (status != 0) return status;
  // The sample carries years counted from 1900, as the builder undoes.
  const int32_t year = sample->mtime.tm_year;
  if (year < std::numeric_limits<int32_t>::min() + 1900) return ERR_MARSHAL;
  sample->mtime.tm_year = year - 1900;
  return 0;
}

}  // namespace kx
