// Message boxes answered by the recorder, from any thread.
#include "platform/base/MessageBox.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/base/Thread.h"

namespace {

using quorvel::MessageBoxRecorder;
using quorvel::MessageBoxRequest;

TEST(MessageBoxRecorder, AnswersExpectedBoxesInOrderAndRecords) {
    quorvel::SetAppTitle(L"Quorvel");
    MessageBoxRecorder boxes;
    boxes.Expect(L"删除", IDYES);
    boxes.Expect(L"", IDCANCEL);  // any text
    EXPECT_EQ(AfxMessageBox(L"确实要删除该点吗?", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(MessageBox(nullptr, L"其他", L"提示", MB_OKCANCEL), IDCANCEL);
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    const auto requests = boxes.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].caption, L"Quorvel");
    EXPECT_EQ(requests[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(requests[0].threadId, GetCurrentThreadId());
    EXPECT_EQ(requests[1].caption, L"提示");
    EXPECT_EQ(MessageBox(nullptr, L"x", nullptr, MB_OK), IDOK);
    EXPECT_EQ(boxes.Requests()[2].caption, L"Error");
    EXPECT_FALSE(boxes.AllAnswered());                    // that one was not expected
    boxes.OnUnexpected([](const MessageBoxRequest&) {});  // keep the test log quiet
}

TEST(MessageBoxRecorder, UnexpectedBoxesAreFlaggedAndBackedOutOf) {
    MessageBoxRecorder boxes;
    int flagged = 0;
    boxes.OnUnexpected([&](const MessageBoxRequest& r) {
        ++flagged;
        EXPECT_EQ(r.text, L"surprise");
    });
    boxes.Expect(L"保存", IDYES);
    EXPECT_EQ(AfxMessageBox(L"surprise", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(L"surprise", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(flagged, 2);
    EXPECT_EQ(boxes.Unexpected().size(), 2u);
    EXPECT_EQ(boxes.PendingExpectations(), 1);
    EXPECT_EQ(AfxMessageBox(L"保存成功", MB_OK), IDYES);
    EXPECT_EQ(boxes.PendingExpectations(), 0);
    EXPECT_FALSE(boxes.AllAnswered());
    EXPECT_NE(boxes.Report().find("unexpected: surprise"), std::string::npos);
}

TEST(MessageBoxRecorder, DefaultAnswerAndNesting) {
    MessageBoxRecorder outer(IDNO);
    {
        MessageBoxRecorder inner(IDOK);
        EXPECT_EQ(AfxMessageBox(L"a", MB_OKCANCEL), IDOK);
        EXPECT_EQ(inner.Count(), 1);
        EXPECT_TRUE(inner.AllAnswered());
    }
    EXPECT_EQ(AfxMessageBox(L"b", MB_YESNO), IDNO);  // the outer one is back
    EXPECT_EQ(outer.Count(), 1);
    EXPECT_TRUE(outer.AllAnswered());
}

TEST(MessageBoxRecorder, BoxesFromWorkerThreadsHaveNoOwner) {
    MessageBoxRecorder boxes;
    boxes.Expect(L"Error in read", IDOK);
    DWORD workerId = 0;
    std::thread worker([&] {
        workerId = GetCurrentThreadId();
        MessageBox(nullptr, L"Error in read from serial port", L"Read Error", MB_OK);
    });
    worker.join();
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests()[0].threadId, workerId);
    EXPECT_EQ(boxes.Requests()[0].owner, nullptr);
    EXPECT_TRUE(boxes.AllAnswered());
}

bool TestStrings(UINT id, std::wstring& out) {
    if (id != 61314) return false;
    out = L"提示";
    return true;
}

TEST(MessageBox, StringTableTextAndDefaultButtons) {
    CString::SetStringLoader(TestStrings);
    MessageBoxRecorder boxes;
    boxes.Expect(L"提示", IDOK);
    EXPECT_EQ(AfxMessageBox(61314), IDOK);
    CString::SetStringLoader(nullptr);
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();

    EXPECT_EQ(quorvel::DefaultMessageBoxAnswer(MB_YESNO), IDYES);
    EXPECT_EQ(quorvel::DefaultMessageBoxAnswer(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(quorvel::DefaultMessageBoxAnswer(MB_OK | MB_DEFBUTTON3), IDOK);
    EXPECT_EQ(quorvel::EscapeMessageBoxAnswer(MB_ABORTRETRYIGNORE), IDABORT);
    EXPECT_EQ(quorvel::EscapeMessageBoxAnswer(MB_OK), IDOK);
}

}  // namespace
