// Records of statistics and performance collection: the statistics record
// that KX_GetStatisticalInformation fills for both controllers, and the
// performance sample of KX_GetPerformance and the output calls. Every field
// is a 32-bit little-endian int; there is no padding anywhere.
#pragma once

#include "kx_api.h"
#include "kx_clock.h"

enum : uint32_t {
  // Every top-level array of the statistics record has one entry per
  // controller.
  kStatControllerCount = 2,
  // Per-LU tables cover LU numbers 0 to 511.
  kStatLuCapacity = 512,
  // Per-drive grids are [port][row], as the drive slots are.
  kStatGridSide = 15,
};

// Java class StatisticalController.
struct StatisticalControllerRecord {
  int32_t power_on;
  int32_t reset;
  int32_t total_time;
  int32_t on_time;
  int32_t total_time_rap_cnt;
  int32_t total_time_rap_cnt_work;
  int32_t lu_change;
  int32_t procnt_time[4];
};
KX_ASSERT_OFFSET(StatisticalControllerRecord, power_on, 0);
KX_ASSERT_OFFSET(StatisticalControllerRecord, reset, 4);
KX_ASSERT_OFFSET(StatisticalControllerRecord, total_time, 8);
KX_ASSERT_OFFSET(StatisticalControllerRecord, on_time, 12);
KX_ASSERT_OFFSET(StatisticalControllerRecord, total_time_rap_cnt, 16);
KX_ASSERT_OFFSET(StatisticalControllerRecord, total_time_rap_cnt_work, 20);
KX_ASSERT_OFFSET(StatisticalControllerRecord, lu_change, 24);
KX_ASSERT_OFFSET(StatisticalControllerRecord, procnt_time, 28);
KX_ASSERT_SIZE(StatisticalControllerRecord, 44);

// Java class StatisticalHostCommand_Info.
struct StatisticalHostCommandInfoRecord {
  int32_t read_count;
  int32_t write_count;
};
KX_ASSERT_OFFSET(StatisticalHostCommandInfoRecord, read_count, 0);
KX_ASSERT_OFFSET(StatisticalHostCommandInfoRecord, write_count, 4);
KX_ASSERT_SIZE(StatisticalHostCommandInfoRecord, 8);

// Java class StatisticalHostCommand.
struct StatisticalHostCommandRecord {
  StatisticalHostCommandInfoRecord lu[kStatLuCapacity];
};
KX_ASSERT_OFFSET(StatisticalHostCommandRecord, lu, 0);
KX_ASSERT_SIZE(StatisticalHostCommandRecord, 4096);

// Java class StatisticalCommandStatus_Info.
struct StatisticalCommandStatusInfoRecord {
  int32_t r_cache;
  int32_t w_cache;
  int32_t seq_r;
  int32_t seq_w;
  int32_t pre_exec;
  int32_t w_through;
  int32_t re_asign;
  int32_t rd_miss;
  int32_t wr_spl;
};
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, r_cache, 0);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, w_cache, 4);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, seq_r, 8);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, seq_w, 12);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, pre_exec, 16);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, w_through, 20);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, re_asign, 24);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, rd_miss, 28);
KX_ASSERT_OFFSET(StatisticalCommandStatusInfoRecord, wr_spl, 32);
KX_ASSERT_SIZE(StatisticalCommandStatusInfoRecord, 36);

// Java class StatisticalCommandStatus.
struct StatisticalCommandStatusRecord {
  StatisticalCommandStatusInfoRecord lu[kStatLuCapacity];
};
KX_ASSERT_OFFSET(StatisticalCommandStatusRecord, lu, 0);
KX_ASSERT_SIZE(StatisticalCommandStatusRecord, 18432);

// Java class StatisticalCache.
struct StatisticalCacheRecord {
  int32_t wrt_inhcnt;
  int32_t wrt_outhcnt;
  int32_t seqwr_bufcnt;
  int32_t seg_lock_cnt;
};
KX_ASSERT_OFFSET(StatisticalCacheRecord, wrt_inhcnt, 0);
KX_ASSERT_OFFSET(StatisticalCacheRecord, wrt_outhcnt, 4);
KX_ASSERT_OFFSET(StatisticalCacheRecord, seqwr_bufcnt, 8);
KX_ASSERT_OFFSET(StatisticalCacheRecord, seg_lock_cnt, 12);
KX_ASSERT_SIZE(StatisticalCacheRecord, 16);

// Java class StatisticalWriteAfter_PDEVInfo.
struct StatisticalWriteAfterPDEVInfoRecord {
  int32_t gather_prc_cnt;
  int32_t gather_max;
  int32_t gather_min;
  int32_t gather_cnt;
};
KX_ASSERT_OFFSET(StatisticalWriteAfterPDEVInfoRecord, gather_prc_cnt, 0);
KX_ASSERT_OFFSET(StatisticalWriteAfterPDEVInfoRecord, gather_max, 4);
KX_ASSERT_OFFSET(StatisticalWriteAfterPDEVInfoRecord, gather_min, 8);
KX_ASSERT_OFFSET(StatisticalWriteAfterPDEVInfoRecord, gather_cnt, 12);
KX_ASSERT_SIZE(StatisticalWriteAfterPDEVInfoRecord, 16);

// Java class StatisticalWriteAfter.
struct StatisticalWriteAfterRecord {
  int32_t raid0_stripe_cnt;
  int32_t raid0_stripe_job[15][15];
  int32_t raid5_stripe_cnt;
  int32_t raid5_stripe_job[15][15];
  int32_t stripe_job_rmw[15][15];
  int32_t stripe_job_partial[15][15];
  StatisticalWriteAfterPDEVInfoRecord pdev[kStatGridSide][kStatGridSide];
};
KX_ASSERT_OFFSET(StatisticalWriteAfterRecord, raid0_stripe_cnt, 0);
KX_ASSERT_OFFSET(StatisticalWriteAfterRecord, raid0_stripe_job, 4);
KX_ASSERT_OFFSET(StatisticalWriteAfterRecord, raid5_stripe_cnt, 904);
KX_ASSERT_OFFSET(StatisticalWriteAfterRecord, raid5_stripe_job, 908);
KX_ASSERT_OFFSET(StatisticalWriteAfterRecord, stripe_job_rmw, 1808);
KX_ASSERT_OFFSET(StatisticalWriteAfterRecord, stripe_job_partial, 2708);
KX_ASSERT_OFFSET(StatisticalWriteAfterRecord, pdev, 3608);
KX_ASSERT_SIZE(StatisticalWriteAfterRecord, 7208);

// Java class StatisticalDriveRestoration.
struct StatisticalDriveRestorationRecord {
  int32_t inter_cnt;
  int32_t back_cnt;
  int32_t system_cnt;
};
KX_ASSERT_OFFSET(StatisticalDriveRestorationRecord, inter_cnt, 0);
KX_ASSERT_OFFSET(StatisticalDriveRestorationRecord, back_cnt, 4);
KX_ASSERT_OFFSET(StatisticalDriveRestorationRecord, system_cnt, 8);
KX_ASSERT_SIZE(StatisticalDriveRestorationRecord, 12);

// Java class StatisticalCacheMemory.
struct StatisticalCacheMemoryRecord {
  int32_t battery;
  int32_t threshold;
  int32_t correct_err[32];
  int32_t segment[32][18];
};
KX_ASSERT_OFFSET(StatisticalCacheMemoryRecord, battery, 0);
KX_ASSERT_OFFSET(StatisticalCacheMemoryRecord, threshold, 4);
KX_ASSERT_OFFSET(StatisticalCacheMemoryRecord, correct_err, 8);
KX_ASSERT_OFFSET(StatisticalCacheMemoryRecord, segment, 136);
KX_ASSERT_SIZE(StatisticalCacheMemoryRecord, 2440);

// Java class StatisticalDrive_Info.
struct StatisticalDriveInfoRecord {
  int32_t d_had_rec;
  int32_t d_had_urec;
  int32_t d_med_rec;
  int32_t d_med_urec;
  int32_t d_rw_rec;
  int32_t d_rw_urec;
  int32_t d_drive_rec;
  int32_t d_drive_urec;
  int32_t d_crhd_rec;
  int32_t d_crhd_urec;
  int32_t d_scsi_rec;
  int32_t d_scsi_urec;
  int32_t ov_correct_err;
  int32_t ov_uncorrect_err;
  int32_t ov_restor_cnt;
  int32_t drv_port_err[2];
  int32_t link_failre[2];
};
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_had_rec, 0);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_had_urec, 4);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_med_rec, 8);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_med_urec, 12);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_rw_rec, 16);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_rw_urec, 20);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_drive_rec, 24);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_drive_urec, 28);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_crhd_rec, 32);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_crhd_urec, 36);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_scsi_rec, 40);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, d_scsi_urec, 44);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, ov_correct_err, 48);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, ov_uncorrect_err, 52);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, ov_restor_cnt, 56);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, drv_port_err, 60);
KX_ASSERT_OFFSET(StatisticalDriveInfoRecord, link_failre, 68);
KX_ASSERT_SIZE(StatisticalDriveInfoRecord, 76);

// Java class StatisticalDrive.
struct StatisticalDriveRecord {
  int32_t err_rtry;
  StatisticalDriveInfoRecord drive[kStatGridSide][kStatGridSide];
};
KX_ASSERT_OFFSET(StatisticalDriveRecord, err_rtry, 0);
KX_ASSERT_OFFSET(StatisticalDriveRecord, drive, 4);
KX_ASSERT_SIZE(StatisticalDriveRecord, 17104);

// Java class StatisticalHostSpc_Info.
struct StatisticalHostSpcInfoRecord {
  int32_t retry;
  int32_t err_threshold;
  int32_t err_count;
};
KX_ASSERT_OFFSET(StatisticalHostSpcInfoRecord, retry, 0);
KX_ASSERT_OFFSET(StatisticalHostSpcInfoRecord, err_threshold, 4);
KX_ASSERT_OFFSET(StatisticalHostSpcInfoRecord, err_count, 8);
KX_ASSERT_SIZE(StatisticalHostSpcInfoRecord, 12);

// Java class StatisticalHostSpc.
struct StatisticalHostSpcRecord {
  StatisticalHostSpcInfoRecord port[4];
};
KX_ASSERT_OFFSET(StatisticalHostSpcRecord, port, 0);
KX_ASSERT_SIZE(StatisticalHostSpcRecord, 48);

// Java class StatisticalDriveSpc.
struct StatisticalDriveSpcRecord {
  int32_t retry;
  int32_t err_threshold;
  int32_t err_count[6];
};
KX_ASSERT_OFFSET(StatisticalDriveSpcRecord, retry, 0);
KX_ASSERT_OFFSET(StatisticalDriveSpcRecord, err_threshold, 4);
KX_ASSERT_OFFSET(StatisticalDriveSpcRecord, err_count, 8);
KX_ASSERT_SIZE(StatisticalDriveSpcRecord, 32);

// Java class StatisticalDriveFpc_Info.
struct StatisticalDriveFpcInfoRecord {
  int32_t normal_fpc_err;
  int32_t alternate_fpc_err;
  int32_t normal_link_err;
  int32_t alternate_link_err;
  int32_t normal_link_fail;
  int32_t alternate_link_fail;
};
KX_ASSERT_OFFSET(StatisticalDriveFpcInfoRecord, normal_fpc_err, 0);
KX_ASSERT_OFFSET(StatisticalDriveFpcInfoRecord, alternate_fpc_err, 4);
KX_ASSERT_OFFSET(StatisticalDriveFpcInfoRecord, normal_link_err, 8);
KX_ASSERT_OFFSET(StatisticalDriveFpcInfoRecord, alternate_link_err, 12);
KX_ASSERT_OFFSET(StatisticalDriveFpcInfoRecord, normal_link_fail, 16);
KX_ASSERT_OFFSET(StatisticalDriveFpcInfoRecord, alternate_link_fail, 20);
KX_ASSERT_SIZE(StatisticalDriveFpcInfoRecord, 24);

// Java class StatisticalDriveFpc.
struct StatisticalDriveFpcRecord {
  StatisticalDriveFpcInfoRecord fpc[2];
};
KX_ASSERT_OFFSET(StatisticalDriveFpcRecord, fpc, 0);
KX_ASSERT_SIZE(StatisticalDriveFpcRecord, 48);

// Java class StatisticalDriveDma_Error.
struct StatisticalDriveDmaErrorRecord {
  int32_t dma_error;
  int32_t drr_error;
  int32_t bus_error;
  int32_t la_error;
};
KX_ASSERT_OFFSET(StatisticalDriveDmaErrorRecord, dma_error, 0);
KX_ASSERT_OFFSET(StatisticalDriveDmaErrorRecord, drr_error, 4);
KX_ASSERT_OFFSET(StatisticalDriveDmaErrorRecord, bus_error, 8);
KX_ASSERT_OFFSET(StatisticalDriveDmaErrorRecord, la_error, 12);
KX_ASSERT_SIZE(StatisticalDriveDmaErrorRecord, 16);

// Java class StatisticalDriveDma.
struct StatisticalDriveDmaRecord {
  int32_t dma_retry;
  int32_t dma_path_retry;
  int32_t drr_retry;
  StatisticalDriveDmaErrorRecord error[6];
};
KX_ASSERT_OFFSET(StatisticalDriveDmaRecord, dma_retry, 0);
KX_ASSERT_OFFSET(StatisticalDriveDmaRecord, dma_path_retry, 4);
KX_ASSERT_OFFSET(StatisticalDriveDmaRecord, drr_retry, 8);
KX_ASSERT_OFFSET(StatisticalDriveDmaRecord, error, 12);
KX_ASSERT_SIZE(StatisticalDriveDmaRecord, 108);

// Java class StatisticalHostDma.
struct StatisticalHostDmaRecord {
  int32_t err_rtry;
  int32_t dma_errcnt;
  int32_t bus_errcnt;
  int32_t la_errcnt;
};
KX_ASSERT_OFFSET(StatisticalHostDmaRecord, err_rtry, 0);
KX_ASSERT_OFFSET(StatisticalHostDmaRecord, dma_errcnt, 4);
KX_ASSERT_OFFSET(StatisticalHostDmaRecord, bus_errcnt, 8);
KX_ASSERT_OFFSET(StatisticalHostDmaRecord, la_errcnt, 12);
KX_ASSERT_SIZE(StatisticalHostDmaRecord, 16);

// Java class StatisticalHontai.
struct StatisticalHontaiRecord {
  int32_t pctl_err;
  int32_t pci_err;
  int32_t mpu_err;
  int32_t dctl_err;
  int32_t bridge_err;
  int32_t ps;
  int32_t fan;
  int32_t upst;
  int32_t ac_inbox;
  int32_t backup_power;
  int32_t auto_reset;
  int32_t auto_reboot;
};
KX_ASSERT_OFFSET(StatisticalHontaiRecord, pctl_err, 0);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, pci_err, 4);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, mpu_err, 8);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, dctl_err, 12);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, bridge_err, 16);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, ps, 20);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, fan, 24);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, upst, 28);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, ac_inbox, 32);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, backup_power, 36);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, auto_reset, 40);
KX_ASSERT_OFFSET(StatisticalHontaiRecord, auto_reboot, 44);
KX_ASSERT_SIZE(StatisticalHontaiRecord, 48);

// Java class StatisticalShuuhen.
struct StatisticalShuuhenRecord {
  int32_t panel;
  int32_t fdd;
  int32_t rs232c;
  int32_t lan;
};
KX_ASSERT_OFFSET(StatisticalShuuhenRecord, panel, 0);
KX_ASSERT_OFFSET(StatisticalShuuhenRecord, fdd, 4);
KX_ASSERT_OFFSET(StatisticalShuuhenRecord, rs232c, 8);
KX_ASSERT_OFFSET(StatisticalShuuhenRecord, lan, 12);
KX_ASSERT_SIZE(StatisticalShuuhenRecord, 16);

// Java class StatisticalDual.
struct StatisticalDualRecord {
  int32_t other_correct;
  int32_t other_dual;
  int32_t self_dual;
};
KX_ASSERT_OFFSET(StatisticalDualRecord, other_correct, 0);
KX_ASSERT_OFFSET(StatisticalDualRecord, other_dual, 4);
KX_ASSERT_OFFSET(StatisticalDualRecord, self_dual, 8);
KX_ASSERT_SIZE(StatisticalDualRecord, 12);

// Java class StatisticalFibre_Info.
struct StatisticalFibreInfoRecord {
  int32_t tbl_id;
  int32_t ube;
  int32_t der;
  int32_t per;
  int32_t dpe;
  int32_t see;
  int32_t rma;
  int32_t rta;
  int32_t sta;
  int32_t mdpe;
  int32_t ope;
  int32_t ipe;
  int32_t flt;
  int32_t os;
  int32_t ls;
  int32_t drs;
  int32_t lpe;
  int32_t lpb;
  int32_t ols;
  int32_t lst;
  int32_t lpf;
  int32_t ba;
  int32_t lf;
  int32_t ce;
  int32_t ew;
  int32_t lup;
  int32_t ldn;
  int32_t loss_of_sig;
  int32_t bad_rx_char;
  int32_t loss_of_sync;
  int32_t link_fail;
  int32_t rx_eofa;
  int32_t dis_frm;
  int32_t bad_crc;
  int32_t proto_err;
  int32_t sest_lru;
  int32_t dis_frm_cnt;
  int32_t pes;
  int32_t rfpe;
  int32_t wfpe;
  int32_t pesc;
  int32_t peid;
  int32_t peod;
  int32_t ape;
  int32_t sbce;
  int32_t rbce;
  int32_t dte;
  int32_t mie;
  int32_t ssdr;
  int32_t rsce;
  int32_t usc;
  int32_t scd;
  int32_t softrst;
  int32_t ill_frame;
  int32_t rstp;
  int32_t logo;
  int32_t implogo;
  int32_t tprlo;
  int32_t abts;
  int32_t trs;
  int32_t cts;
  int32_t ats;
  int32_t frsv;
  int32_t trs_spread;
  int32_t rstlip_syori;
  int32_t lur;
  int32_t lur_spread;
  int32_t tprlo_spread;
  int32_t clearaca;
};
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, tbl_id, 0);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ube, 4);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, der, 8);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, per, 12);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, dpe, 16);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, see, 20);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rma, 24);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rta, 28);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, sta, 32);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, mdpe, 36);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ope, 40);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ipe, 44);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, flt, 48);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, os, 52);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ls, 56);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, drs, 60);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lpe, 64);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lpb, 68);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ols, 72);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lst, 76);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lpf, 80);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ba, 84);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lf, 88);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ce, 92);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ew, 96);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lup, 100);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ldn, 104);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, loss_of_sig, 108);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, bad_rx_char, 112);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, loss_of_sync, 116);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, link_fail, 120);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rx_eofa, 124);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, dis_frm, 128);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, bad_crc, 132);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, proto_err, 136);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, sest_lru, 140);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, dis_frm_cnt, 144);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, pes, 148);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rfpe, 152);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, wfpe, 156);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, pesc, 160);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, peid, 164);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, peod, 168);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ape, 172);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, sbce, 176);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rbce, 180);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, dte, 184);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, mie, 188);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ssdr, 192);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rsce, 196);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, usc, 200);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, scd, 204);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, softrst, 208);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ill_frame, 212);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rstp, 216);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, logo, 220);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, implogo, 224);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, tprlo, 228);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, abts, 232);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, trs, 236);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, cts, 240);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, ats, 244);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, frsv, 248);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, trs_spread, 252);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, rstlip_syori, 256);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lur, 260);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, lur_spread, 264);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, tprlo_spread, 268);
KX_ASSERT_OFFSET(StatisticalFibreInfoRecord, clearaca, 272);
KX_ASSERT_SIZE(StatisticalFibreInfoRecord, 276);

// Java class StatisticalFibre.
struct StatisticalFibreRecord {
  StatisticalFibreInfoRecord Install[2];
  StatisticalFibreInfoRecord Pson[2];
};
KX_ASSERT_OFFSET(StatisticalFibreRecord, Install, 0);
KX_ASSERT_OFFSET(StatisticalFibreRecord, Pson, 552);
KX_ASSERT_SIZE(StatisticalFibreRecord, 1104);

// Java class StatisticalUnit.
struct StatisticalUnitRecord {
  int32_t battery;
  int32_t ps;
  int32_t fan;
  int32_t upst;
  int32_t backup_power;
};
KX_ASSERT_OFFSET(StatisticalUnitRecord, battery, 0);
KX_ASSERT_OFFSET(StatisticalUnitRecord, ps, 4);
KX_ASSERT_OFFSET(StatisticalUnitRecord, fan, 8);
KX_ASSERT_OFFSET(StatisticalUnitRecord, upst, 12);
KX_ASSERT_OFFSET(StatisticalUnitRecord, backup_power, 16);
KX_ASSERT_SIZE(StatisticalUnitRecord, 20);

// Java class StatisticalDriveError_LimitInfo.
struct StatisticalDriveErrorLimitInfoRecord {
  int32_t limit_had_rec;
  int32_t limit_had_urec;
  int32_t limit_med_rec;
  int32_t limit_med_urec;
  int32_t limit_rw_rec;
  int32_t limit_rw_urec;
  int32_t limit_drive_rec;
  int32_t limit_drive_urec;
  int32_t limit_crhd_rec;
  int32_t limit_crhd_urec;
  int32_t limit_scsi_rec;
  int32_t limit_scsi_urec;
  int32_t limit_ov_corerr;
  int32_t limit_ov_ucorerr;
  int32_t limit_drive_port;
};
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_had_rec, 0);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_had_urec, 4);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_med_rec, 8);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_med_urec, 12);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_rw_rec, 16);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_rw_urec, 20);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_drive_rec, 24);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_drive_urec, 28);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_crhd_rec, 32);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_crhd_urec, 36);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_scsi_rec, 40);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_scsi_urec, 44);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_ov_corerr, 48);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_ov_ucorerr, 52);
KX_ASSERT_OFFSET(StatisticalDriveErrorLimitInfoRecord, limit_drive_port, 56);
KX_ASSERT_SIZE(StatisticalDriveErrorLimitInfoRecord, 60);

// Java class StatisticalDriveError_Info.
struct StatisticalDriveErrorInfoRecord {
  int32_t drv_on_time;
  int32_t had_rec_limit;
  int32_t had_urec_limit;
  int32_t med_rec_limit;
  int32_t med_urec_limit;
  int32_t rw_rec_limit;
  int32_t rw_urec_limit;
  int32_t drive_rec_limit;
  int32_t drive_urec_limit;
  int32_t crhd_rec_limit;
  int32_t crhd_urec_limit;
  int32_t scsi_rec_limit;
  int32_t scsi_urec_limit;
  int32_t ov_corerr_limit;
  int32_t ov_ucorerr_limit;
  int32_t drive_port_limit1[2];
  int32_t drive_port_limit2[2];
  int32_t drive_port_limit3[2];
};
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, drv_on_time, 0);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, had_rec_limit, 4);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, had_urec_limit, 8);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, med_rec_limit, 12);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, med_urec_limit, 16);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, rw_rec_limit, 20);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, rw_urec_limit, 24);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, drive_rec_limit, 28);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, drive_urec_limit, 32);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, crhd_rec_limit, 36);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, crhd_urec_limit, 40);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, scsi_rec_limit, 44);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, scsi_urec_limit, 48);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, ov_corerr_limit, 52);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, ov_ucorerr_limit, 56);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, drive_port_limit1, 60);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, drive_port_limit2, 68);
KX_ASSERT_OFFSET(StatisticalDriveErrorInfoRecord, drive_port_limit3, 76);
KX_ASSERT_SIZE(StatisticalDriveErrorInfoRecord, 84);

// Java class StatisticalDriveError.
struct StatisticalDriveErrorRecord {
  StatisticalDriveErrorLimitInfoRecord limit;
  StatisticalDriveErrorInfoRecord drive[kStatGridSide][kStatGridSide];
};
KX_ASSERT_OFFSET(StatisticalDriveErrorRecord, limit, 0);
KX_ASSERT_OFFSET(StatisticalDriveErrorRecord, drive, 60);
KX_ASSERT_SIZE(StatisticalDriveErrorRecord, 18960);

// Java class StatisticalInformation.
struct StatisticalInformationRecord {
  int32_t unite_option;
  StatisticalControllerRecord controller[kStatControllerCount];
  StatisticalHostCommandRecord h_command[kStatControllerCount];
  StatisticalHostCommandRecord h_command_unite[kStatControllerCount];
  StatisticalCommandStatusRecord com_status[kStatControllerCount];
  StatisticalCommandStatusRecord com_status_unite[kStatControllerCount];
  StatisticalCacheRecord cache[kStatControllerCount];
  StatisticalWriteAfterRecord writeafter[kStatControllerCount];
  StatisticalDriveRestorationRecord drive_rest[kStatControllerCount];
  StatisticalCacheMemoryRecord cache_mem[kStatControllerCount];
  StatisticalDriveRecord drive[kStatControllerCount];
  StatisticalHostSpcRecord h_spc[kStatControllerCount];
  StatisticalDriveSpcRecord d_spc[kStatControllerCount];
  StatisticalDriveFpcRecord d_fpc[kStatControllerCount];
  StatisticalDriveDmaRecord d_dma[kStatControllerCount];
  StatisticalHostDmaRecord h_dma[kStatControllerCount];
  StatisticalHontaiRecord hontai[kStatControllerCount];
  StatisticalShuuhenRecord shuuhen[kStatControllerCount];
  StatisticalDualRecord dual[kStatControllerCount];
  StatisticalFibreRecord fibre[kStatControllerCount];
  StatisticalUnitRecord unit[kStatControllerCount];
  StatisticalDriveErrorRecord drive_err[kStatControllerCount];
};
KX_ASSERT_OFFSET(StatisticalInformationRecord, unite_option, 0);
KX_ASSERT_OFFSET(StatisticalInformationRecord, controller, 4);
KX_ASSERT_OFFSET(StatisticalInformationRecord, h_command, 92);
KX_ASSERT_OFFSET(StatisticalInformationRecord, h_command_unite, 8284);
KX_ASSERT_OFFSET(StatisticalInformationRecord, com_status, 16476);
KX_ASSERT_OFFSET(StatisticalInformationRecord, com_status_unite, 53340);
KX_ASSERT_OFFSET(StatisticalInformationRecord, cache, 90204);
KX_ASSERT_OFFSET(StatisticalInformationRecord, writeafter, 90236);
KX_ASSERT_OFFSET(StatisticalInformationRecord, drive_rest, 104652);
KX_ASSERT_OFFSET(StatisticalInformationRecord, cache_mem, 104676);
KX_ASSERT_OFFSET(StatisticalInformationRecord, drive, 109556);
KX_ASSERT_OFFSET(StatisticalInformationRecord, h_spc, 143764);
KX_ASSERT_OFFSET(StatisticalInformationRecord, d_spc, 143860);
KX_ASSERT_OFFSET(StatisticalInformationRecord, d_fpc, 143924);
KX_ASSERT_OFFSET(StatisticalInformationRecord, d_dma, 144020);
KX_ASSERT_OFFSET(StatisticalInformationRecord, h_dma, 144236);
KX_ASSERT_OFFSET(StatisticalInformationRecord, hontai, 144268);
KX_ASSERT_OFFSET(StatisticalInformationRecord, shuuhen, 144364);
KX_ASSERT_OFFSET(StatisticalInformationRecord, dual, 144396);
KX_ASSERT_OFFSET(StatisticalInformationRecord, fibre, 144420);
KX_ASSERT_OFFSET(StatisticalInformationRecord, unit, 146628);
KX_ASSERT_OFFSET(StatisticalInformationRecord, drive_err, 146668);
KX_ASSERT_SIZE(StatisticalInformationRecord, 184588);

// Landmarks of the statistics record that the core and the bridge must agree
// on, beyond the member offsets above.
static_assert(offsetof(StatisticalInformationRecord, h_command) +
                      sizeof(StatisticalHostCommandRecord) +
                      offsetof(StatisticalHostCommandRecord, lu) +
                      511 * sizeof(StatisticalHostCommandInfoRecord) ==
                  8276,
              "h_command[1].lu[511].read_count");
static_assert(offsetof(StatisticalInformationRecord, drive) +
                      offsetof(StatisticalDriveRecord, drive) +
                      (15 * 14 + 14) * sizeof(StatisticalDriveInfoRecord) ==
                  126584,
              "drive[0].drive[14][14].d_had_rec");
static_assert(offsetof(StatisticalInformationRecord, writeafter) +
                      sizeof(StatisticalWriteAfterRecord) +
                      offsetof(StatisticalWriteAfterRecord, pdev) +
                      (15 * 14 + 14) * sizeof(StatisticalWriteAfterPDEVInfoRecord) ==
                  104636,
              "writeafter[1].pdev[14][14].gather_prc_cnt");
static_assert(offsetof(StatisticalInformationRecord, drive_err) +
                      sizeof(StatisticalDriveErrorRecord) +
                      offsetof(StatisticalDriveErrorRecord, drive) +
                      (15 * 14 + 14) * sizeof(StatisticalDriveErrorInfoRecord) +
                      offsetof(StatisticalDriveErrorInfoRecord, drive_port_limit3) ==
                  184580,
              "drive_err[1].drive[14][14].drive_port_limit3");

// ---------------------------------------------------------------------------
// Performance samples.

// Java class StatisticalCommand_Info: the command counters of one LU.
struct StatisticalCommandInfoRecord {
  int32_t read_count;
  int32_t write_count;
  int32_t read_cache;
  int32_t write_cache;
};
KX_ASSERT_OFFSET(StatisticalCommandInfoRecord, read_count, 0);
KX_ASSERT_OFFSET(StatisticalCommandInfoRecord, write_count, 4);
KX_ASSERT_OFFSET(StatisticalCommandInfoRecord, read_cache, 8);
KX_ASSERT_OFFSET(StatisticalCommandInfoRecord, write_cache, 12);
KX_ASSERT_SIZE(StatisticalCommandInfoRecord, 16);

// Java class StatisticalCommand: one sample of every LU's counters, taken at
// `mtime` (local time on the unit's clock, years counted from 1900).
struct StatisticalCommandRecord {
  StatisticalCommandInfoRecord lu[kStatLuCapacity];
  BrokenDownTime mtime;
};
KX_ASSERT_OFFSET(StatisticalCommandRecord, lu, 0);
KX_ASSERT_OFFSET(StatisticalCommandRecord, mtime, 8192);
KX_ASSERT_SIZE(StatisticalCommandRecord, 8228);
static_assert(offsetof(StatisticalCommandRecord, mtime) +
                      offsetof(BrokenDownTime, tm_year) ==
                  8212,
              "StatisticalCommandRecord.mtime.tm_year");

// KX_PerformanceOutputLU takes one byte per LU entry of a sample.
enum : uint32_t { kPerformanceLuListSize = kStatLuCapacity };
