// Fuzz target: the stake-out files on arbitrary contents. Each input is
// stored once and read as a point library, a line library, a record file
// and both settings files (one "[Key]value" a line); every point and line
// read then goes through the read-outs, the record line a staked point would
// get and the plan maths, which must give finite screen points, end, and
// show no "nan" or "inf" for any numbers the files hold. The lines are
// measured from a position near the origin and from the first library
// point, which may lie as far out as the lines.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/stakeout/StakeoutFiles.h"
#include "app/stakeout/StakeoutPlan.h"
#include "app/stakeout/StakeoutReadouts.h"
#include "fuzz/FuzzRoot.h"

namespace {

void Check(const CString& text) {
    if (text.Find(L"nan") >= 0 || text.Find(L"inf") >= 0) std::abort();
}

// The read-outs for a position, and the record line of a point staked
// there: the chainage read-out is its code.
stakeout::LineReadouts CheckLineReadouts(const stakeout::StakeLine& l, double px, double py) {
    const stakeout::LineReadouts r = stakeout::ComputeLineReadouts(l, px, py, 1);
    for (const CString* t : {&r.offset, &r.startDist, &r.endDist, &r.chainage, &r.dx, &r.dy})
        Check(*t);
    PointRecord staked;
    staked.strName = L"P1";
    staked.dX = px;
    staked.dY = py;
    staked.strCode = r.chainage;
    Check(stakeout::FormatRecordLine(staked));
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const quorvel::fuzz::CFuzzRoot root("stakeout", {"Flash Disk"});
    root.Store("Flash Disk/fuzz.ptb", data, size);
    const CString path = L"\\Flash Disk\\fuzz.ptb";
    stakeout::PointSettings ps;
    stakeout::LoadPointSettings(path, ps);
    stakeout::LineSettings ls;
    stakeout::LoadLineSettings(path, ls);
    stakeout::PlanView view;
    view.rect = {0, 0, 240, 160};
    view.SetScale(ps.minLayoutPrompt);
    std::vector<std::pair<double, double>> extent;
    for (const PointRecord& p : stakeout::ReadPointLibrary(path)) {
        const stakeout::PointReadouts r = stakeout::ComputePointReadouts(p, 1.0, 2.0, 3.0, 1, 1.5);
        for (const CString* t : {&r.dx, &r.dy, &r.dh, &r.distance, &r.azimuth}) Check(*t);
        extent.emplace_back(p.dX, p.dY);
    }
    view.ZoomToExtent(extent);
    for (const PointRecord& p : stakeout::ReadRecordFile(path)) view.ToScreen(p.dX, p.dY);
    for (const stakeout::StakeLine& l : stakeout::ReadLineLibrary(path)) {
        const stakeout::LineReadouts r = CheckLineReadouts(l, 5.0, 5.0);
        if (!extent.empty()) CheckLineReadouts(l, extent[0].first, extent[0].second);
        stakeout::LinePromptState state;
        stakeout::StepLinePrompt(l, 5.0, 5.0, r.along, ls.maxPrompt, 1, 1, ls.intMileage, state);
        stakeout::GuideLineOffsets(view, l.start.dX, l.start.dY, l.end.dX, l.end.dY, ls.minPrompt,
                                   ls.maxPrompt);
    }
    stakeout::PromptRingRadii(view, {120, 80}, ps.minLayoutPrompt, ps.maxLayoutPrompt);
    return 0;
}
