// The stake-out screens' read-outs, prompts, plan maths and files as
// tables: what the surveyor reads for a fix and a target or a line, when
// the alarm sounds, where rings and guide lines go, and the settings and
// record files byte for byte.
#include <cmath>
#include <limits>

#include "app/screens/PlanDrawing.h"
#include "app/stakeout/StakeLibraryChoice.h"
#include "app/stakeout/StakeoutFiles.h"
#include "app/stakeout/StakeoutPlan.h"
#include "app/stakeout/StakeoutReadouts.h"
#include "platform/base/TextConv.h"
#include "platform/files/FileApi.h"
#include "platform/resources/Resources.h"
#include "tests/app/SettingsTestRoot.h"
#include "tests/app/stakeout/StakeoutShapes.h"

namespace {

using namespace stakeout;
using namespace stakeouttest;

TEST(StakeoutReadoutsTest, PointOffsetsNameTheWayToWalk) {
    struct Case {
        double fx, fy;
        const char *dx, *dy, *dist, *az;
    };
    // Target (100, 200); the fix moves around it.
    const Case cases[] = {
        {100.0, 200.0, "北0.000", "东0.000", "0.000", "0°00'00\""},
        {101.2344, 200.0, "南1.234", "东0.000", "1.234", "180°00'00\""},
        {90.0, 190.0, "北10.000", "东10.000", "14.142", "45°00'00\""},
        {100.0, 205.0, "北0.000", "西5.000", "5.000", "270°00'00\""},
    };
    for (const Case& c : cases) {
        const PointReadouts r =
            ComputePointReadouts(Pt(L"T", 100, 200, 10), c.fx, c.fy, 12.5, 0, 0);
        EXPECT_EQ(U8(r.dx), c.dx);
        EXPECT_EQ(U8(r.dy), c.dy);
        EXPECT_EQ(U8(r.distance), c.dist);
        EXPECT_EQ(U8(r.azimuth), c.az);
        EXPECT_EQ(U8(r.dh), "-2.500");
    }
    // With the antenna height applied the fix stands that much lower.
    EXPECT_EQ(U8(ComputePointReadouts(Pt(L"T", 0, 0, 10), 0, 0, 12.5, 1, 2.0).dh), "-0.500");
    // -0 after a word.
    EXPECT_EQ(U8(WordAndMagnitude(L"北", -0.0)), "北0.000");
}

TEST(StakeoutReadoutsTest, AzimuthCarriesSecondsAndMinutes) {
    EXPECT_EQ(U8(FormatAzimuth(360.0 - 1e-8)), "360°00'00\"");
    EXPECT_EQ(U8(FormatAzimuth(10.5)), "10°30'00\"");
    EXPECT_EQ(U8(FormatAzimuth(45.0 + 59.0 / 60.0 + 59.99999 / 3600.0)), "46°00'00\"");
    EXPECT_EQ(U8(FormatAzimuth(123.0 + 4.0 / 60.0 + 5.5 / 3600.0)), "123°04'05\"");
}

TEST(StakeoutReadoutsTest, LineReadoutsOnAndAroundTheLine) {
    const StakeLine line = Line(0, 0, 100, 0);
    LineReadouts r = ComputeLineReadouts(line, 50, 5, 0);
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(U8(r.offset), "右5.000");
    EXPECT_EQ(U8(r.startDist), "50.249");
    EXPECT_EQ(U8(r.endDist), "50.249");
    EXPECT_EQ(U8(r.chainage), "50.00");
    EXPECT_EQ(U8(r.dx), "北0.000");
    EXPECT_EQ(U8(r.dy), "西5.000");
    r = ComputeLineReadouts(line, 50, 5, 1);
    EXPECT_EQ(U8(r.startDist), "50.000");
    EXPECT_EQ(U8(r.endDist), "50.000");
    // West of the line: left; the way back is east.
    r = ComputeLineReadouts(line, 30, -2, 0);
    EXPECT_EQ(U8(r.offset), "左2.000");
    EXPECT_EQ(U8(r.dy), "东2.000");
    // With ShowPlumb the two distances add up to the line's length.
    for (double x : {0.5, 13.0, 77.7, 99.5}) {
        r = ComputeLineReadouts(line, x, 3.3, 1);
        EXPECT_NEAR(std::stod(U8(r.startDist)) + std::stod(U8(r.endDist)), 100.0, 0.0015);
    }
    // Behind the start: negative start distance, chainage less, outside.
    r = ComputeLineReadouts(Line(0, 0, 100, 0, 1000.0), -10, 0, 0);
    EXPECT_EQ(U8(r.startDist), "-10.000");
    EXPECT_EQ(U8(r.chainage), "990.00");
    EXPECT_EQ(U8(r.dx), "在直线外");
    EXPECT_EQ(U8(r.dy), "");
    // Beyond the end.
    r = ComputeLineReadouts(line, 120, 0, 0);
    EXPECT_EQ(U8(r.endDist), "-20.000");
    EXPECT_EQ(U8(r.dx), "在直线外");
    // On the bearing from the start: "左" for A < 180, "右" for A >= 180.
    EXPECT_EQ(U8(ComputeLineReadouts(Line(0, 0, 10, 10), 5, 5, 0).offset), "左0.000");
    EXPECT_EQ(U8(ComputeLineReadouts(Line(0, 0, -10, -10), -5, -5, 0).offset), "右0.000");
    // A zero-length line: nothing to show, no nan anywhere.
    r = ComputeLineReadouts(Line(5, 5, 5, 5), 6, 6, 1);
    EXPECT_FALSE(r.valid);
    EXPECT_TRUE(r.offset.IsEmpty() && r.chainage.IsEmpty() && r.dx.IsEmpty());
    // Positions on a skew line: square roots of rounding noise stay 0.
    for (double t : {0.1, 0.333333333, 0.5, 0.9}) {
        const StakeLine skew = Line(1234.567, 9876.543, 1334.567, 9976.543);
        r = ComputeLineReadouts(skew, 1234.567 + 100 * t, 9876.543 + 100 * t, 1);
        for (const CString* s : {&r.offset, &r.startDist, &r.endDist, &r.chainage, &r.dx, &r.dy})
            EXPECT_EQ(U8(*s).find("nan"), std::string::npos) << U8(*s);
        EXPECT_EQ(U8(r.offset).substr(3), "0.000");
    }
}

TEST(StakeoutReadoutsTest, FootIsInsideOnlyStrictlyBetweenTheEnds) {
    Foot f = PerpendicularFoot(0, 0, 100, 0, 50, 5);
    EXPECT_DOUBLE_EQ(f.x, 50);
    EXPECT_DOUBLE_EQ(f.y, 0);
    EXPECT_TRUE(f.inside);
    EXPECT_FALSE(PerpendicularFoot(0, 0, 100, 0, 100, 5).inside);
    EXPECT_FALSE(PerpendicularFoot(0, 0, 100, 0, 0, 5).inside);
    f = PerpendicularFoot(0, 0, 0, 100, 3, 40);  // a line due east
    EXPECT_DOUBLE_EQ(f.x, 0);
    EXPECT_DOUBLE_EQ(f.y, 40);
    EXPECT_TRUE(f.inside);
    f = PerpendicularFoot(0, 0, 10, 10, 10, 0);
    EXPECT_NEAR(f.x, 5, 1e-12);
    EXPECT_NEAR(f.y, 5, 1e-12);
}

TEST(StakeoutPromptsTest, PointAlarmOncePerApproach) {
    int sounded = 0;
    int sounds = 0;
    // Enter, stay, leave, re-enter.
    for (double d : {2.0, 0.85, 0.5, 0.7, 1.2, 0.8, 0.3})
        sounds += StepPointPrompt(d, 0.9, 1, sounded).sound;
    EXPECT_EQ(sounds, 2);
    // A new target clears the flag (the screen does so): sounds again.
    sounded = 0;
    EXPECT_TRUE(StepPointPrompt(0.3, 0.9, 1, sounded).sound);
    // Sound off: rings but no sound, and the flag is not cleared by leaving.
    sounded = 1;
    PointPromptStep step = StepPointPrompt(0.3, 0.9, 0, sounded);
    EXPECT_TRUE(step.drawRings);
    EXPECT_FALSE(step.sound);
    StepPointPrompt(5.0, 0.9, 0, sounded);
    EXPECT_EQ(sounded, 1);
}

TEST(StakeoutPromptsTest, LineNearAndWholeChainage) {
    const StakeLine line = Line(0, 0, 300, 0, 1000.0);
    LinePromptState state;
    int near = 0, whole = 0;
    const auto walk = [&](double x, double y, int soundPrompt, int intMil, double interval) {
        const LineReadouts r = ComputeLineReadouts(line, x, y, 1);
        const LinePromptStep s =
            StepLinePrompt(line, x, y, r.along, 1.5, soundPrompt, intMil, interval, state);
        near += s.sound;
        whole += s.chainageSound;
        return s;
    };
    // Along the line from 0.5 to 120.5 at 1 m: whole chainage at 50 and
    // 100 (counted from the start point; position 0 is not inside).
    for (int i = 0; i <= 120; ++i) walk(i + 0.5, 0.2, 1, 1, 50.0);
    EXPECT_EQ(near, 1);
    EXPECT_EQ(whole, 3);  // 0 (the first update, armed), 50, 100
    // Off the line and back: sounds again; behind the start no sound.
    near = 0;
    walk(60, 5, 1, 0, 50);
    EXPECT_TRUE(walk(60, 1, 1, 0, 50).drawGuides);
    EXPECT_EQ(near, 1);
    EXPECT_FALSE(walk(-3, 0.1, 1, 0, 50).drawGuides);
    // Interval 0 (an older settings file): silent, no division.
    whole = 0;
    state = LinePromptState{};
    for (int i = 0; i < 10; ++i) walk(i + 0.5, 0.0, 1, 1, 0.0);
    for (int i = 0; i < 10; ++i) walk(i + 0.5, 0.0, 1, 1, 0.7);
    EXPECT_EQ(whole, 0);
    // A zero-length line: no prompt at all.
    LinePromptState s2;
    const LinePromptStep z = StepLinePrompt(Line(1, 1, 1, 1), 1, 1, 0, 1.5, 1, 1, 50, s2);
    EXPECT_FALSE(z.sound || z.chainageSound || z.drawGuides);
}

TEST(StakeoutPlanTest, RingsGuideLinesAndScaleBar) {
    PlanView v = View(0.01);
    // 0.3 / 1.0: rings at 0.3, 0.6, 0.9 and 1.2 m (radii truncated: 3 x 0.3
    // is a hair below 0.9).
    EXPECT_EQ(PromptRingRadii(v, {100, 75}, 0.3, 1.0), (std::vector<int>{30, 60, 89, 120}));
    EXPECT_TRUE(PromptRingRadii(v, {100, 75}, 0.5, 0.5).empty());
    EXPECT_TRUE(PromptRingRadii(v, {100, 75}, 0.00001, 0.5).empty());
    // A tiny spacing over a wide prompt: bounded, distinct, on the plan.
    v = View(1.0);
    const std::vector<int> many = PromptRingRadii(v, {100, 75}, 0.0001, 100);
    ASSERT_FALSE(many.empty());
    EXPECT_LE(many.size(), 500u);
    for (size_t i = 1; i < many.size(); ++i) EXPECT_GT(many[i], many[i - 1]);
    EXPECT_LE(many.back(), 200 + 150 + 2);
    // Guide lines: 0.3 / 1.5 gives 5 a side; Min = Max one.
    v = View(0.01);
    EXPECT_EQ(GuideLineOffsets(v, 0, 0, 100, 0, 0.3, 1.5).size(), 5u);
    EXPECT_EQ(GuideLineOffsets(v, 0, 0, 100, 0, 0.5, 0.5), (std::vector<double>{0.5}));
    EXPECT_EQ(GuideLineOffsets(v, 0, 0, 100, 0, 0.4, 1.0).back(), 1.0);
    EXPECT_LE(GuideLineOffsets(View(1.0), 0, 0, 100, 0, 0.0002, 100).size(), 500u);
    EXPECT_TRUE(GuideLineOffsets(v, 0, 0, 0, 0, 0.3, 1.5).empty());
    // Scale bar labels: the survey screens' for the 24-pixel half bar, with
    // the unit from the string table.
    quorvel::resources::Install();
    EXPECT_EQ(U8(screens::ScaleLabel(24.0 * 2.0)), "50米");
    EXPECT_EQ(U8(screens::ScaleLabel(24.0 * 0.001)), "0.1米");
    EXPECT_EQ(U8(screens::ScaleLabel(24.0 * 0.03)), "1米");
    EXPECT_EQ(U8(screens::ScaleLabel(24.0 * 10.0)), "200米");
    EXPECT_EQ(U8(screens::ScaleLabel(24.0 * 1000.0)), "20000米");
}

TEST(StakeoutPlanTest, ViewsZoomAndSaturate) {
    PlanView v = View(1.0);
    // Zoom all: nothing without points; one point gives 0.011.
    EXPECT_FALSE(v.ZoomToExtent({}));
    EXPECT_EQ(v.scale, 1.0);
    EXPECT_TRUE(v.ZoomToExtent({{500.0, 600.0}}));
    EXPECT_DOUBLE_EQ(v.scale, 0.011);
    EXPECT_EQ(v.ToScreen(500.0, 600.0).x, 100);
    EXPECT_EQ(v.ToScreen(500.0, 600.0).y, 75);
    // A zero-size window gives the minimum scale.
    v.ZoomWindow({10, 10}, {10, 10});
    EXPECT_DOUBLE_EQ(v.scale, 0.01);
    // Zoom in and out keep the centre.
    v = View(2.0);
    v.Centre(1000, 2000);
    v.ZoomIn();
    EXPECT_DOUBLE_EQ(v.scale, 1.5);
    EXPECT_NEAR(v.n0 + 75 * v.scale, 1000, 1e-9);
    v.ZoomOut();
    EXPECT_NEAR(v.e0 + 100 * v.scale, 2000, 1e-9);
    // Far away and not finite: saturated, never undefined.
    v = View(0.01);
    EXPECT_EQ(v.ToScreen(1e300, -1e300).x, -1000000);
    EXPECT_EQ(v.ToScreen(-1e300, 1e300).x, 1000000);
    EXPECT_EQ(v.ToScreen(-1e300, 1e300).y, 1000000);
    EXPECT_EQ(v.ToScreen(1e300, 1e300).y, -1000000);
    EXPECT_EQ(v.ToScreen(std::nan(""), 0).y, 1000000);
    v.SetScale(0.0);
    EXPECT_EQ(v.scale, 0.01);
    v.SetScale(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(v.scale, 0.01);
}

TEST(StakeoutPlanTest, MarkerStandsOrPointsAlongTheMove) {
    PlanView v = View(0.01);
    v.Centre(0, 0);
    EXPECT_EQ(ComputeMarker(v, 0, 0, 0, 0, false, false).count, 1);  // the first position
    EXPECT_EQ(ComputeMarker(v, 0, 0, 0, 0, false, true).count, 0);
    EXPECT_EQ(ComputeMarker(v, 0.05, 0, 0.05, 0, false, true).count, 4);
    EXPECT_EQ(ComputeMarker(v, 0.05, 0, 0.05, 0, true, true).count, 1);
    EXPECT_EQ(ComputeMarker(v, 0.01, 0, 0.01, 0, false, true).count, 1);
    // Moving north: the tip 15 px above the dot, the corners below it.
    const MarkerShape m = ComputeMarker(v, 0.05, 0, 0.05, 0, false, true);
    EXPECT_EQ(m.pts[1].x, m.pts[0].x);
    EXPECT_EQ(m.pts[1].y, m.pts[0].y - 15);
    EXPECT_GT(m.pts[2].y, m.pts[1].y + 20);
    EXPECT_GT(m.pts[3].y, m.pts[1].y + 20);
}

TEST(StakeoutPlanTest, AutoPan) {
    // The point screen zooms to a close target; the line screen centres.
    PlanView v = View(10.0);
    v.Centre(0, 0);
    EXPECT_TRUE(AutoPanPoint(v, 0, 0, true, 3, 4));
    EXPECT_NEAR(v.scale, 2.5 * std::max(3.0 / 138, 4.0 / 188), 1e-12);
    EXPECT_FALSE(AutoPanPoint(v, 0, 0, true, 3, 4));
    EXPECT_FALSE(AutoPanPoint(v, 3.1, 4, true, 3, 4));  // 0.1 m away
    PlanView w = View(1.0);
    EXPECT_TRUE(AutoPanPoint(w, 5000, 5000, false, 0, 0));
    EXPECT_EQ(w.ToScreen(5000, 5000).x, 100);
    PlanView l = View(1.0);
    EXPECT_TRUE(AutoPanLine(l, 1000, 0, true, 0, 0));
    EXPECT_NEAR(l.scale, 2.0 * 1000 / 140, 1e-9);
    EXPECT_FALSE(AutoPanLine(l, 10, 0, true, 0, 0));
}

// ---- Files ----

const wchar_t kJob[] = L"\\Flash Disk\\Jobs\\ruvo\\";

class StakeoutFilesTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs", nullptr));
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk\\Jobs\\ruvo", nullptr));
    }
};

TEST_F(StakeoutFilesTest, SettingsFilesByteForByteAndTheirReadings) {
    PointSettings p;
    p.curLayoutFileName = L"\\Flash Disk\\Jobs\\ruvo\\设计.ptb";
    p.showSurveyPoint = -1;
    p.minLayoutPrompt = 0.5;
    ASSERT_TRUE(SavePointSettings(PointSettingsPath(kJob), p));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ptlayauto"),
              Gbk(L"[ShowAllLayoutPoint]1\r\n[ShowRecordLayoutPoint]1\r\n[SoundPrompt]1\r\n"
                  L"[MinLayoutPrompt]0.50000000\r\n[MaxLayoutPrompt]0.90000000\r\n"
                  L"[CurLayoutFileName]\\Flash Disk\\Jobs\\ruvo\\设计.ptb\r\n"
                  L"[ShowSurveyPoint]-1\r\n"));
    // Missing keys keep the field.
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\ptlayauto",
                    "[SoundPrompt]0\r\n[MaxLayoutPrompt]\r\n");
    PointSettings q;
    q.maxLayoutPrompt = 2.0;
    LoadPointSettings(PointSettingsPath(kJob), q);
    EXPECT_EQ(q.soundPrompt, 0);
    EXPECT_EQ(q.maxLayoutPrompt, 2.0);
    EXPECT_EQ(q.showAllLayoutPoint, 1);

    LineSettings l;
    l.curLayoutFileName = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lnb";
    l.intMilPrompt = 1;
    l.intMileage = 20.0;
    ASSERT_TRUE(SaveLineSettings(LineSettingsPath(kJob), l));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\lnlayauto"),
              Gbk(L"[ShowAllLayoutLine]1\r\n[ShowRecordLayoutPoint]1\r\n[ShowPlumb]0\r\n"
                  L"[SoundPrompt]1\r\n[MinPrompt]0.30000000\r\n[MaxPrompt]1.50000000\r\n"
                  L"[CurLayoutFileName]\\Flash Disk\\Jobs\\ruvo\\ruvo.lnb\r\n[ShowSurveyPoint]0\r\n"
                  L"[IntMilPrompt]1\r\n[dIntMileage]20.00000000\r\n"));
    // An older file without the whole-chainage keys reads them as 0, 0.0.
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\lnlayauto",
                    "[ShowAllLayoutLine]0\r\n[MinPrompt]0.20000000\r\n");
    LineSettings old;
    old.curLayoutFileName = L"keep";
    LoadLineSettings(LineSettingsPath(kJob), old);
    EXPECT_EQ(old.intMilPrompt, 0);
    EXPECT_EQ(old.intMileage, 0.0);
    EXPECT_EQ(old.minPrompt, 0.2);
    EXPECT_EQ(U8(old.curLayoutFileName), "keep");
    // Missing file: the opening values stay.
    LineSettings fresh;
    LoadLineSettings(L"\\Flash Disk\\Jobs\\none\\lnlayauto", fresh);
    EXPECT_EQ(fresh.intMileage, 50.0);
    EXPECT_EQ(CountFromText(L"全部"), -1);
    EXPECT_EQ(CountFromText(L"10"), 10);
    EXPECT_EQ(CountFromText(L"abc"), 0);
    EXPECT_EQ(U8(CountText(-1)), "全部");
}

TEST_F(StakeoutFilesTest, RecordsAndLibrariesReadAsWritten) {
    const CString lib = L"\\Flash Disk\\Jobs\\ruvo\\设计.ptb";
    const CString rec = RecordPathFor(lib, L"ptr");
    EXPECT_EQ(U8(rec), U8(CString(L"\\Flash Disk\\Jobs\\ruvo\\设计.ptr")));
    EXPECT_TRUE(RecordPathFor(L"x.ptr", L"ptr").IsEmpty());
    EXPECT_TRUE(RecordPathFor(L"", L"lnr").IsEmpty());
    ASSERT_TRUE(AppendRecord(rec, Pt(L"放样1", 1234.56789, 500.1, 12.34567, L"K0+050")));
    ASSERT_TRUE(AppendRecord(rec, Pt(L"P2", -1, 2, 3)));
    EXPECT_EQ(ReadDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\设计.ptr"),
              Gbk(L"放样1,1234.5679,500.1000,12.3457,K0+050\r\nP2,-1.0000,2.0000,3.0000,\r\n"));
    std::vector<PointRecord> back = ReadRecordFile(rec);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(U8(back[0].strName), "放样1");
    EXPECT_EQ(U8(back[0].strCode), "K0+050");
    // An empty second line ends the file; four fields give an empty code.
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\设计.ptr", "A,1,2,3\r\n\r\nB,4,5,6,c\r\n");
    back = ReadRecordFile(rec);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(back[0].strCode.IsEmpty());
    EXPECT_EQ(back[0].dH, 3.0);
    // A record onto a folder does not land and says so.
    EXPECT_FALSE(AppendRecord(L"\\Flash Disk\\Jobs\\ruvo", Pt(L"x", 0, 0)));

    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\设计.ptb",
                    "0,PT1,100.0,200.0,10.0,c1,\r\n  \r\n0,PT2,1,2,3,,\r\n0,PT3,9,9,9");
    std::vector<PointRecord> pts = ReadPointLibrary(lib);
    ASSERT_EQ(pts.size(), 2u);  // the blank line skipped, the unterminated one not read
    EXPECT_EQ(U8(pts[0].strCode), "c1");
    EXPECT_EQ(pts[1].dY, 2.0);
    // A picked row maps to the point list, which leaves out nameless rows.
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\设计.ptb",
                    "0,A,1,1,1,,\r\n0,,2,2,2,,\r\n0,B,3,3,3,,\r\n");
    EXPECT_EQ(NamedIndexOfRow(lib, 0), 0);
    EXPECT_EQ(NamedIndexOfRow(lib, 1), -1);
    EXPECT_EQ(NamedIndexOfRow(lib, 2), 1);
    EXPECT_EQ(NamedIndexOfRow(lib, 3), -1);
    EXPECT_EQ(NamedIndexOfRow(lib, -1), -1);
    WriteDeviceFile(L"\\Flash Disk\\Jobs\\ruvo\\a.lnb",
                    "A,0,0,1,ca,B,100,0,2,cb,50.0,\r\nC,1,1,1,,D,2,2,2,,0,\r\n");
    std::vector<StakeLine> lines = ReadLineLibrary(L"\\Flash Disk\\Jobs\\ruvo\\a.lnb");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(U8(lines[0].end.strName), "B");
    EXPECT_EQ(lines[0].end.dX, 100.0);
    EXPECT_EQ(lines[0].chainage, 0.0);
}

TEST_F(StakeoutFilesTest, DamagedFilesReadWithoutHarm) {
    const std::string big(10 * 1024 * 1024, 'x');
    const std::string binary("\x00\xff\xfe,\n\x80\x81,1e999,nan,\r\n", 20);
    for (const std::string& bytes : {std::string(), binary, std::string("a,b,c"), big + "\r\n"}) {
        for (LPCTSTR name : {L"f.ptb", L"f.lnb", L"f.ptr", L"ptlayauto", L"lnlayauto"})
            WriteDeviceFile((CString(kJob) + name).GetString(), bytes);
        const CString job = kJob;
        for (const PointRecord& p : ReadPointLibrary(job + L"f.ptb")) {
            EXPECT_TRUE(std::isfinite(p.dX) && std::isfinite(p.dY) && std::isfinite(p.dH));
        }
        ReadLineLibrary(job + L"f.lnb");
        ReadRecordFile(job + L"f.ptr");
        PointSettings p;
        LoadPointSettings(PointSettingsPath(kJob), p);
        LineSettings l;
        LoadLineSettings(LineSettingsPath(kJob), l);
        EXPECT_TRUE(std::isfinite(p.maxLayoutPrompt) && std::isfinite(l.intMileage));
    }
}

}  // namespace
