#include "platform/core/list_ctrl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const CListCtrl& list, int row, int col) { return std::string(list.GetItemText(row, col).View()); }

void Append(CListCtrl& list, const std::string& offset, const std::string& text) {
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = list.GetItemCount();
  item.pszText = const_cast<char*>(offset.c_str());
  int row = list.InsertItem(&item);
  list.SetItemText(row, 1, text.c_str());
}

TEST(CListCtrl, KeepsWholeTexts) {
  CListCtrl list;
  for (size_t len : {1, 255, 256, 4096, 100000}) Append(list, "000000...", std::string(len, 'x'));
  ASSERT_EQ(list.GetItemCount(), 5);
  for (int r = 0; r < 5; ++r) EXPECT_EQ(Text(list, r, 0), "000000...");
  EXPECT_EQ(Text(list, 1, 1).size(), 255u);
  EXPECT_EQ(Text(list, 3, 1).size(), 4096u);
  EXPECT_EQ(Text(list, 4, 1).size(), 100000u);
  EXPECT_EQ(Text(list, 0, 7), "");   // a column never set
  EXPECT_EQ(Text(list, 9, 0), "");   // no such row
}

TEST(CListCtrl, InsertsAndRewritesAnywhere) {
  CListCtrl list;
  Append(list, "a", "A");
  Append(list, "c", "C");
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = 1;
  item.pszText = const_cast<char*>("b");
  EXPECT_EQ(list.InsertItem(&item), 1);
  list.SetItemText(0, 0, "a-longer-offset");   // not the newest record: rewritten elsewhere
  list.SetItemText(2, 1, Text(list, 2, 1).append("C").c_str());
  EXPECT_EQ(Text(list, 0, 0), "a-longer-offset");
  EXPECT_EQ(Text(list, 0, 1), "A");
  EXPECT_EQ(Text(list, 1, 0), "b");
  EXPECT_EQ(Text(list, 2, 1), "CC");
  // The selection moved with its row.
  EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), 0u);
  EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
}

TEST(CListCtrl, SelectsRowsOneByOneAndLeavesTheRestAlone) {
  CListCtrl list;
  for (int r = 0; r < 200; ++r) Append(list, "o", "t");
  EXPECT_EQ(list.GetSelectedCount(), 0);
  list.SetItemState(5, LVIS_FOCUSED, LVIS_FOCUSED);
  EXPECT_EQ(list.GetItemState(5, LVIS_SELECTED), 0u);   // focus is not selection
  for (int r : {0, 63, 64, 130, 199, 63}) list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(list.GetSelectedCount(), 5);
  EXPECT_EQ(list.GetItemState(5, LVIS_FOCUSED | LVIS_SELECTED), static_cast<UINT>(LVIS_FOCUSED));
  list.Store().SetSelectedRange(60, 140, true);
  EXPECT_EQ(list.GetSelectedCount(), 81 + 2);
  list.DeleteAllItems();
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(list.GetFocusItem(), -1);
}

TEST(CListCtrl, ColumnWidthTravelsIn16Bits) {
  CListCtrl list;
  LVCOLUMN column;
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.cx = 75;
  column.pszText = const_cast<char*>("Offset");
  list.InsertColumn(0, &column);
  list.SetColumnWidth(0, 0x10000 + 195);   // high bits are not part of it
  EXPECT_EQ(list.GetColumnWidth(0), 195);
  list.SetColumnWidth(0, 0xFFFF);           // -1: fit to contents, the width is the view's
  EXPECT_EQ(list.GetColumnWidth(0), 195);
  EXPECT_EQ(std::string(list.GetColumn(0).strHeader), "Offset");
}

TEST(RowStore, ARowCostsLittleMoreThanItsText) {
  RowStore store;
  const int rows = 1000000;
  size_t text = 0;
  for (int r = 0; r < rows; ++r) {
    std::string offset = std::to_string(r);
    std::string run(10 + r % 30, 'x');
    store.SetText(store.Insert(r, offset), 1, run);
    text += offset.size() + run.size();
  }
  EXPECT_LE(store.BytesUsed(), text + 24ull * rows + (2u << 20));
}

}  // namespace
