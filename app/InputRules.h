// How the program reads numbers out of texts, how it writes them into
// the fields of its read-outs and records, and what it refuses of the
// antenna heights the surveyor types: the same rules for every folder.
#pragma once

#include "platform/framework/Afx.h"
#include "pointdata/LibraryText.h"

// ReadNumber: the program's one reading of numbers in texts (pointdata).
using pointdata::ReadNumber;

// `field` := `value` in the printf `format`; a value that is not finite (a
// fix converted with parameters the engine cannot use, a damaged library
// row far out) leaves the field empty rather than show "nan" or "inf".
void SetNumber(CString& field, LPCTSTR format, double value);

// A slant antenna height is measured to the antenna's rim, 0.0975 m from
// the phase centre's vertical. The vertical height of a slant one:
// sqrt(slant^2 - 0.0975^2) + the antenna constant; NaN for a slant height
// shorter than the radius, which has none.
double SlantToVertical(double slant, double antennaConst);
// TRUE, after the prompt "斜高不能小于0.0975米,请重新输入!" over the dialog,
// for a slant height shorter than the antenna's radius or not a number.
BOOL RefuseSlantHeight(CWnd* pDialog, double slant);
