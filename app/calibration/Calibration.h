// Calibration on known points: the wizard of command 32835 "校正向导" and
// the document operations that finish it.
//
// The surveyor says whether the base stands on a known or an unknown point
// (CCalibModeDlg), then confirms up to three pages, each the known local
// coordinates of one point with its antenna height. The finish ties the
// current RTK fix to them: it appends a line to "adjustcoord.RTK", computes
// the translation correction (szdCorrectionX/Y/H) and, from enough rover
// points, a plane four-parameter set, and rewrites the job's .par.
//
// Slots: 0 is the base station (known mode) or the base's derived
// coordinates (unknown mode); 1 to 3 are rover points. The document's
// tables m_calibKnown (typed), m_calibMeasured (uncorrected grid; entry 0 is
// the base, entries k mirror the .par source points) and m_calibPoint (the
// fix at finishing time) carry the points between the steps; a calibration
// of several points is built up over several runs, one rover point a run.
//
// The operations take the document they work on; they run on the user-
// interface thread. The new values stay in memory when the .par cannot be
// written; the first write of a calibration that fails shows "创建par文件错误,
// 请检查错误!", and the writes after it say nothing more until one has gone
// through again.
#pragma once

#include "platform/base/WinTypes.h"

class CVendropDoc;

// The whole command: mode, pages, finish. The caller sets the store
// screens' status flag back afterwards, whatever happened.
void RunCalibrationWizard(CVendropDoc& doc);

// Every .par write of the pages and the finish: a failure is told once a
// calibration, as the document's SaveCoordParams tells it.
void SaveCalibrationParams(CVendropDoc& doc);

// Finishing, after the pages: the alarm sound, the prompt, the non-fixed
// question, the "adjustcoord.RTK" line and the arithmetic of the mode. The
// document's engine is reloaded from the record when anything changed.
void CalibrateOnKnownPoint(CVendropDoc& doc);
void CalibrateOnUnknownPoint(CVendropDoc& doc);

// The arithmetic steps, n = m_nCalibPointCount.
// n < 2: measured entry 0 from source point 0; otherwise the fix's
// m_calibPoint becomes measured entry n - 1 and source point n - 1.
void UpdateCalibSourcePoints(CVendropDoc& doc);
// Four parameters from the pairs measured -> known of slots 0 (1 when
// skipping the first) to n - 1, into szdCx1..szdCk1 with nDifang 1; fewer
// than two pairs change nothing.
void SolveCalibFourParams(CVendropDoc& doc, BOOL bSkipFirst);
// The correction from the base: known base minus its measured (adjusted)
// position; the height correction is the mean over the slots 0..n-1.
void ComputeCorrectionKnownBase(CVendropDoc& doc);
// The correction from rover slot 1; the height correction the mean over the
// slots 1..n-1. The base's known coordinates (slot 0, antenna 1.2) follow
// from it and go to "knowdata.dat" entry 0.
void ComputeCorrectionUnknownBase(CVendropDoc& doc);
