// The settings a job starts with when its .ini or .par does not exist yet.
// The document's SetDefaultIniRecord and SetDefaultParRecord call these.
#pragma once

#include "app/settings/SystemParams.h"
#include "geodesy/CoordSysParams.h"
#include "platform/base/CString.h"

// The program's software date, as every settings file's title line shows it.
inline constexpr const wchar_t* kSettingsSoftwareDate = L"2012.06.01";

// "Quorvel1.1 Ver: <date>": the first line of the .ini and .par files.
CString MakeSettingsTitle(LPCTSTR softwareDate = kSettingsSoftwareDate);

// Sets the title and every setting that has a new-job default; the network
// link, display and receiver-connection choices keep their values.
void FillDefaultIniRecord(SystemParams& params, LPCTSTR softwareDate = kSettingsSoftwareDate);

// Sets the title and every field: Beijing-54 ellipsoid, Gauss-Krueger about
// meridian 0 with 500 km false easting, no datum shift, no plane
// adjustment, and a fixed base-station site.
void FillDefaultParRecord(CoordSysParams& params, LPCTSTR softwareDate = kSettingsSoftwareDate);
