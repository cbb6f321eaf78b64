#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/export_rows.h"
#include "results/find_rows.h"
#include "results/result_list.h"
#include "tests/temp_dir.h"

namespace {

// A list view that remembers what it was told.
class RecordingView : public CListView {
 public:
  void OnColumnsChanged() override {}
  void OnRowsChanged() override {}
  void OnSelectionChanged() override {}
  void OnColumnWidthChanged(int nCol, int cx) override { widths.emplace_back(nCol, cx); }
  void OnMove(int x, int y, int cx, int cy, BOOL) override { moves.push_back({x, y, cx, cy}); }
  std::vector<std::pair<int, int>> widths;
  std::vector<std::vector<int>> moves;
};

void Fill(CListCtrl& list, const std::vector<std::pair<std::string, std::string>>& rows) {
  for (const auto& [offset, text] : rows) AppendResultRow(list, offset.c_str(), text.c_str());
}

std::string Export(const CListCtrl& list, BOOL bAll) {
  TempDir dir;
  CFile file;
  EXPECT_TRUE(OpenExportFile(file, dir.Path("out.txt").c_str()));
  WriteResultRows(list, file, bAll);
  file.Close();
  return TempDir::Read(dir.Path("out.txt"));
}

TEST(ResultList, ColumnsAndFitToWindow) {
  RecordingView view;  // outlives the list, which tells it when it goes
  CListCtrl list;
  list.AttachView(&view);
  CreateResultColumns(list);
  ASSERT_EQ(list.GetColumnCount(), 2);
  EXPECT_EQ(std::string(list.GetColumn(0).strHeader), "Offset");
  EXPECT_EQ(list.GetColumnWidth(0), 75);
  EXPECT_EQ(std::string(list.GetColumn(1).strHeader), "Text");
  EXPECT_EQ(list.GetColumnWidth(1), 170);
  for (int cx : {300, 104, 103, 0}) FitResultList(list, cx, 50);
  EXPECT_EQ(view.widths, (std::vector<std::pair<int, int>>{{1, 195}, {1, -1}, {1, -2}, {1, -105}}));
  EXPECT_EQ(view.moves.front(), (std::vector<int>{0, 0, 300, 50}));
  EXPECT_EQ(list.GetColumnWidth(0), 75);
}

TEST(Export, WritesOffsetTabTextCrLf) {
  CListCtrl list;
  const std::string full(4096, 'q');
  Fill(list, {{"000010", "Hello, World"}, {"001000...", full}});
  EXPECT_EQ(Export(list, TRUE), "000010\tHello, World\r\n001000...\t" + full + "\r\n");
  EXPECT_EQ(Export(list, FALSE), "");   // nothing selected
}

TEST(Export, MarkedWritesTheSelectedRowsInOrder) {
  CListCtrl list;
  for (int r = 0; r < 7; ++r) AppendResultRow(list, ("00000" + std::to_string(r)).c_str(), ("row " + std::to_string(r)).c_str());
  SelectResultRow(list, 5);
  SelectResultRow(list, 2);
  EXPECT_EQ(Export(list, FALSE), "000002\trow 2\r\n000005\trow 5\r\n");
}

TEST(Find, SelectsMatchingRowsIgnoringCase) {
  CListCtrl list;
  Fill(list, {{"000000", "Hello, World"}, {"000010", "HELLO"}, {"000020", "help"}, {"00A000", "zzz"}});
  SelectResultRow(list, 3);
  struct Case {
    const char* find;
    BOOL found;
    std::vector<int> selected;   // after the search, on top of row 3
  };
  const std::vector<Case> cases = {
      {"hello", TRUE, {0, 1, 3}},
      {"00A", FALSE, {3}},          // offsets are not searched
      {"o, w", TRUE, {0, 3}},
      {"\xe9", FALSE, {3}},
      {"", TRUE, {0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    for (int r = 0; r < 3; ++r) list.SetItemState(r, 0, LVIS_SELECTED);
    CString find(c.find);
    EXPECT_EQ(SelectRowsContaining(list, find), c.found) << c.find;
    CString upper(c.find);
    upper.MakeUpper();
    EXPECT_TRUE(find == upper);
    std::vector<int> selected;
    for (int r = 0; r < list.GetItemCount(); ++r) {
      if (IsResultRowSelected(list, r)) selected.push_back(r);
    }
    EXPECT_EQ(selected, c.selected) << c.find;
  }
}

}  // namespace
