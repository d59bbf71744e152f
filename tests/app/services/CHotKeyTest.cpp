#include "app/services/CHotKey.h"
#include "app/services/IHotKeyClient.h"
#include "app/settings/CSetHotKey.h"
#include "harness/CUiScript.h"
#include "library/windows/CInvisibleWindow.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace {

uint16_t HotKey(UINT virtualKey, BYTE flags) {
    return static_cast<uint16_t>(MAKEWORD(virtualKey, flags));
}

// Stands in for the application and its main window: a window to register on, the
// activations it was asked for and the key texts handed to the tray menu.
class CTestMainWindow : public IHotKeyClient {
public:
    CTestMainWindow() { m_window.Create(); }
    HWND GetHandle() const { return m_window.GetHandle(); }
    void OnActivationHotKey() override { ++activations; }
    void OnHotKeyTextChanged(const std::string& keyText) override { keyTexts.push_back(keyText); }

    int activations = 0;
    std::vector<std::string> keyTexts;

private:
    CInvisibleWindow m_window{GetModuleHandleA(nullptr)};
};

// 0 when window could take the combination (given up again at once), else the error.
DWORD TryRegister(HWND window, UINT modifiers, UINT virtualKey) {
    if (RegisterHotKey(window, 99, modifiers, virtualKey)) {
        UnregisterHotKey(window, 99);
        return 0;
    }
    return GetLastError();
}

// Runs action answering `boxes` message boxes whose text holds textPart; any other box
// fails the test instead of waiting.
std::vector<harness::SMessageBoxRecord> RunAnswering(const std::function<void()>& action,
                                                     int boxes = 0, const char* textPart = "") {
    harness::CUiScript script;
    for (int i = 0; i < boxes; ++i) {
        script.AnswerMessageBox(IDOK, textPart);
    }
    script.Run(action);
    return script.GetMessageBoxes();
}

const DWORD kTaken = ERROR_HOTKEY_ALREADY_REGISTERED;

class CHotKeyTest : public ::testing::Test {
protected:
    void Bind(uint16_t value) {
        m_setting.SetHotKey(value);
        RunAnswering([&] { m_hotKey.SetWindow(m_main.GetHandle()); });
    }
    CSetHotKey m_setting;
    CTestMainWindow m_main, m_other;
    CHotKey m_hotKey{m_setting, m_main};
};

TEST_F(CHotKeyTest, KeyTextNamesModifiersInOrderThenTheKey) {
    std::string ctrl = CHotKey::GetKeyName(VK_CONTROL, false),
                alt = CHotKey::GetKeyName(VK_MENU, false),
                shift = CHotKey::GetKeyName(VK_SHIFT, false), k = CHotKey::GetKeyName('K', false),
                home = CHotKey::GetKeyName(VK_HOME, true);
    for (const std::string* name : {&ctrl, &alt, &shift, &k, &home}) {
        EXPECT_FALSE(name->empty());
    }
    EXPECT_NE(home, CHotKey::GetKeyName(VK_HOME, false)) << "the extended key has its own name";

    const struct {
        uint16_t hotKey;
        std::string text;
    } cases[] = {
        {0, ""},
        {HotKey('K', HOTKEYF_CONTROL | HOTKEYF_ALT), ctrl + "+" + alt + "+" + k},
        {HotKey('K', HOTKEYF_SHIFT | HOTKEYF_ALT | HOTKEYF_CONTROL),
         ctrl + "+" + alt + "+" + shift + "+" + k},
        {HotKey(VK_HOME, HOTKEYF_SHIFT | HOTKEYF_EXT), shift + "+" + home},
        {HotKey('K', 0), k},
        {HotKey(VK_LBUTTON, HOTKEYF_CONTROL), ""}, // a key without a scan code
    };
    for (const auto& c : cases) {
        m_setting.SetHotKey(c.hotKey);
        EXPECT_EQ(m_hotKey.GetHotKey(), c.hotKey);
        EXPECT_EQ(m_hotKey.GetKeyText(), c.text) << std::hex << c.hotKey;
    }
    EXPECT_FALSE(m_hotKey.IsRegistered()) << "the setting alone registers nothing";
    EXPECT_TRUE(m_main.keyTexts.empty());
    EXPECT_EQ(CHotKey(m_setting, m_other).GetHotKey(), m_setting.GetHotKey())
        << "starts from the current setting";
}

// Exactly the modifiers of Ctrl, Alt and Shift are registered; the extended flag never
// asks for the Windows key as well.
TEST_F(CHotKeyTest, RegistersTheModifiersOfTheSetting) {
    const struct {
        uint16_t hotKey;
        UINT modifiers;
    } cases[] = {
        {HotKey(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT), MOD_CONTROL | MOD_ALT},
        {HotKey(VK_F9, HOTKEYF_SHIFT), MOD_SHIFT},
        {HotKey(VK_HOME, HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT | HOTKEYF_EXT),
         MOD_CONTROL | MOD_ALT | MOD_SHIFT},
        {HotKey(VK_DELETE, HOTKEYF_ALT | HOTKEYF_EXT), MOD_ALT},
    };
    for (const auto& c : cases) {
        Bind(c.hotKey);
        ASSERT_TRUE(m_hotKey.IsRegistered()) << std::hex << c.hotKey;
        const HWND other = m_other.GetHandle();
        EXPECT_EQ(TryRegister(other, c.modifiers, LOBYTE(c.hotKey)), kTaken)
            << std::hex << c.hotKey;
        EXPECT_EQ(TryRegister(other, c.modifiers | MOD_WIN, LOBYTE(c.hotKey)), 0u) << c.hotKey;
        m_hotKey.SetWindow(nullptr);
        EXPECT_EQ(TryRegister(other, c.modifiers, LOBYTE(c.hotKey)), 0u) << "left with the window";
    }
}

TEST_F(CHotKeyTest, HotKeyMessageOnTheBoundWindowActivates) {
    Bind(HotKey(VK_F10, HOTKEYF_CONTROL | HOTKEYF_SHIFT));
    SendMessageA(m_main.GetHandle(), WM_HOTKEY, CHotKey::kHotKeyId, 0);
    SendMessageA(m_main.GetHandle(), WM_HOTKEY, 7, 0);
    SendMessageA(m_main.GetHandle(), WM_KEYDOWN, VK_F10, 0);
    EXPECT_EQ(m_main.activations, 2);

    m_hotKey.Unregister(); // the settings dialog opens
    EXPECT_EQ(m_hotKey.GetWindow(), m_main.GetHandle());
    SendMessageA(m_main.GetHandle(), WM_HOTKEY, CHotKey::kHotKeyId, 0);
    EXPECT_EQ(m_main.activations, 2);

    RunAnswering([&] { m_hotKey.SetWindow(m_other.GetHandle()); }); // the other display
    SendMessageA(m_main.GetHandle(), WM_HOTKEY, CHotKey::kHotKeyId, 0);
    SendMessageA(m_other.GetHandle(), WM_HOTKEY, CHotKey::kHotKeyId, 0);
    EXPECT_EQ(m_main.activations, 3);
}

TEST_F(CHotKeyTest, ChangedSettingTakesEffectAtTheNextRegistration) {
    const UINT modifiers = MOD_CONTROL | MOD_ALT;
    Bind(HotKey(VK_F11, HOTKEYF_CONTROL | HOTKEYF_ALT));
    const std::string firstText = m_hotKey.GetKeyText();
    m_hotKey.Unregister();
    EXPECT_EQ(TryRegister(m_other.GetHandle(), modifiers, VK_F11), 0u);
    m_setting.SetHotKey(HotKey(VK_F12, HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_EQ(TryRegister(m_other.GetHandle(), modifiers, VK_F12), 0u);

    RunAnswering([&] { EXPECT_TRUE(m_hotKey.Register()); });
    EXPECT_EQ(TryRegister(m_other.GetHandle(), modifiers, VK_F12), kTaken);
    EXPECT_EQ(TryRegister(m_other.GetHandle(), modifiers, VK_F11), 0u);
    EXPECT_EQ(m_main.keyTexts, std::vector<std::string>({firstText, m_hotKey.GetKeyText()}));
    EXPECT_NE(firstText, m_hotKey.GetKeyText());

    m_setting.SetHotKey(0);
    RunAnswering([&] { EXPECT_FALSE(m_hotKey.Register()); });
    EXPECT_EQ(TryRegister(m_other.GetHandle(), modifiers, VK_F12), 0u);
    EXPECT_EQ(m_main.keyTexts.back(), "") << "the tray menu loses the key's name";
}

TEST_F(CHotKeyTest, RefusedCombinationIsReportedAndTheProgramGoesOn) {
    const uint16_t value = HotKey(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT | HOTKEYF_ALT);
    Bind(value);
    ASSERT_TRUE(m_hotKey.IsRegistered());
    CSetHotKey otherSetting;
    otherSetting.SetHotKey(value);
    CHotKey second(otherSetting, m_other);
    const auto boxes =
        RunAnswering([&] { second.SetWindow(m_other.GetHandle()); }, 1, "The error was: 1409 - ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Tallymarks - Invalid hotkey");
    EXPECT_EQ(boxes[0].text.rfind("The activation hotkey is invalid.  To use an activation "
                                  "hotkey, choose another hotkey in the settings.\n\n",
                                  0),
              0u)
        << boxes[0].text;
    EXPECT_EQ(boxes[0].icon, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_FALSE(second.IsRegistered());
    EXPECT_TRUE(m_hotKey.IsRegistered()) << "the first holder keeps it";
    EXPECT_EQ(m_other.keyTexts, std::vector<std::string>({second.GetKeyText()}));

    RunAnswering([&] { second.Register(); }, 1, "1409"); // one warning per attempt
    m_hotKey.Unregister();
    RunAnswering([&] { EXPECT_TRUE(second.Register()); });
}

} // namespace
