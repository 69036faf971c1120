#include "app/screens/ScreenPoints.h"

#include <string>

#include "app/DeviceFiles.h"
#include "app/InputRules.h"
#include "platform/base/TextConv.h"
#include "pointdata/StoredLines.h"

BOOL LoadScreenPoints(const CString& path, CArray<PointRecord>& points) {
    points.RemoveAll();
    CString file = path;
    file.Trim();
    if (file.IsEmpty() || !DeviceFileExists(file)) return TRUE;
    std::string bytes;
    if (!ReadWholeDeviceFile(file, bytes)) return FALSE;
    const CString text = quorvel::FromGbk(bytes.data(), bytes.size());
    for (CString line : SplitStoredLines(text)) {
        line.Trim();
        if (line.IsEmpty()) continue;
        PointRecord point;
        point.strName = StoredField(line, 0);
        point.strName.Trim();
        point.dX = ReadNumber(StoredField(line, 1));
        point.dY = ReadNumber(StoredField(line, 2));
        point.dH = ReadNumber(StoredField(line, 3));
        point.strCode = StoredField(line, 4);
        points.Add(point);
    }
    return TRUE;
}
