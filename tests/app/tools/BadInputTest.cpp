// What a surveyor can get wrong on the plane tools' input pages, and a
// result folder that cannot be written: a prompt or the failure text, never
// a result made of old values, never "nan" or "inf" in a file, never
// "保存成功" for a line that was not stored.
#include <filesystem>
#include <fstream>

#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/tools/ToolsTest.h"

namespace toolstest {
namespace {

namespace fs = std::filesystem;

class BadInputTest : public ToolsTest {};

// Distance intersection: text and overflowing numbers are refused before
// anything is computed; an impossible triangle and coincident points fail;
// the obtuse case lands behind the start; a name with a comma is refused.
TEST_F(BadInputTest, DistanceIntersectionRefusesWhatCannotBeComputed) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_DIST_INTERSECT)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            HWND result = Page(d, 1);
            Set(input, IDC_CALC_END_X, L"10");
            Set(input, IDC_CALC_FROM_START, L"2");
            Set(input, IDC_CALC_FROM_END, L"3");
            Set(input, IDC_CALC_NEW_NAME, L"J1");
            Click(input, IDC_CALC_RUN);
            EXPECT_TRUE(::IsWindowVisible(result));
            EXPECT_EQ(Text(result, IDC_RESULT_LINE0), "请输入正确数据");
            Click(result, IDC_RESULT_STORE);
            TapTab(d, 0);
            for (LPCTSTR bad : {L"abc", L"1e400", L"5m"}) {
                Set(input, IDC_CALC_FROM_START, bad);
                Click(input, IDC_CALC_RUN);
                EXPECT_TRUE(::IsWindowVisible(input)) << CString(bad).GetLength();
            }
            Set(input, IDC_CALC_FROM_START, L"5");
            Set(input, IDC_CALC_END_X, L"0");
            Click(input, IDC_CALC_RUN);
            EXPECT_EQ(Text(result, IDC_RESULT_LINE0), "请输入正确数据");
            TapTab(d, 0);
            Set(input, IDC_CALC_END_X, L"10");
            Set(input, IDC_CALC_FROM_END, L"12");
            Click(input, IDC_CALC_RUN);
            EXPECT_EQ(ResultLines(result),
                      "测边交会计算——计算成功\r|交会点点名 :J1\r|交会点坐标X:-0.9500\r|"
                      "交会点坐标Y:-4.9089\r||||||");
            Click(result, IDC_RESULT_STORE);
            TapTab(d, 0);
            Set(input, IDC_CALC_NEW_NAME, L"J,2");
            Click(input, IDC_CALC_RUN);
            EXPECT_TRUE(::IsWindowVisible(input));
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"请计算后再保存坐标!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    m_modals->ExpectMessageBox(L"请输入一个数字").Answer(IDOK);
    m_modals->ExpectMessageBox(L"保存成功").Answer(IDOK);
    m_modals->ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    Command(ID_CALC_DIST_INTERSECT);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Device(kCalcFile), "J1,-0.9500,-4.9089,0.0000,00000000\r\n");
    EXPECT_EQ(Device(kLibrary), "0,J1,-0.9500,-4.9089,0.0000,00000000\r\n");
}

// Parallel lines and a line of one point fail; the graph then shows the
// four given points without an intersection.
TEST_F(BadInputTest, LineIntersectionOfParallelLinesFails) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_INTERSECT_CALC)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            const int ids[4][2] = {{IDC_CROSS_L1S_X, IDC_CROSS_L1S_Y},
                                   {IDC_CROSS_L1E_X, IDC_CROSS_L1E_Y},
                                   {IDC_CROSS_L2S_X, IDC_CROSS_L2S_Y},
                                   {IDC_CROSS_L2E_X, IDC_CROSS_L2E_Y}};
            const wchar_t* parallel[4][2] = {
                {L"0", L"0"}, {L"10", L"10"}, {L"0", L"1"}, {L"10", L"11"}};
            for (int i = 0; i < 4; ++i) {
                Set(input, ids[i][0], parallel[i][0]);
                Set(input, ids[i][1], parallel[i][1]);
            }
            Click(input, IDC_CROSS_RUN);
            EXPECT_EQ(Text(Page(d, 1), IDC_RESULT_LINE0), "请输入正确数据");
            TapTab(d, 0);
            Set(input, IDC_CROSS_L1E_X, L"0");
            Set(input, IDC_CROSS_L1E_Y, L"0");
            Click(input, IDC_CROSS_RUN);
            EXPECT_EQ(Text(Page(d, 1), IDC_RESULT_LINE0), "请输入正确数据");
            Click(Page(d, 1), IDC_RESULT_STORE);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"请计算后再保存坐标!").Answer(IDOK);
    Command(ID_CALC_INTERSECT);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_FALSE(IsFile(kCalcFile));
}

// The result folder replaced by a file, then a library marked read-only:
// the store says so, and nothing is left half written.
TEST_F(BadInputTest, AnUnwritableResultFolderOrLibraryIsReported) {
    StartJob(PlainJob());
    const std::string folder = Host(kResultDir);
    fs::remove_all(folder.substr(0, folder.size() - 1));
    std::ofstream(folder.substr(0, folder.size() - 1)) << "not a folder";
    m_modals->ExpectDialog(IDD_COORD_FORWARD)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            Set(input, IDC_FORWARD_DISTANCE, L"10");
            Set(input, IDC_FORWARD_NEW_NAME, L"F1");
            Click(input, IDC_CALC_RUN);
            Click(Page(d, 1), IDC_RESULT_STORE);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"打开文件错误,请检查").Answer(IDOK);
    Command(ID_CALC_FORWARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_FALSE(IsFile(kLibrary));
    EXPECT_EQ(Transcript().find("保存成功"), std::string::npos) << Transcript();

    fs::remove(folder.substr(0, folder.size() - 1));
    fs::create_directories(folder);
    WriteDevice(kLibrary, "0,K1,1.0000,2.0000,0.0000,00000000\r\n");
    SetReadOnly(kLibrary, true);
    m_modals->ExpectDialog(IDD_COORD_FORWARD)
        .Do([](HWND d) {
            Click(Page(d, 0), IDC_CALC_RUN);
            Click(Page(d, 1), IDC_RESULT_STORE);
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"打开文件错误,请检查").Answer(IDOK);
    Command(ID_CALC_FORWARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Device(kLibrary), "0,K1,1.0000,2.0000,0.0000,00000000\r\n");
    EXPECT_FALSE(IsFile(kCalcFile));
    EXPECT_EQ(Transcript().find("保存成功"), std::string::npos) << Transcript();
}

// Every tool's failure leaves no non-number in any file it may write.
TEST_F(BadInputTest, OffsetPointAndDeflectionFailuresStoreNothing) {
    StartJob(PlainJob());
    m_modals->ExpectDialog(IDD_OFFSET_POINT)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            // Opening state: offset distance from the start.
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(input, IDC_CALC_FROM_START)));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(input, IDC_CALC_FROM_END)));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(input, IDC_OFFSET_ANGLE_EDIT)));
            Click(input, IDC_OFFSET_MODE_ANGLE);
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(input, IDC_CALC_FROM_START)));
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(input, IDC_CALC_FROM_END)));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(input, IDC_OFFSET_DIST)));
            EXPECT_EQ(::IsDlgButtonChecked(input, IDC_OFFSET_REF_END), BST_CHECKED);
            Click(input, IDC_CALC_RUN);  // start and end coincide
            EXPECT_EQ(Text(Page(d, 1), IDC_RESULT_LINE0), "请输入正确数据");
            Click(Page(d, 1), IDC_RESULT_STORE);
            TapTab(d, 0);
            Set(input, IDC_CALC_END_X, L"10");
            Set(input, IDC_CALC_FROM_END, L"5");
            Set(input, IDC_OFFSET_ANGLE_EDIT, L"90.0000");
            Click(input, IDC_CALC_RUN);
            EXPECT_EQ(
                ResultLines(Page(d, 1)),
                "偏点计算——计算成功\r|偏点点名 :P\r|偏点坐标X:10.0000\r|偏点坐标Y:-5.0000\r||||||");
        })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"请计算后再保存坐标!").Answer(IDOK);
    Command(ID_CALC_OFFSET_POINT);
    m_modals->ExpectDialog(IDD_BEARING_OFFSET)
        .Do([](HWND d) {
            HWND input = Page(d, 0);
            Click(input, IDC_CALC_RUN);
            EXPECT_EQ(Text(Page(d, 1), IDC_RESULT_LINE0), "请输入正确数据");
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(Page(d, 1), IDC_RESULT_STORE)));
            TapTab(d, 0);
            Set(input, IDC_CALC_END_X, L"10");
            Set(input, IDC_BEARING_P3_X, L"15");
            Set(input, IDC_BEARING_P3_Y, L"-5");
            Click(input, IDC_CALC_RUN);
            EXPECT_EQ(ResultLines(Page(d, 1)),
                      "偏角偏距计算——计算成功\r|起点距:15.0000\r|终点距:5.0000\r|偏移距:5.0000\r|"
                      "偏转角度:左偏:45.000000度\r|偏转角度:左偏: 45度0分0.0000秒\r||||");
        })
        .Key(VK_ESCAPE);
    Command(ID_CALC_BEARING_OFFSET);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    for (const std::wstring& file : {std::wstring(kCalcFile), std::wstring(kLibrary)}) {
        if (IsFile(file.c_str())) {
            EXPECT_FALSE(HoldsNonNumber(Device(file.c_str())));
        }
    }
}

}  // namespace
}  // namespace toolstest
