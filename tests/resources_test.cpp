#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

// One menu item as the user sees it: text and id, or "-" for a separator.
struct Item {
    std::string text;
    UINT id;
};

std::vector<Item> ItemsOf(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back({"-", 0});
        } else {
            EXPECT_EQ(info.fState & (MFS_GRAYED | MFS_DISABLED), 0u) << text;
            items.push_back({text, info.hSubMenu ? 0 : info.wID});
        }
    }
    return items;
}

bool operator==(const Item& a, const Item& b) { return a.text == b.text && a.id == b.id; }

void PrintTo(const Item& item, std::ostream* out) { *out << item.text << "/" << item.id; }

std::string ResourceText(LPCSTR name, LPCSTR type) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) return "";
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return std::string(data, SizeofResource(module, found));
}

// A DIALOG template as the resource compiler stored it.
struct DialogControl {
    int classAtom;  // 0x80 button, 0x82 static, 0x85 combo box
    std::string text;
    int id;
    DWORD style;
    int x, y, cx, cy;
    bool operator==(const DialogControl&) const = default;
};

void PrintTo(const DialogControl& c, std::ostream* out) {
    *out << "{class " << c.classAtom << " \"" << c.text << "\" id " << c.id << " style 0x" << std::hex
         << c.style << std::dec << " at " << c.x << "," << c.y << " " << c.cx << "x" << c.cy << "}";
}

struct DialogTemplate {
    DWORD style = 0;
    int cx = 0, cy = 0;
    std::string caption;
    int fontPoints = 0;
    std::string fontName;
    std::vector<DialogControl> controls;
};

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : data_(data) {}
    WORD Word() { WORD w = data_[at_] | (data_[at_ + 1] << 8); at_ += 2; return w; }
    DWORD Dword() { DWORD low = Word(); return low | (static_cast<DWORD>(Word()) << 16); }
    std::string Text() {
        std::string text;
        for (WORD c = Word(); c != 0; c = Word()) text += static_cast<char>(c);
        return text;
    }
    // A text, or 0xFFFF and a number: the number is returned, the text kept.
    int TextOrNumber(std::string& text) {
        if (data_[at_] == 0xFF && data_[at_ + 1] == 0xFF) { Word(); return Word(); }
        text = Text();
        return 0;
    }
    void AlignToDword() { at_ = (at_ + 3) & ~size_t{3}; }

private:
    const BYTE* data_;
    size_t at_ = 0;
};

DialogTemplate ReadDialogTemplate(int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    EXPECT_NE(found, nullptr);
    DialogTemplate page;
    if (found == nullptr) return page;
    TemplateReader read(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
    page.style = read.Dword();
    read.Dword();  // extended style
    const int count = read.Word();
    read.Word();
    read.Word();
    page.cx = read.Word();
    page.cy = read.Word();
    std::string ignored;
    read.TextOrNumber(ignored);  // menu
    read.TextOrNumber(ignored);  // class
    page.caption = read.Text();
    if (page.style & DS_SETFONT) {
        page.fontPoints = read.Word();
        page.fontName = read.Text();
    }
    for (int i = 0; i < count; ++i) {
        read.AlignToDword();
        DialogControl control{};
        control.style = read.Dword();
        read.Dword();
        control.x = static_cast<short>(read.Word());
        control.y = static_cast<short>(read.Word());
        control.cx = static_cast<short>(read.Word());
        control.cy = static_cast<short>(read.Word());
        control.id = read.Word();
        std::string className;
        control.classAtom = read.TextOrNumber(className);
        read.TextOrNumber(control.text);
        read.Word();  // no creation data
        page.controls.push_back(control);
    }
    return page;
}

}  // namespace

TEST(Resources, AppMenuHasItsThreePopupsWithEveryItemEnabled) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "AppMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ItemsOf(menu), (std::vector<Item>{{"&File", 0}, {"&Controller", 0}, {"&Help", 0}}));
    EXPECT_EQ(ItemsOf(GetSubMenu(menu, 0)),
              (std::vector<Item>{{"Open File...\tCtrl+O", 1000}, {"Open Co&py...", 1030}, {"Save As...\tCtrl+S", 1010}, {"-", 0},
                                 {"&Copy Summary\tCtrl+C", 1040},
                                 {"&Export I/O Map...", 1050}, {"-", 0}, {"E&xit", 1020}}));
    EXPECT_EQ(ItemsOf(GetSubMenu(menu, 1)),
              (std::vector<Item>{{"Read I/O from Controller", 1100},
                                 {"Write I/O to Controller", 1110},
                                 {"Reset Controller to Defaults", 1120},
                                 {"-", 0},
                                 {"Reconfigure I/O Assignments...", 1130},
                                 {"-", 0},
                                 {"Check &Assignments...", 1160},
                                 {"Compare with &Controller...", 1170},
                                 {"Compare with &Stored Values...", 1180},
                                 {"-", 0},
                                 {"Controller Info...", 1140},
                                 {"Select Controller...", 1150}}));
    EXPECT_EQ(ItemsOf(GetSubMenu(menu, 2)), (std::vector<Item>{{"About...", 1200}}));
    DestroyMenu(menu);
}

TEST(Resources, AxisPairPageTemplateLaysOutTwoColumnsOfSixLabelledBoxes) {
    const DialogTemplate page = ReadDialogTemplate(IDD_AXIS_PAIR_PAGE);
    EXPECT_EQ(page.style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                             DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(page.caption, "Axes # and #");
    EXPECT_EQ(page.fontName, "MS Sans Serif");
    EXPECT_EQ(page.fontPoints, 8);
    EXPECT_EQ(page.cx, 245);
    EXPECT_EQ(page.cy, 144);

    const DWORD group = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
    const DWORD label = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_RIGHT;
    const DWORD box = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
    const char* labels[2][6] = {
        {"Coarse Home (inp)", "Plus Limit (inp)", "Minus Limit (inp)", "Amp Fault (inp)",
         "Amp Enable (out)", "Direction (out)"},
        {"Coarse Home (inp)", "Plus Limit (inp)", "Minus Limit (inp)", "Drive Fault (inp)",
         "Drive Enable (out)", "Half Current (out)"}};
    std::vector<DialogControl> expected;
    for (int column = 0; column < 2; ++column) {
        const int left = 120 * column;
        expected.push_back({0x80, "", 2001 + 20 * column, group, 5 + left, 5, 115, 132});
        for (int row = 0; row < 6; ++row) {
            expected.push_back({0x82, labels[column][row], 0xFFFF, label, 10 + left, 18 + 20 * row, 70, 8});
            expected.push_back({0x85, "", 2002 + 20 * column + row, box, 85 + left, 17 + 20 * row, 30, 89});
        }
    }
    EXPECT_EQ(page.controls, expected);
}

TEST(Resources, IconGroupHoldsElevenImagesFromSixteenTo256Pixels) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDI_QUILLET), MAKEINTRESOURCEA(14));
    ASSERT_NE(found, nullptr);
    const BYTE* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const int count = group[4] | (group[5] << 8);
    ASSERT_EQ(count, 11);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        const int size = entry[0] == 0 ? 256 : entry[0];
        EXPECT_EQ(entry[1], entry[0]);
        images.push_back({size, entry[6] | (entry[7] << 8)});
    }
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {16, 8}, {16, 32}, {32, 4}, {32, 8},
                                                          {32, 32}, {48, 4}, {48, 8}, {48, 32},
                                                          {256, 8}, {256, 32}}));
    EXPECT_NE(LoadImageA(module, MAKEINTRESOURCEA(IDI_QUILLET), IMAGE_ICON, 256, 256, 0), nullptr);
}

TEST(Resources, ManifestAsksForAdministratorAndCommonControlsSix) {
    const std::string manifest = ResourceText(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\" uiAccess=\"false\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
#ifdef _WIN64
    const std::string architecture = "processorArchitecture=\"amd64\"";
#else
    const std::string architecture = "processorArchitecture=\"X86\"";
#endif
    EXPECT_NE(manifest.find("version=\"1.0.0.0\" " + architecture), std::string::npos);
    EXPECT_NE(manifest.find(architecture + " publicKeyToken"), std::string::npos);
}
