// The resource table: dialog templates, menu, strings, icons, version.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "res/resources.h"

namespace {

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override { AfxSetResourceTable(VeldrinResources()); }
  void TearDown() override { AfxSetResourceTable(nullptr); }
};

struct Rect {
  int left, top, right, bottom;
};

Rect Bounds(const DlgItemTemplate& item) { return {item.x, item.y, item.x + item.cx, item.y + item.cy}; }

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

struct DialogCase {
  UINT nId;
  std::string caption;
  short cx, cy;
  DWORD dwStyle;
  DWORD dwExStyle;
  UINT nMenuId;
  std::vector<int> controlIds;  // in tab order
};

const DialogCase kDialogCases[] = {
    {IDD_SCANNER_DIALOG, "Veldrin", 186, 105,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_SETFONT,
     WS_EX_APPWINDOW | WS_EX_ACCEPTFILES, IDR_MAINMENU, {IDC_RESULTS}},
    {IDD_PROMPT, "Dialog", 186, 61, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0,
     {IDOK, IDCANCEL, IDC_PROMPT_TEXT, IDC_PROMPT_EDIT}},
    {IDD_ABOUTBOX, "About Veldrin", 217, 55, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0,
     {IDC_STATIC, IDC_STATIC, IDC_STATIC, IDOK}},
};

TEST_F(ResourcesTest, DialogTemplates) {
  for (const DialogCase& c : kDialogCases) {
    SCOPED_TRACE(c.nId);
    const DlgTemplate* dlg = AfxFindDialogTemplate(c.nId);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->nId, c.nId);
    EXPECT_EQ(dlg->pszCaption, c.caption);
    EXPECT_EQ(dlg->x, 0);
    EXPECT_EQ(dlg->y, 0);
    EXPECT_EQ(dlg->cx, c.cx);
    EXPECT_EQ(dlg->cy, c.cy);
    EXPECT_STREQ(dlg->pszFont, "MS Sans Serif");
    EXPECT_EQ(dlg->nPointSize, 8);
    EXPECT_EQ(dlg->dwStyle, c.dwStyle);
    EXPECT_EQ(dlg->dwExStyle, c.dwExStyle);
    EXPECT_EQ(dlg->nMenuId, c.nMenuId);
    std::vector<int> ids;
    for (int i = 0; i < dlg->nItems; ++i) ids.push_back(dlg->pItems[i].nId);
    EXPECT_EQ(ids, c.controlIds);
  }
  EXPECT_EQ(AfxFindDialogTemplate(IDR_MAINMENU), nullptr);
}

// Every control lies inside its dialog, is a visible child, and no two
// controls cover each other.
TEST_F(ResourcesTest, ControlsFitTheirDialogs) {
  for (const DialogCase& c : kDialogCases) {
    const DlgTemplate* dlg = AfxFindDialogTemplate(c.nId);
    ASSERT_NE(dlg, nullptr);
    for (int i = 0; i < dlg->nItems; ++i) {
      SCOPED_TRACE(::testing::Message() << "dialog " << c.nId << ", control " << i);
      const DlgItemTemplate& item = dlg->pItems[i];
      const Rect r = Bounds(item);
      EXPECT_GE(r.left, 0);
      EXPECT_GE(r.top, 0);
      EXPECT_LE(r.right, dlg->cx);
      EXPECT_LE(r.bottom, dlg->cy);
      EXPECT_EQ(item.dwStyle & (WS_CHILD | WS_VISIBLE), DWORD(WS_CHILD | WS_VISIBLE));
      for (int j = i + 1; j < dlg->nItems; ++j) EXPECT_FALSE(Overlap(r, Bounds(dlg->pItems[j]))) << "and " << j;
    }
  }
}

TEST_F(ResourcesTest, ResultListAllowsSeveralRowsAndShowsSelectionOnlyWithFocus) {
  const DlgItemTemplate& list = AfxFindDialogTemplate(IDD_SCANNER_DIALOG)->pItems[0];
  EXPECT_STREQ(list.pszClass, "SysListView32");
  EXPECT_EQ(list.cx, 185);  // one unit short: the first resize fits it
  EXPECT_EQ(list.cy, 105);
  EXPECT_EQ(list.dwStyle, DWORD(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT));
}

TEST_F(ResourcesTest, PromptControls) {
  const DlgTemplate* dlg = AfxFindDialogTemplate(IDD_PROMPT);
  const DlgItemTemplate& ok = dlg->pItems[0];
  const DlgItemTemplate& cancel = dlg->pItems[1];
  const DlgItemTemplate& text = dlg->pItems[2];
  const DlgItemTemplate& edit = dlg->pItems[3];
  EXPECT_STREQ(ok.pszText, "OK");
  EXPECT_EQ(ok.dwStyle & 0xF, DWORD(BS_DEFPUSHBUTTON));  // Enter in the field means OK
  EXPECT_STREQ(cancel.pszText, "Cancel");
  EXPECT_EQ(cancel.dwStyle & 0xF, DWORD(BS_PUSHBUTTON));
  EXPECT_STREQ(text.pszClass, "Static");
  EXPECT_STREQ(text.pszText, "Prompt");
  EXPECT_EQ(text.dwStyle & WS_TABSTOP, 0u);
  EXPECT_STREQ(edit.pszClass, "Edit");
  EXPECT_STREQ(edit.pszText, "");
  EXPECT_EQ(edit.dwStyle & (WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL), DWORD(WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL));
}

TEST_F(ResourcesTest, AboutBox) {
  const DlgTemplate* dlg = AfxFindDialogTemplate(IDD_ABOUTBOX);
  const DlgItemTemplate& icon = dlg->pItems[0];
  EXPECT_EQ(icon.dwStyle & 0x1F, DWORD(SS_ICON));
  EXPECT_EQ(icon.nImageId, UINT(IDR_MAINFRAME));
  EXPECT_NE(AfxFindIconGroup(icon.nImageId), nullptr);

  const DlgItemTemplate& version = dlg->pItems[1];
  EXPECT_STREQ(version.pszText, "Veldrin Version 1.2");
  EXPECT_NE(version.dwStyle & SS_NOPREFIX, 0u);

  // The notice: two lines that fit its box. A line of n characters of the
  // dialog font is about 4n units wide and 8 units high.
  const DlgItemTemplate& notice = dlg->pItems[2];
  std::vector<std::string> lines;
  std::istringstream in(notice.pszText);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_LE(2 * 8, notice.cy);
  for (const std::string& line : lines) {
    EXPECT_FALSE(line.empty());
    EXPECT_LE(4 * static_cast<int>(line.size()), notice.cx) << line;
  }
  EXPECT_NE(std::string(notice.pszText).find("Veldrin developers"), std::string::npos);

  const DlgItemTemplate& ok = dlg->pItems[3];
  EXPECT_STREQ(ok.pszText, "OK");
  EXPECT_EQ(ok.dwStyle & 0xF, DWORD(BS_DEFPUSHBUTTON));
}

// The menu flattened to "path: id" lines, in order.
void Flatten(const MenuItemTemplate* items, int n, const std::string& path, std::vector<std::string>& out) {
  for (int i = 0; i < n; ++i) {
    const MenuItemTemplate& item = items[i];
    if (item.nFlags & MF_SEPARATOR) {
      EXPECT_EQ(item.pszText, nullptr);
      out.push_back(path + "-");
    } else if (item.nFlags & MF_POPUP) {
      EXPECT_EQ(item.nId, 0u);
      Flatten(item.pItems, item.nItems, path + item.pszText + " > ", out);
    } else {
      EXPECT_EQ(item.nItems, 0);
      out.push_back(path + item.pszText + ": " + std::to_string(item.nId));
    }
  }
}

TEST_F(ResourcesTest, MainMenu) {
  const MenuTemplate* menu = AfxFindMenuTemplate(IDR_MAINMENU);
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> entries;
  Flatten(menu->pItems, menu->nItems, "", entries);
  const std::vector<std::string> expected = {
      "&File > &Open...: 32771",
      "&File > &Export > &All...: 32775",
      "&File > &Export > &Marked...: 32776",
      "&File > -",
      "&File > E&xit: 32772",
      "&Edit > Find...: 57636",
      "&Options > &Minimum Text Length...: 32773",
      "&Help > About...: 32777",
  };
  EXPECT_EQ(entries, expected);

  // Only Help, the last pop-up of the bar, sits at its right end.
  ASSERT_EQ(menu->nItems, 4);
  for (int i = 0; i < menu->nItems; ++i) {
    EXPECT_NE(menu->pItems[i].nFlags & MF_POPUP, 0u) << i;
    EXPECT_EQ((menu->pItems[i].nFlags & MF_HELP) != 0, i == 3) << i;
  }
  EXPECT_EQ(AfxFindMenuTemplate(IDD_SCANNER_DIALOG), nullptr);
}

TEST_F(ResourcesTest, Strings) {
  EXPECT_STREQ(AfxFindString(IDS_ABOUTBOX), "&About Veldrin...");
  // Without an application-title string the application name is the
  // executable's name.
  EXPECT_EQ(AfxFindString(57344), nullptr);
}

// An XPM image: its size, the colour keys of its palette, its pixel rows.
struct Xpm {
  int width = 0, height = 0, colours = 0, charsPerPixel = 0;
  std::set<std::string> keys;
  std::vector<std::string> rows;
};

Xpm ParseXpm(const char* const* lines) {
  Xpm x;
  std::istringstream header(lines[0]);
  header >> x.width >> x.height >> x.colours >> x.charsPerPixel;
  for (int i = 0; i < x.colours; ++i) {
    const std::string line = lines[1 + i];
    x.keys.insert(line.substr(0, x.charsPerPixel));
    EXPECT_NE(line.find(" c ", x.charsPerPixel), std::string::npos) << line;
  }
  for (int i = 0; i < x.height; ++i) x.rows.push_back(lines[1 + x.colours + i]);
  return x;
}

TEST_F(ResourcesTest, IconGroups) {
  struct Case {
    UINT nId;
    std::vector<int> sizes;
  };
  for (const Case& c : {Case{IDR_MAINFRAME, {32, 16}}, Case{IDI_SMALLICON, {16}}}) {
    SCOPED_TRACE(c.nId);
    const IconGroup* group = AfxFindIconGroup(c.nId);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->nImages, static_cast<int>(c.sizes.size()));
    for (int i = 0; i < group->nImages; ++i) {
      const IconImage& image = group->pImages[i];
      EXPECT_EQ(image.cx, c.sizes[i]);
      EXPECT_EQ(image.cy, c.sizes[i]);
      const Xpm xpm = ParseXpm(image.ppXpm);
      EXPECT_EQ(xpm.width, image.cx);
      EXPECT_EQ(xpm.height, image.cy);
      EXPECT_LE(xpm.colours, 16);
      EXPECT_EQ(static_cast<int>(xpm.keys.size()), xpm.colours);  // no key twice
      for (const std::string& row : xpm.rows) {
        ASSERT_EQ(static_cast<int>(row.size()), xpm.width * xpm.charsPerPixel) << row;
        for (size_t p = 0; p < row.size(); p += xpm.charsPerPixel)
          EXPECT_EQ(xpm.keys.count(row.substr(p, xpm.charsPerPixel)), 1u) << row;
      }
    }
  }
}

TEST_F(ResourcesTest, VersionResource) {
  const VersionResource* v = AfxGetResourceTable()->pVersion;
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(std::vector<WORD>(v->fileVersion, v->fileVersion + 4), (std::vector<WORD>{1, 0, 0, 1}));
  EXPECT_EQ(std::vector<WORD>(v->productVersion, v->productVersion + 4), (std::vector<WORD>{1, 0, 0, 1}));
  EXPECT_STREQ(v->pszFileType, "application");
  EXPECT_STREQ(v->pszOs, "32-bit Windows");
  EXPECT_EQ(v->nLanguage, 0x0409);
  EXPECT_EQ(v->nCodePage, 1200);

  std::map<std::string, std::string> entries;
  for (int i = 0; i < v->nStrings; ++i) {
    EXPECT_TRUE(entries.emplace(v->pStrings[i].pszName, v->pStrings[i].pszValue).second) << v->pStrings[i].pszName;
  }
  const std::map<std::string, std::string> fixed = {
      {"FileVersion", "1, 2, 0, 1"},         {"ProductVersion", "1, 2, 0, 1"},
      {"FileDescription", "Veldrin MFC Application"}, {"InternalName", "Veldrin"},
      {"OriginalFilename", "Veldrin.EXE"},   {"ProductName", "Veldrin Application"},
  };
  for (const auto& [name, value] : fixed) EXPECT_EQ(entries[name], value) << name;
  for (const char* name : {"CompanyName", "LegalCopyright", "Comments"}) EXPECT_FALSE(entries[name].empty()) << name;
}

}  // namespace
