#include "app/settings/DefaultRecords.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/CoordTransform.h"

namespace {

// The base site of a new job must lie where the job's own default
// projection puts it: grid north and east are the engine's, in whole metres,
// and latitude and longitude carry eight decimals.
TEST(DefaultRecordsTest, TheDefaultBaseSiteAgreesWithTheDefaultProjection) {
    CoordSysParams params;
    FillDefaultParRecord(params);
    CCoordTransform engine;
    double x = 0, y = 0, h = 0;
    engine.Wgs84ToGrid(params.szdBaseLat, params.szdBaseLon, params.szdBaseHgt, params, x, y, h);
    EXPECT_EQ(params.szdBaseX, std::round(x));
    EXPECT_EQ(params.szdBaseY, std::round(y));
    EXPECT_EQ(params.szdBaseLat, std::round(params.szdBaseLat * 1e8) / 1e8);
    EXPECT_EQ(params.szdBaseLon, std::round(params.szdBaseLon * 1e8) / 1e8);
}

TEST(DefaultRecordsTest, TitlesCarryTheSoftwareDate) {
    SystemParams params;
    FillDefaultIniRecord(params);
    EXPECT_EQ(params.szTitle, L"Quorvel1.1 Ver: 2012.06.01");
    CoordSysParams coord;
    FillDefaultParRecord(coord, L"2013.01.02");
    EXPECT_EQ(coord.szTitle, L"Quorvel1.1 Ver: 2013.01.02");
}

}  // namespace
