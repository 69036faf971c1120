// What the receiver set-up commands send: the receiver family tests on the
// identification, the text lines of the base and rover set-ups, and the
// token texts of the typed binary commands (CGpsComm::SendTypedCommand:
// 'a' adds a token's second character, 'c' the low byte of its number,
// 'i' its number as 16 bits, low byte first).
//
// Most lines end in "\r\n" already; SendLine adds its own, so they reach the
// receiver with two line ends. That is what the receivers have always got.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "receiver/SurveyRecord.h"
#include "receiver/link/ReceiverFrames.h"

class CBasePositionDlg;
class CVendropDoc;

// The second half of the base-station parameters (RXCMD_BASE_PARAMS): the
// set-up the receiver repeats at power-on.
constexpr BYTE kCmdBaseRepeat = RXCMD_BASE_PARAMS + 1;

// Differential formats (SystemParams nRadioFormat).
enum DiffFormat { kFormatRtca = 0, kFormatRtcm = 1, kFormatCmr = 2, kFormatRtcm3 = 3 };

// The first identification text of the fix holds `code` (case-sensitive);
// an empty identification holds nothing.
BOOL IdentificationHolds(const SurveyRecord& fix, LPCTSTR code);
// Receivers that take the set-up commands at all ("VX40", "VX41").
BOOL TakesSetupCommands(const SurveyRecord& fix);
// Receivers whose radio or GSM module can be set ("T4", "T7").
BOOL HasSettableRadio(const SurveyRecord& fix);

// The PDOP limit times ten, truncated toward zero. A value outside what a
// 'c' token can carry is clamped to it (-999999999..2147483647; not a
// number gives 0): the low byte of the clamped value goes out.
int PdopTimesTen(double pdop);

// "aa ab ac ad i1500 c<interval> c<cut-off> c<pdop10>": the static
// parameters as the instrument settings send them.
CString StaticParamsTokens(int interval, int cutoff, int pdop10);
// "c<interval> c<cut-off> c<pdop10>": as the work-mode command sends them.
CString StaticParamsShortTokens(int interval, int cutoff, int pdop10);
// "C<format + 1> C<interval> C<pdop10> C<cut-off> ", the trailing blank
// included.
CString BaseStartTokens(int format, int interval, int pdop10, int cutoff);
// One 'a' token for each character of the line, CR and LF included.
CString CharacterTokens(const CString& line);

// The rover's interface-mode line of a format ("interfacemode,com2,rtca,
// novatel\r\n" ...); empty for a format outside 0..3.
CString RoverInterfaceModeLine(int format);
// The lines a base station of `format` gets after "com,com2,9600": its
// interface mode, the fix line, the data-link id and its logs, then
// "saveconfig". RTCM3 has an empty interface mode and data-link id (each
// still goes out as a bare line end) and no log.
std::vector<CString> BaseSetupLines(int format, const CString& fixLine, const CString& ident,
                                    int interval);

// The base position of a base dialog as the receiver's fix line
// ("fix,position,<lat>,<lon>,<height>\r\n", degrees with 8 decimals and
// metres with 4): plane texts are first turned into geodetic ones (written
// back into the dialog's texts), the antenna height and the fix's geoid
// separation added to the height.
CString MakeBaseFixLine(CBasePositionDlg& dlg, CVendropDoc& doc);
