// Command routing through the demonstration frame: active view, document,
// frame, application; and the update handlers that grey, check and rename
// menu items and toolbar buttons, checked in the model and on the screen.
#include "platform/gdi/Image.h"
#include "platform/testing/ReferenceImage.h"
#include "tests/platform/framework/DemoApp.h"

using namespace demo;

namespace {

class Routing : public DemoTest {
  protected:
    void SetUp() override {
        DemoTest::SetUp();
        quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/platform/framework/ref");
        m_frame = Start();
        m_doc = static_cast<CDemoDoc*>(m_frame->GetActiveDocument());
        Events().clear();
    }
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id); }
    const quorvel::framework::MenuItem& Item(UINT id) { return *Bar()->Menu()->Find(id); }
    bool ButtonEnabled(UINT id) { return Bar()->FindButton(id)->enabled; }

    CDemoFrame* m_frame = nullptr;
    CDemoDoc* m_doc = nullptr;
};

TEST_F(Routing, EachCommandReachesTheFirstTargetThatHandlesIt) {
    Command(kViewAndDoc);  // the active view has it: the document never sees it
    Command(kDocOnly);     // the view has none: on to the document
    Command(kFrameOnly);
    Command(ID_APP_ABOUT);
    Command(40000);  // nobody's
    EXPECT_EQ(Events(), (std::vector<std::string>{"view: shared command", "doc: doc-only command",
                                                  "frame: frame-only command", "app: about"}));
}

TEST_F(Routing, WithoutAnActiveViewCommandsSkipViewAndDocument) {
    m_frame->SetActiveView(nullptr);
    Command(kViewAndDoc);
    Command(kDocOnly);
    Command(kFrameOnly);
    EXPECT_EQ(Events(), (std::vector<std::string>{"frame: frame-only command"}));
}

TEST_F(Routing, ADisabledCommandDoesNotRun) {
    m_doc->m_bMeasuring = TRUE;
    Command(ID_JOB_OPEN);
    EXPECT_TRUE(Events().empty());
    m_doc->m_bMeasuring = FALSE;
    Command(ID_JOB_OPEN);
    EXPECT_EQ(Events(), (std::vector<std::string>{"doc: open job"}));
}

TEST_F(Routing, IdleTimeUpdatesGreyButtonsWithoutAHandlerOrRefusedByOne) {
    EXPECT_TRUE(ButtonEnabled(ID_JOB_OPEN));
    EXPECT_TRUE(ButtonEnabled(ID_VIEW_TOGGLE));    // the frame's
    EXPECT_TRUE(ButtonEnabled(ID_FILE_SAVE));      // the document base's save
    EXPECT_FALSE(ButtonEnabled(ID_PARAM_WIZARD));  // nobody handles it
    m_doc->m_bMeasuring = TRUE;
    EXPECT_TRUE(ButtonEnabled(ID_JOB_OPEN));  // nothing changes before idle time
    Pump();
    EXPECT_FALSE(ButtonEnabled(ID_JOB_OPEN));
    EXPECT_FALSE(ButtonEnabled(ID_JOB_NEW));
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(Bar()->Hwnd()),
                                             "toolbar_measuring");
    Tap(ButtonCentre(ID_JOB_OPEN));  // a greyed button does nothing
    EXPECT_TRUE(Events().empty());
    m_doc->m_bMeasuring = FALSE;
    Pump();
    EXPECT_TRUE(ButtonEnabled(ID_JOB_OPEN));
}

TEST_F(Routing, OpeningADropDownRunsTheUpdateHandlersOfItsItems) {
    m_doc->m_bMeasuring = TRUE;
    Tap(TitleCentre(0));
    EXPECT_FALSE(Item(ID_JOB_OPEN).enabled);
    EXPECT_TRUE(Item(ID_APP_ABOUT).enabled);
    EXPECT_FALSE(Item(ID_COORD_LIB).enabled);  // no handler
    Tap(ItemCentre(1));                        // greyed: nothing happens
    EXPECT_TRUE(Events().empty());
    Tap(POINT{120, 300});

    Tap(TitleCentre(1));
    const auto& radio = Item(ID_RADIO_SETTINGS);
    EXPECT_EQ(CString(radio.text), CString(L"GSM设置"));
    EXPECT_TRUE(radio.checked);
    EXPECT_TRUE(radio.enabled);
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(),
                                             "menu_instrument_updated");
    Tap(ItemCentre(4));
    EXPECT_EQ(Events(), (std::vector<std::string>{"frame: radio"}));
}

}  // namespace

namespace {

TEST_F(Routing, KeysMoveThroughAnOpenDropDownAndChoose) {
    auto key = [this](UINT vk) {
        quorvel::win::InjectKey(vk, true);
        quorvel::win::InjectKey(vk, false);
        Pump();
    };
    Tap(TitleCentre(1));  // 仪器
    key(VK_UP);           // round to the last command, 系统信息
    EXPECT_EQ(Bar()->OpenPopup()->Hot(), 9);
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(Bar()->OpenPopup()->Hot(), 1);
    key(VK_LEFT);
    EXPECT_EQ(Bar()->OpenTitle(), 0);
    key(VK_ESCAPE);
    EXPECT_EQ(Bar()->OpenTitle(), -1);
    Tap(TitleCentre(1));
    for (int i = 0; i < 5; ++i) key(VK_DOWN);  // GSM设置 (电台设置 renamed)
    key(VK_RETURN);
    EXPECT_EQ(Bar()->OpenTitle(), -1);
    EXPECT_EQ(Events(), (std::vector<std::string>{"frame: radio"}));
}

}  // namespace
