// The program's own resource script: every string the program numbers is
// there with its text, every template loads and fits its dialog, every
// menu and toolbar command is a known command, and the image files have
// the sizes the screens draw them at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "platform/resources/Resources.h"
#include "res/resource.h"

namespace {

using namespace quorvel::resources;

// The numbered strings the program loads, by range.
const std::pair<UINT, UINT> kStringRanges[] = {
    {61204, 61214}, {61217, 61228}, {61232, 61239}, {61243, 61264}, {61281, 61293}, {61298, 61300},
    {61306, 61309}, {61314, 61314}, {61319, 61326}, {61329, 61329}, {61331, 61331}, {61333, 61333},
    {61336, 61339}, {61341, 61343}, {61356, 61356}, {61396, 61399}, {61401, 61413}, {61417, 61439},
    {61441, 61441}, {61466, 61466}, {61468, 61468}, {61481, 61481}, {61504, 61513}, {61541, 61542},
    {61550, 61550}, {61556, 61578}, {61601, 61601}, {61615, 61623}, {61628, 61634}, {61638, 61638},
    {61643, 61643}, {61697, 61697}, {61700, 61705}, {61714, 61715}, {61740, 61740}, {61747, 61748},
    {61750, 61756}, {61814, 61825}, {61827, 61830}, {61832, 61832},
};

TEST(ScriptStrings, EveryNumberedStringIsThereAndLoads) {
    int count = 0;
    for (auto [first, last] : kStringRanges) {
        for (UINT id = first; id <= last; ++id, ++count) {
            const wchar_t* text = FindString(id);
            ASSERT_NE(text, nullptr) << id;
            wchar_t buf[512];
            EXPECT_EQ(LoadString(nullptr, id, buf, 512), static_cast<int>(wcslen(text))) << id;
            EXPECT_STREQ(buf, text);
        }
    }
    EXPECT_EQ(count, 228);
    UINT previous = 0;
    for (const StringResource& s : AllStrings()) {
        EXPECT_GT(s.id, previous) << "ids sorted and unique";
        previous = s.id;
        EXPECT_NE(s.text, nullptr);
    }
}

TEST(ScriptStrings, TextsThatAreEasyToGetWrong) {
    const std::pair<UINT, const wchar_t*> expected[] = {
        {61232, L"°"},
        {61233, L"' "},
        {61234, L"\""},
        {61205, L"方  位"},
        {61321, L"转换完毕，成果文件为:"},
        {61342, L"GPS状态：非固定解状态"},
        {61403, L"创建esystem.sys文件错误,请检查!"},
        {61618, L"创建esystem.sys文件错误,请检查错误!"},
        {61566, L"\n按'5'键刷新屏幕\n"},
        {61619, L"Quorvel <"},
        {61747, L"Obex 工具.lnk"},
        {61756, L"精度因子(RMSH和RMSV)过大，确定要存储吗?否则请选择退出。"},
        {61824, L"没有搜索到主机，请选择其他方式进行连接！"},
        {IDS_YEAR_MARK, L"年"},
        {IDS_TAB_SEVEN_PARAM, L"七参"},
        {0xE000, L"Quorvel"},  // the application title, the default message-box caption
    };
    for (auto [id, text] : expected) {
        ASSERT_NE(FindString(id), nullptr) << id;
        EXPECT_STREQ(FindString(id), text) << id;
    }
    const std::wstring keys = FindString(61356);
    EXPECT_EQ(keys.rfind(L"\n按'C'键开始水深测量\n", 0), 0u);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), L'\n'), 13);
}

TEST(ScriptDialogs, EveryTemplateLoadsAndItsControlsFitInside) {
    ASSERT_FALSE(AllDialogs().empty());
    UINT previous = 0;
    for (const DialogTemplate& d : AllDialogs()) {
        EXPECT_GT(d.id, previous);
        previous = d.id;
        EXPECT_EQ(FindDialog(d.id), &d);
        ASSERT_NE(d.caption, nullptr);
        EXPECT_GT(d.cx, 0);
        for (const DialogItemTemplate& c : d.items) {
            ASSERT_NE(c.className, nullptr);
            EXPECT_NE(c.className[0], L'\0') << d.id << "/" << c.id;
            EXPECT_GE(c.x, 0) << d.id << "/" << c.id;
            EXPECT_LE(c.x + c.cx, d.cx) << d.id << "/" << c.id;
            // A combo box's height is its dropped list's, which may overhang.
            if (std::wstring(c.className) != L"ComboBox") {
                EXPECT_LE(c.y + c.cy, d.cy) << d.id << "/" << c.id;
            }
            EXPECT_NE(c.style & 0x40000000u, 0u) << "WS_CHILD";
            if (!c.listItems.empty()) {
                const std::wstring cls = c.className;
                EXPECT_TRUE(cls == L"ComboBox" || cls == L"ListBox") << d.id << "/" << c.id;
            }
        }
    }
}

// Commands the main menu and toolbar may carry, with the menu's texts.
const std::map<UINT, const wchar_t*>& MenuTexts() {
    static const std::map<UINT, const wchar_t*> texts = {
        {ID_JOB_NEW, L"新建工程"},
        {ID_JOB_OPEN, L"打开工程"},
        {ID_JOB_DELETE, L"删除工程"},
        {ID_COORD_LIB, L"坐标管理库"},
        {ID_LATLON_LIB, L"经纬度库"},
        {ID_CTRL_POINT_LIB, L"控制点坐标库"},
        {ID_STORAGE_SETTINGS, L"存储设置"},
        {ID_DATA_COLLECT_SETTINGS, L"数据采集设置"},
        {ID_OFFSET_SETTINGS, L"偏移设置"},
        {57664, L"软件信息"},
        {ID_CONNECT_INSTRUMENT, L"连接仪器"},
        {ID_INSTRUMENT_SETTINGS, L"仪器设置"},
        {ID_ROVER_SETTINGS, L"移动站设置"},
        {ID_ELEVATION_MASK, L"卫星限制"},
        {ID_RADIO_SETTINGS, L"电台设置"},
        {ID_HARDWARE_RESET, L"硬件复位"},
        {ID_HARDWARE_SHUTDOWN, L"硬件关机"},
        {ID_SYSTEM_INFO, L"系统信息"},
        {ID_MEASURE_START, L"开始测量(C)"},
        {ID_MEASURE_PAUSE, L"暂停测量(G)"},
        {ID_MEASURE_STOP, L"停止测量(D)"},
        {ID_MEASURE_QUICK_LINE, L"快速变线(F)"},
        {ID_CONNECT_SOUNDER, L"连接测深仪"},
        {ID_SOUNDER_SETTINGS, L"测深仪设置"},
        {ID_PORT_TEST, L"端口测试"},
        {ID_POINT_STAKEOUT, L"点放样"},
        {ID_LINE_STAKEOUT, L"线放样"},
        {ID_PARAM_PROJECTION, L"投影参数"},
        {ID_PARAM_FOUR, L"四参数"},
        {ID_PARAM_SEVEN, L"七参数"},
        {ID_PARAM_HEIGHT_FIT, L"高程拟合参数"},
        {ID_PARAM_CORRECTION, L"校正参数"},
        {ID_CALC_FOUR_PARAMS, L"计算四参数"},
        {ID_CALC_SEVEN_PARAMS, L"计算七参数"},
        {ID_CALIBRATION_WIZARD, L"校正向导"},
        {ID_PARAM_VIEW, L"参数浏览"},
        {ID_ROVER_ANT_HEIGHT, L"移动站天线高"},
        {ID_TIME_ZONE, L"时区设置"},
        {ID_CALC_FORWARD, L"坐标正算"},
        {ID_CALC_INVERSE, L"坐标反算"},
        {ID_CALC_OFFSET_POINT, L"偏点计算"},
        {ID_CALC_BEARING_OFFSET, L"偏角偏距"},
        {ID_CALC_INTERSECT, L"交会计算"},
        {ID_CALC_DIST_INTERSECT, L"测边交会"},
        {ID_AREA_CALC, L"面积计算"},
        {ID_COORD_CONVERT, L"坐标转换"},
        {ID_SPACE_DISTANCE, L"空间距离"},
        {ID_MAP_TRANS, L"地图转换"},
        {ID_POST_PROC_WIZARD, L"综合后处理向导"},
        {ID_GRAPH_ZOOM_IN, L"放大(H)"},
        {ID_GRAPH_ZOOM_OUT, L"缩小(L)"},
        {ID_GRAPH_ZOOM_WINDOW, L"局部缩放(P)"},
        {ID_GRAPH_ZOOM_ALL, L"全局缩放(T)"},
        {ID_LAYOUT_AREA, L"区域布线"},
        {ID_LAYOUT_CHANNEL, L"航道布线"},
        {ID_LAYOUT_PARALLEL, L"平行布线"},
        {ID_LAYOUT_PERPENDICULAR, L"垂直布线"},
        {ID_GRAPH_CLEAR_LAYOUT, L"清除布线(R)"},
        {ID_GRAPH_AREA_DELETE, L"区域删除"},
        {ID_GRAPH_DRAW_TEXT, L"绘制文本"},
        {ID_GRAPH_SAVE, L"保存图形"},
        {ID_GRAPH_LOAD, L"读取图形"},
    };
    return texts;
}

TEST(ScriptMenu, EveryNamedCommandIsInTheMenuOnceWithItsText) {
    const MenuTemplate* menu = FindMenu(IDR_MAINFRAME);
    ASSERT_NE(menu, nullptr);
    std::map<UINT, int> seen;
    std::function<void(std::span<const MenuItemTemplate>)> walk;
    walk = [&](std::span<const MenuItemTemplate> items) {
        for (const MenuItemTemplate& item : items) {
            if (item.flags & kMenuPopup) {
                EXPECT_FALSE(item.children.empty());
                walk(item.children);
            } else if (!(item.flags & kMenuSeparator)) {
                ++seen[item.id];
                auto it = MenuTexts().find(item.id);
                ASSERT_NE(it, MenuTexts().end()) << "unknown command " << item.id;
                EXPECT_STREQ(item.text, it->second) << item.id;
            }
        }
    };
    for (const MenuItemTemplate& top : menu->items) EXPECT_TRUE(top.flags & kMenuPopup);
    walk(menu->items);
    for (const auto& [id, text] : MenuTexts()) EXPECT_EQ(seen[id], 1) << id;
}

TEST(ScriptToolbar, TwelveButtonsOverAStripOfTwelveImages) {
    const ToolbarTemplate* bar = FindToolbar(IDR_MAINFRAME);
    ASSERT_NE(bar, nullptr);
    const std::vector<UINT> expected = {57603,
                                        ID_JOB_NEW,
                                        ID_JOB_OPEN,
                                        ID_PARAM_ELLIPSOID,
                                        ID_PARAM_PROJECTION,
                                        ID_PARAM_FOUR,
                                        ID_PARAM_SEVEN,
                                        ID_PARAM_WIZARD,
                                        ID_CTRL_POINT_LIB,
                                        ID_VIEW_TOGGLE,
                                        ID_TOOLBAR_SPARE1,
                                        ID_TOOLBAR_SPARE2};
    EXPECT_EQ(std::vector<UINT>(bar->buttons.begin(), bar->buttons.end()), expected);
}

// Width and height from a BMP or PNG header.
std::pair<int, int> ImageSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[26] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    if (h[0] == 'B' && h[1] == 'M') {
        return {h[18] | h[19] << 8, h[22] | h[23] << 8};
    }
    return {h[18] << 8 | h[19], h[22] << 8 | h[23]};  // PNG IHDR, big-endian
}

TEST(ScriptImages, EveryImageExistsAtTheSizeItIsDrawn) {
    const std::pair<UINT, std::pair<int, int>> bitmaps[] = {
        {IDR_MAINFRAME, {16 * 12, 16}}, {IDB_POINT_IMAGES, {16 * 5, 16}},
        {IDB_SAT_NO_SNR, {16, 16}},     {IDB_DATA_SAT_NO_SNR, {16, 16}},
        {IDB_SAT_SNR, {20, 20}},        {IDB_DATA_SAT_SNR, {20, 20}},
    };
    for (auto [id, size] : bitmaps) {
        std::string path;
        ASSERT_TRUE(FindImageFile(id, ImageType::Bitmap, path)) << id;
        EXPECT_EQ(ImageSize(path), size) << path;
    }
    int icons = 0;
    for (const ImageResource& image : AllImages()) {
        std::string path;
        ASSERT_TRUE(FindImageFile(image.id, image.type, path));
        ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;
        if (image.type == ImageType::Icon) {
            ++icons;
            EXPECT_EQ(ImageSize(path), std::make_pair(32, 32)) << path;
        }
    }
    EXPECT_EQ(icons, 21);
}

}  // namespace
