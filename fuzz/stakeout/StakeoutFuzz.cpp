// Fuzz target: the stake-out files on arbitrary contents. Each input is
// stored once and read as a point library, a line library, a record file
// and both settings files; every point and line read then goes through the
// read-outs and the plan maths, which must give finite screen points and
// no "nan" for any numbers the files hold.
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
        Check(r.dx);
        Check(r.dy);
        Check(r.azimuth);
        extent.emplace_back(p.dX, p.dY);
    }
    view.ZoomToExtent(extent);
    for (const PointRecord& p : stakeout::ReadRecordFile(path)) view.ToScreen(p.dX, p.dY);
    for (const stakeout::StakeLine& l : stakeout::ReadLineLibrary(path)) {
        const stakeout::LineReadouts r = stakeout::ComputeLineReadouts(l, 5.0, 5.0, 1);
        for (const CString* t : {&r.offset, &r.startDist, &r.endDist, &r.chainage, &r.dx, &r.dy})
            Check(*t);
        stakeout::LinePromptState state;
        stakeout::StepLinePrompt(l, 5.0, 5.0, r.along, ls.maxPrompt, 1, 1, ls.intMileage, state);
        stakeout::GuideLineOffsets(view, l.start.dX, l.start.dY, l.end.dX, l.end.dY, ls.minPrompt,
                                   ls.maxPrompt);
    }
    stakeout::PromptRingRadii(view, {120, 80}, ps.minLayoutPrompt, ps.maxLayoutPrompt);
    return 0;
}
