#include "library/files/CClipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <atomic>

namespace {

// The clipboard's data in a format, as another program would read it; "<none>" when
// the format is absent.
std::string ClipboardBytes(UINT format) {
    if (!OpenClipboard(nullptr)) {
        return "<not opened>";
    }
    std::string bytes = "<none>";
    HANDLE data = GetClipboardData(format);
    if (data != nullptr) {
        const void* memory = GlobalLock(data);
        if (memory != nullptr) {
            bytes.assign(static_cast<const char*>(memory), GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

TEST(CClipboardTest, TextGoesOnTheClipboardWithItsZero) {
    const CClipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.SetData(CF_TEXT, "Report\r\nline 2"));
    EXPECT_EQ(ClipboardBytes(CF_TEXT).substr(0, 15), std::string("Report\r\nline 2\0", 15));
    ASSERT_TRUE(clipboard.SetData(CF_TEXT, std::string("second")));
    EXPECT_EQ(ClipboardBytes(CF_TEXT).substr(0, 7), std::string("second\0", 7));
}

TEST(CClipboardTest, BytesOfAnyFormatReplaceWhatWasThere) {
    const UINT format = RegisterClipboardFormatA("Tallymarks test bytes");
    ASSERT_NE(format, 0u);
    const CClipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.SetData(CF_TEXT, "old text"));
    const std::string bytes("\x01\x00\xFF\x7F", 4);
    ASSERT_TRUE(clipboard.SetData(format, bytes.data(), bytes.size()));
    EXPECT_EQ(ClipboardBytes(format).substr(0, 4), bytes);
    EXPECT_EQ(ClipboardBytes(CF_TEXT), "<none>") << "the clipboard is emptied first";
}

TEST(CClipboardTest, EmptyOrMissingDataIsRefused) {
    const CClipboard clipboard(nullptr);
    EXPECT_FALSE(clipboard.SetData(CF_TEXT, "x", 0));
    EXPECT_FALSE(clipboard.SetData(CF_TEXT, nullptr, 4));
    EXPECT_FALSE(clipboard.SetData(CF_TEXT, static_cast<const char*>(nullptr)));
}

// While another thread holds the clipboard open, nothing can be placed.
TEST(CClipboardTest, ClipboardHeldElsewhereFails) {
    const CClipboard clipboard(nullptr);
    ASSERT_TRUE(clipboard.SetData(CF_TEXT, "kept"));
    std::atomic<int> state{0}; // 1 open, 2 may close
    std::thread holder([&state] {
        HWND window = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
        state = OpenClipboard(window) ? 1 : -1;
        while (state == 1) {
            Sleep(10);
        }
        CloseClipboard();
        DestroyWindow(window);
    });
    while (state == 0) {
        Sleep(10);
    }
    const bool opened = state == 1;
    const bool placed = clipboard.SetData(CF_TEXT, "new");
    state = 2;
    holder.join();
    ASSERT_TRUE(opened);
    EXPECT_FALSE(placed);
    EXPECT_EQ(ClipboardBytes(CF_TEXT).substr(0, 5), std::string("kept\0", 5));
}

} // namespace
