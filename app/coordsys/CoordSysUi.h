// What the coordinate-system dialogs share: the display conversions between
// the job's stored units and what the surveyor reads and types, the
// ellipsoid presets, the enable rule of the parameter groups, the small
// pick buttons and the input refusals.
//
// Display units: central meridian, base latitude and the four-parameter
// rotation as packed ddd.mmss; the seven-parameter rotations in
// arc-seconds; the seven-parameter scale in ppm.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "platform/framework/Afx.h"

class COwnerDrawButton;

namespace coordsys {

constexpr double kDegToRad = 0.01745329251994278;
constexpr double kRadToDeg = 57.29577951308402;
constexpr double kRadToArcSec = 206264.8062471025;
constexpr double kArcSecToRad = 4.848136811095216e-6;
constexpr double kPpmPerRatio = 1e6;
constexpr double kRatioPerPpm = 1e-6;

// The ellipsoid list of combo 1002 (index = nCoord); index 4 is the
// user's own pair.
struct EllipsoidPreset {
    const wchar_t* name;
    double a;     // semi-major axis, metres
    double invF;  // inverse flattening
};
inline constexpr int kPresetCount = 4;
inline constexpr int kUserEllipsoid = 4;
const EllipsoidPreset& Preset(int index);  // index 0..3
// The name shown for nCoord, empty outside 0..4.
CString EllipsoidName(int nCoord);

// Decimal degrees to packed ddd.mmss and back.
double DegreesToPacked(double degrees);
double PackedToDegrees(double packed);
// Radians to packed ddd.mmss and back.
double RadiansToPacked(double radians);
double PackedToRadians(double packed);
// Rounded to millimetres through "%.3f", as the dialogs show lengths.
double RoundToMillimetres(double metres);

// The enable rule of a parameter group: flag 0 disables the edits, 1
// enables them, anything else leaves them as they are.
void ApplyEnableRule(CWnd* pDialog, int nFlag, const int* pIds, size_t nCount);

// A small pick button beside the edits: the dialog's font, the icon at
// 28 x 22, hover face the button face lightened by 0x1E1E1E, hover caption
// green, icon right of the caption, not flat.
void SetUpPickButton(COwnerDrawButton& button, CWnd* pDialog, int nIconId);

// A finite number above zero.
bool IsPositive(double value);

// The refusals of impossible input. Each shows its information box and
// returns TRUE when the value is refused.
BOOL RefuseEllipsoid(CWnd* pDialog, double a, double invF);
BOOL RefuseProjectionScale(CWnd* pDialog, double scale);
// Names and texts that go into comma-separated files may hold none of
// "," "[" "]" "=" CR LF.
BOOL HoldsSeparator(const CString& text);
BOOL RefuseSeparators(CWnd* pDialog, std::initializer_list<const CString*> texts);

}  // namespace coordsys
