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

// The ellipsoid list of combo 1002 (index = nCoord): four presets, then
// the user's own pair.
inline constexpr int kPresetCount = 4;
inline constexpr int kUserEllipsoid = 4;
// The name shown for nCoord, empty outside 0..4.
CString EllipsoidName(int nCoord);
// The choice of combo 1002 on a page with the axis and flattening edits:
// a preset fills both values and locks the edits; the user's own starts
// from userA and userInvF with the edits open; any other index changes
// nothing.
void ApplyEllipsoidChoice(CWnd* pDialog, int nCoord, double& a, double& invF, double userA,
                          double userInvF);
// The axis and flattening edits open (the user's own ellipsoid) or locked.
void EnableEllipsoidAxes(CWnd* pDialog, BOOL bEnable);

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
// A click on the group's enable check nCheckId: the controls read into the
// dialog's members (nFlag among them), the rule applied, the controls
// written back. A value that does not read leaves the texts as typed, and
// the rule then follows the check as it now stands.
void ApplyEnableClick(CDialog* pDialog, int nCheckId, const int& nFlag, const int* pIds,
                      size_t nCount);

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
