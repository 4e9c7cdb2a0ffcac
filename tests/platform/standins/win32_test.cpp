#include "platform/standins/win32.h"

#include "support/test_support.h"

#include <vector>

namespace {

std::vector<UINT> received;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back(message);
    if (message == WM_DESTROY) {
        PostQuitMessage(7);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Win32Test : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        received.clear();
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "TESTCLASS";
        ASSERT_NE(RegisterClassExA(&windowClass), 0);
        window = CreateWindowExA(0, "TESTCLASS", "Title", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    HWND window = nullptr;
};

TEST_F(Win32Test, WindowCreationSendsCreateAndOpensTheHostWindow) {
    EXPECT_EQ(received, std::vector<UINT>{WM_CREATE});
    EXPECT_TRUE(host.windowOpen());
    EXPECT_EQ(host.windowTitle(), "Title");
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 480);
}

TEST_F(Win32Test, RegistrationRefusesDuplicatesAndBadRecords) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "TESTCLASS";
    EXPECT_EQ(RegisterClassExA(&windowClass), 0);
    windowClass.lpszClassName = "OTHER";
    windowClass.cbSize = 12;
    EXPECT_EQ(RegisterClassExA(&windowClass), 0);
    EXPECT_EQ(CreateWindowExA(0, "NOSUCHCLASS", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(Win32Test, NoDisplayMeansNoWindow) {
    host.SetDisplayAvailable(false);
    EXPECT_EQ(CreateWindowExA(0, "TESTCLASS", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(Win32Test, PostedMessagesComeInOrderThenQuitThenPaint) {
    MSG msg{};
    // A new window needs painting; it is offered until validated.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_PAINT);
    DispatchMessageA(&msg);  // DefWindowProcA validates it
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    PostMessageA(window, 0x400, 1, 0);
    PostMessageA(window, 0x401, 2, 0);
    PostQuitMessage(3);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, 0x400u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, 0x401u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, 0x401u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Win32Test, ClosingTheWindowDestroysItAndQuits) {
    host.RequestClose();
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_CLOSE);
    DispatchMessageA(&msg);
    EXPECT_EQ(received, (std::vector<UINT>{WM_CREATE, WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(host.windowOpen());
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    // Messages to a destroyed window are refused.
    EXPECT_FALSE(PostMessageA(window, WM_DESTROY, 0, 0));
}

TEST_F(Win32Test, KeysClockAndCursorComeFromTheHost) {
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE) & 0x8000, 0);
    host.SetKey(VK_SPACE, true);
    EXPECT_NE(GetAsyncKeyState(VK_SPACE) & 0x8000, 0);
    EXPECT_EQ(GetAsyncKeyState(VK_LEFT) & 0x8000, 0);

    host.SetTicks(1234);
    EXPECT_EQ(GetTickCount(), 1234u);

    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_FALSE(host.cursorVisible());
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(host.cursorVisible());
}

}  // namespace
