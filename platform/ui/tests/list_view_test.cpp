#include "platform/ui/list_view_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTableView>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/core/list_ctrl.h"
#include "platform/core/resource_types.h"
#include "platform/core/row_store.h"
#include "platform/ui/row_selection.h"

namespace {

// The state each cell was painted with at the latest render.
std::map<std::pair<int, int>, QStyle::State> g_painted;

class RecordingStyle : public QProxyStyle {
 public:
  RecordingStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
  void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                   const QWidget* pWidget) const override {
    if (auto* pItem = qstyleoption_cast<const QStyleOptionViewItem*>(pOption); pItem && element == CE_ItemViewItem) {
      g_painted[{pItem->index.row(), pItem->index.column()}] = pItem->state;
    }
    QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
  }
};

constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT;

void AddColumn(CListCtrl& list, const char* pszHeader, int cx) {
  LVCOLUMN column;
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = cx;
  column.pszText = const_cast<char*>(pszHeader);
  column.iSubItem = list.GetColumnCount();
  list.InsertColumn(list.GetColumnCount(), &column);
}

void Append(CListCtrl& list, const std::string& offset, const std::string& text) {
  LVITEM item;
  item.mask = LVIF_TEXT;
  item.iItem = list.GetItemCount();
  item.pszText = const_cast<char*>(offset.c_str());
  list.SetItemText(list.InsertItem(&item), 1, text.c_str());
}

std::string Offset(int nRow) {
  char sz[16];
  std::snprintf(sz, sizeof sz, "%06X", nRow * 16);
  return sz;
}

std::set<int> Selected(const CListCtrl& list) {
  std::set<int> rows;
  for (int r = 0; r < list.GetItemCount(); ++r) {
    if (list.GetItemState(r, LVIS_SELECTED) == LVIS_SELECTED) rows.insert(r);
  }
  return rows;
}

// Input as the window system delivers it.
void SendMouse(QWidget* pWidget, QEvent::Type type, QPoint point, Qt::KeyboardModifiers modifiers = {}) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, point, pWidget->mapToGlobal(point), button, buttons, modifiers);
  QApplication::sendEvent(pWidget, &event);
}
void ClickIn(QWidget* pWidget, QPoint point, Qt::KeyboardModifiers modifiers = {}) {
  SendMouse(pWidget, QEvent::MouseButtonPress, point, modifiers);
  SendMouse(pWidget, QEvent::MouseButtonRelease, point, modifiers);
}
void PressKey(QWidget* pWidget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QString();
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(pWidget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(pWidget, &release);
}

// A window holding a list view (bound to a list) and an edit field that can
// take the focus from it.
struct Window {
  Window(CListCtrl& list, DWORD dwStyle) {
    frame.resize(400, 520);
    widget = CreateListViewWidget(&frame, dwStyle);
    view = dynamic_cast<QTableView*>(widget);
    edit = new QLineEdit(&frame);
    edit->setGeometry(0, 490, 400, 30);
    BindListView(widget, &list);
    list.MoveWindow(0, 0, 400, 480);
    frame.show();
    frame.activateWindow();
    QElapsedTimer timer;
    timer.start();
    while (!frame.isActiveWindow() && timer.elapsed() < 5000) QCoreApplication::processEvents();
    EXPECT_TRUE(frame.isActiveWindow());
    view->setFocus();
  }
  QWidget frame;
  QWidget* widget;
  QTableView* view;
  QLineEdit* edit;
};

class ListViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (qApp == nullptr) {
      static int argc = 1;
      static char szName[] = "list_view_test";
      static char* argv[] = {szName, nullptr};
      new QApplication(argc, argv);
    }
    if (dynamic_cast<RecordingStyle*>(QApplication::style()) == nullptr) QApplication::setStyle(new RecordingStyle);
  }

  void SetUp() override {
    AddColumn(list, "Offset", 75);
    AddColumn(list, "Text", 170);
  }

  void Show(DWORD dwStyle = kStyle) {
    win = std::make_unique<Window>(list, dwStyle);
    view = win->view;
  }
  void Fill(int nRows) {
    for (int r = 0; r < nRows; ++r) Append(list, Offset(r), "run " + std::to_string(r));
    UpdateListView(win->widget);
  }

  std::string Data(int nRow, int nCol) const {
    return view->model()->index(nRow, nCol).data().toString().toStdString();
  }
  QPoint At(int nRow, int nCol = 0) const { return view->visualRect(view->model()->index(nRow, nCol)).center(); }
  void ClickAt(QPoint point, Qt::KeyboardModifiers modifiers = {}) { ClickIn(view->viewport(), point, modifiers); }
  void Click(int nRow, Qt::KeyboardModifiers modifiers = {}) { ClickAt(At(nRow), modifiers); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { PressKey(view, key, modifiers); }
  // Presses on the first row, moves over the others with the button down, releases on the last.
  void Drag(std::vector<int> rows) {
    QWidget* pViewport = view->viewport();
    SendMouse(pViewport, QEvent::MouseButtonPress, At(rows.front()));
    for (int nRow : rows) SendMouse(pViewport, QEvent::MouseMove, At(nRow));
    SendMouse(pViewport, QEvent::MouseButtonRelease, At(rows.back()));
  }

  // Paints the view and answers how a cell was painted.
  void Render() {
    g_painted.clear();
    win->widget->grab();
  }
  QStyle::State Painted(int nRow, int nCol) const {
    auto it = g_painted.find({nRow, nCol});
    EXPECT_NE(it, g_painted.end()) << "cell " << nRow << "," << nCol << " not painted";
    return it == g_painted.end() ? QStyle::State() : it->second;
  }

  CListCtrl list;
  std::unique_ptr<Window> win;
  QTableView* view = nullptr;
};

TEST_F(ListViewTest, CatchesUpWithBurstsOfRowsInOneGo) {
  Show();
  QAbstractItemModel* pModel = view->model();
  int nInserts = 0, nResets = 0;
  QObject::connect(pModel, &QAbstractItemModel::rowsInserted, [&] { ++nInserts; });
  QObject::connect(pModel, &QAbstractItemModel::modelReset, [&] { ++nResets; });
  EXPECT_EQ(pModel->headerData(1, Qt::Horizontal).toString(), "Text");

  for (int r = 0; r < 100000; ++r) Append(list, Offset(r), "run " + std::to_string(r));
  EXPECT_EQ(pModel->rowCount(), 0);  // not told yet
  UpdateListView(win->widget);
  EXPECT_EQ(pModel->rowCount(), 100000);
  EXPECT_EQ(nInserts, 1);
  EXPECT_EQ(Data(0, 0), "000000");
  EXPECT_EQ(Data(99999, 0), Offset(99999));
  EXPECT_EQ(Data(99999, 1), "run 99999");

  // Emptied and refilled before the view looked: it starts over, once, at
  // the next turn of the event loop.
  list.DeleteAllItems();
  for (int r = 0; r < 3; ++r) Append(list, Offset(r), "new " + std::to_string(r));
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(pModel->rowCount(), 100000);
  QCoreApplication::processEvents();
  EXPECT_EQ(nResets, 1);
  EXPECT_EQ(nInserts, 1);
  EXPECT_EQ(pModel->rowCount(), 3);
  EXPECT_EQ(Data(2, 1), "new 2");
  EXPECT_EQ(Selected(list), std::set<int>{1});  // the reset leaves the bits alone
  EXPECT_EQ(view->horizontalHeader()->sectionSize(0), 75);  // widths survive the reset

  list.DeleteAllItems();
  Render();  // painting catches up first
  EXPECT_EQ(pModel->rowCount(), 0);
  EXPECT_EQ(nResets, 2);
}

// Each gesture, in order, with the rows selected and the focus row after it.
TEST_F(ListViewTest, MouseAndKeyboardSelectTheRowsBits) {
  Show();
  Fill(12);
  const Qt::KeyboardModifiers kShift = Qt::ShiftModifier, kCtrl = Qt::ControlModifier;
  struct Step {
    const char* pszWhat;
    std::function<void()> act;
    std::set<int> selected;
    int nFocus;
  };
  const std::vector<Step> steps = {
      {"click", [&] { Click(2); }, {2}, 2},
      {"Shift+Down twice", [&] { Key(Qt::Key_Down, kShift); Key(Qt::Key_Down, kShift); }, {2, 3, 4}, 4},
      {"Shift+Up shrinks the range", [&] { Key(Qt::Key_Up, kShift); }, {2, 3}, 3},
      {"Shift+click", [&] { Click(6, kShift); }, {2, 3, 4, 5, 6}, 6},
      {"Ctrl+click a selected row", [&] { Click(4, kCtrl); }, {2, 3, 5, 6}, 4},
      {"Ctrl+click it again", [&] { Click(4, kCtrl); }, {2, 3, 4, 5, 6}, 4},
      {"Ctrl+Shift+click adds a range", [&] { Click(9, kCtrl | kShift); }, {2, 3, 4, 5, 6, 7, 8, 9}, 9},
      {"Ctrl+Shift+click replaces it", [&] { Click(7, kCtrl | kShift); }, {2, 3, 4, 5, 6, 7}, 7},
      {"click on column 1", [&] { ClickAt(At(8, 1)); }, {8}, 8},
      {"click beside the columns", [&] { ClickAt(QPoint(380, At(1).y())); }, {1}, 1},
      {"Down", [&] { Key(Qt::Key_Down); }, {2}, 2},
      {"Ctrl+Space toggles", [&] { Key(Qt::Key_Space, kCtrl); }, {}, 2},
      {"Ctrl+A", [&] { Key(Qt::Key_A, kCtrl); }, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 2},
      {"click below the rows", [&] { ClickAt(QPoint(40, view->viewport()->height() - 3)); }, {}, 2},
      {"drag down and back", [&] { Drag({3, 4, 5, 6, 5, 4}); }, {3, 4}, 4},
      {"Shift+End from where the drag began", [&] { Key(Qt::Key_End, kShift); }, {3, 4, 5, 6, 7, 8, 9, 10, 11}, 11},
  };
  ASSERT_GT(view->viewport()->height() - 3, view->visualRect(view->model()->index(11, 0)).bottom());
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(Selected(list), step.selected) << step.pszWhat;
    EXPECT_EQ(list.GetFocusItem(), step.nFocus) << step.pszWhat;
  }
  EXPECT_FALSE(view->selectionModel()->hasSelection());  // Qt's own stays empty
}

TEST_F(ListViewTest, SingleSelectionKeepsOneRow) {
  Show(kStyle | LVS_SINGLESEL);
  Fill(6);
  Click(1);
  Click(3, Qt::ShiftModifier);
  EXPECT_EQ(Selected(list), std::set<int>{3});
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Selected(list), std::set<int>{3});
  Click(3, Qt::ControlModifier);
  EXPECT_EQ(Selected(list), std::set<int>{});
}

// The list's selection and focus row, set by the program, are painted on
// column 0 while the list has the focus (always, with LVS_SHOWSELALWAYS).
TEST_F(ListViewTest, PaintsSelectionOnColumnZeroWhileFocused) {
  struct Case {
    DWORD dwStyle;
    bool bFocused;
    bool bSelectionShown;
  };
  for (const Case& c : {Case{kStyle, true, true}, Case{kStyle, false, false},
                        Case{kStyle | LVS_SHOWSELALWAYS, false, true}}) {
    SCOPED_TRACE(c.dwStyle & LVS_SHOWSELALWAYS ? "show always" : c.bFocused ? "focused" : "not focused");
    list.DeleteAllItems();
    Show(c.dwStyle);
    Fill(8);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(5, LVIS_FOCUSED, LVIS_FOCUSED);
    if (!c.bFocused) win->edit->setFocus();
    Render();
    EXPECT_EQ(view->currentIndex().row(), 5);
    EXPECT_EQ(Painted(3, 0).testFlag(QStyle::State_Selected), c.bSelectionShown);
    EXPECT_FALSE(Painted(3, 1).testFlag(QStyle::State_Selected));
    EXPECT_FALSE(Painted(2, 0).testFlag(QStyle::State_Selected));
    EXPECT_EQ(Painted(5, 0).testFlag(QStyle::State_HasFocus), c.bFocused);
    EXPECT_FALSE(Painted(5, 1).testFlag(QStyle::State_HasFocus));
    EXPECT_FALSE(Painted(5, 0).testFlag(QStyle::State_Selected));
  }
}

TEST_F(ListViewTest, HeaderClicksDoNothingButEdgesDrag) {
  Show();
  Fill(5);
  Click(2);
  QHeaderView* pHeader = view->horizontalHeader();
  int nClicks = 0;
  QObject::connect(pHeader, &QHeaderView::sectionClicked, [&] { ++nClicks; });
  ClickIn(pHeader->viewport(), QPoint(20, pHeader->height() / 2));
  ClickIn(pHeader->viewport(), QPoint(120, pHeader->height() / 2));
  EXPECT_EQ(nClicks, 0);
  EXPECT_EQ(Selected(list), std::set<int>{2});
  EXPECT_EQ(list.GetFocusItem(), 2);
  EXPECT_EQ(Data(0, 0), "000000");  // not sorted

  // Dragging the edge between the columns widens column 0 by as much.
  const int y = pHeader->height() / 2;
  const QPoint edge(pHeader->sectionSize(0) - 1, y), to(pHeader->sectionSize(0) + 39, y);
  SendMouse(pHeader->viewport(), QEvent::MouseButtonPress, edge);
  SendMouse(pHeader->viewport(), QEvent::MouseMove, to);
  SendMouse(pHeader->viewport(), QEvent::MouseButtonRelease, to);
  EXPECT_EQ(list.GetColumnWidth(0), 115);
  EXPECT_EQ(list.GetColumnWidth(1), 170);
}

TEST_F(ListViewTest, ColumnWidthsFitContentsAndHeader) {
  CListCtrl wide;
  AddColumn(wide, "A header wider than any offset", 75);
  AddColumn(wide, "Text", 170);
  Append(wide, "1", "short");
  Append(wide, "22", std::string(300, 'w'));
  Window window(wide, kStyle);
  QTableView* pView = window.view;
  UpdateListView(window.widget);
  const QAbstractItemView* pItems = pView;  // where sizeHintForColumn is public
  const int cxOffsets = pItems->sizeHintForColumn(0), cxHeader0 = pView->horizontalHeader()->sectionSizeHint(0);
  const int cxTexts = pItems->sizeHintForColumn(1), cxHeader1 = pView->horizontalHeader()->sectionSizeHint(1);
  ASSERT_LT(cxOffsets, cxHeader0);
  ASSERT_GT(cxTexts, cxHeader1);
  struct Case {
    int nCol;
    int cx;
    int cxExpected;
  };
  for (const Case& c : {Case{1, 123, 123}, Case{0, -1, cxOffsets}, Case{0, -2, cxHeader0}, Case{1, -1, cxTexts},
                        Case{1, -2, cxTexts}, Case{1, 0xFFFF, cxTexts}, Case{1, -105, 0}, Case{1, 195, 195}}) {
    wide.SetColumnWidth(c.nCol, c.cx);
    EXPECT_EQ(pView->horizontalHeader()->sectionSize(c.nCol), c.cxExpected) << c.nCol << ": " << c.cx;
    EXPECT_EQ(wide.GetColumnWidth(c.nCol), c.cxExpected) << c.nCol << ": " << c.cx;
  }
}

TEST_F(ListViewTest, MoveWindowPlacesTheWidgetInItsParent) {
  Show();
  list.MoveWindow(7, 9, 321, 123);
  EXPECT_EQ(win->widget->geometry(), QRect(7, 9, 321, 123));
  list.MoveWindow(0, 0, 0, 0, FALSE);  // a minimised window's client area
  EXPECT_EQ(win->widget->geometry(), QRect(0, 0, 0, 0));
}

// Enter and Esc end the dialog: the view passes them on to its window.
TEST_F(ListViewTest, EnterAndEscReachTheWindow) {
  Show();
  Fill(3);
  Click(1);
  struct KeyRecorder : QObject {
    bool eventFilter(QObject*, QEvent* pEvent) override {
      if (pEvent->type() == QEvent::KeyPress) keys.push_back(static_cast<QKeyEvent*>(pEvent)->key());
      return false;
    }
    std::vector<int> keys;
  } recorder;
  win->frame.installEventFilter(&recorder);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Down}) Key(key);
  EXPECT_EQ(recorder.keys, (std::vector<int>{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}));
  EXPECT_EQ(list.GetFocusItem(), 2);  // Down stayed with the view
}

TEST_F(ListViewTest, ScatteredSelectionOfAMillionRows) {
  Show();
  for (int r = 0; r < 1000000; ++r) Append(list, Offset(r), "x");
  for (int r = 0; r < 1000000; r += 5) list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
  Render();
  EXPECT_EQ(view->model()->rowCount(), 1000000);
  EXPECT_EQ(list.GetSelectedCount(), 200000);
  EXPECT_TRUE(Painted(0, 0).testFlag(QStyle::State_Selected));
  EXPECT_FALSE(Painted(1, 0).testFlag(QStyle::State_Selected));
  Click(1, Qt::ControlModifier);
  EXPECT_EQ(list.GetSelectedCount(), 200001);
  Key(Qt::Key_End, Qt::ShiftModifier);  // rows 1 to the end join row 0
  EXPECT_EQ(list.GetSelectedCount(), 1000000);
  Key(Qt::Key_Home);
  EXPECT_EQ(Selected(list), std::set<int>{0});
}

TEST_F(ListViewTest, ListAndWidgetMayGoInEitherOrder) {
  Show();
  Fill(4);
  {
    CListCtrl other;
    AddColumn(other, "Only", 50);
    Append(other, "a", "b");
    BindListView(win->widget, &other);  // the widget moves to the other list
    EXPECT_EQ(list.GetView(), nullptr);
    EXPECT_EQ(view->model()->rowCount(), 1);
  }  // the list goes first
  EXPECT_EQ(view->model()->rowCount(), 0);
  Render();

  BindListView(win->widget, &list);
  EXPECT_EQ(view->model()->rowCount(), 4);
  win.reset();  // the widget goes first
  list.DeleteAllItems();
  list.SetColumnWidth(0, 30);
  EXPECT_EQ(list.GetView(), nullptr);
}

// Gestures on the selection bits, across 64-row word boundaries.
TEST(RowSelection, RevertPutsBackTheRowsOfThePendingGesture) {
  RowStore rows;
  for (int r = 0; r < 200; ++r) rows.Insert(r, "x");
  auto selected = [&] {
    std::vector<int> result;
    for (int r = 0; r < rows.Count(); ++r) {
      if (rows.IsSelected(r)) result.push_back(r);
    }
    return result;
  };
  auto range = [](int nFirst, int nLast) {
    std::vector<int> result;
    for (int r = nFirst; r <= nLast; ++r) result.push_back(r);
    return result;
  };
  RowSelection selection;
  selection.Apply(rows, 60, 130, RowSelection::Op::Select);
  EXPECT_EQ(selected(), range(60, 130));
  selection.Commit();
  selection.Apply(rows, 0, 199, RowSelection::Op::Toggle);
  EXPECT_EQ(selected().size(), 200u - 71u);
  selection.Revert(rows);
  EXPECT_EQ(selected(), range(60, 130));
  // One gesture of two overlapping ranges reverts to what was before both.
  selection.Apply(rows, 120, 140, RowSelection::Op::Deselect);
  selection.Apply(rows, 125, 199, RowSelection::Op::Select);
  selection.Revert(rows);
  EXPECT_EQ(selected(), range(60, 130));
  selection.Apply(rows, 190, 500, RowSelection::Op::Select);  // clamped to the rows
  EXPECT_EQ(selected().back(), 199);
  selection.ClearAll(rows);
  selection.Revert(rows);  // nothing left to put back
  EXPECT_TRUE(selected().empty());
}

}  // namespace
