#include "platform/ui/list_view_widget.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <string_view>

#include "platform/core/list_ctrl.h"
#include "platform/core/resource_types.h"
#include "platform/ui/row_selection.h"

namespace {

using SelectionFlags = QItemSelectionModel::SelectionFlags;

// Texts are bytes in the locale's encoding.
QString ToQString(std::string_view text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

int ColumnAlignment(int fmt) {
  switch (fmt & 3) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

// The list's rows and columns as Qt's view asks for them. The counts are the
// ones the view was last told; they trail the list's until the view catches up.
class ListModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  const CListCtrl* List() const { return m_pList; }
  int Rows() const { return m_nRows; }

  // Starts over from pList's rows and columns.
  void Reset(const CListCtrl* pList) {
    beginResetModel();
    m_pList = pList;
    m_nRows = pList ? pList->GetItemCount() : 0;
    m_nColumns = pList ? pList->GetColumnCount() : 0;
    endResetModel();
  }

  // Tells the view of the rows appended since it was last told, in one go.
  void AppendRows() {
    const int nRows = m_pList ? m_pList->GetItemCount() : 0;
    if (nRows <= m_nRows) return;
    beginInsertRows(QModelIndex(), m_nRows, nRows - 1);
    m_nRows = nRows;
    endInsertRows();
  }

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_nRows; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_nColumns; }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  }

  QVariant data(const QModelIndex& index, int role) const override {
    const CListCtrl::Column* pColumn = index.isValid() ? Column(index.column()) : nullptr;
    if (pColumn == nullptr) return {};
    switch (role) {
      case Qt::DisplayRole: return ToQString(m_pList->Store().Text(index.row(), pColumn->iSubItem));
      case Qt::TextAlignmentRole: return ColumnAlignment(pColumn->fmt);
      default: return {};
    }
  }

  QVariant headerData(int nSection, Qt::Orientation orientation, int role) const override {
    const CListCtrl::Column* pColumn = orientation == Qt::Horizontal ? Column(nSection) : nullptr;
    if (pColumn == nullptr) return {};
    switch (role) {
      case Qt::DisplayRole: return ToQString(pColumn->strHeader.View());
      case Qt::TextAlignmentRole: return ColumnAlignment(pColumn->fmt);
      default: return {};
    }
  }

 private:
  const CListCtrl::Column* Column(int nCol) const {
    if (m_pList == nullptr || nCol < 0 || nCol >= m_nColumns || nCol >= m_pList->GetColumnCount()) return nullptr;
    return &m_pList->GetColumn(nCol);
  }

  const CListCtrl* m_pList = nullptr;
  int m_nRows = 0;
  int m_nColumns = 0;
};

class ListViewWidget;

// Qt's selection model, kept empty: the view's selection commands change the
// row store's bits instead, where Find and the export read them. Qt's ranges
// would cost a pair of persistent indexes per range and turn slow on the
// scattered selections Find makes.
class RowSelectionModel final : public QItemSelectionModel {
 public:
  RowSelectionModel(QAbstractItemModel* pModel, ListViewWidget* pView)
      : QItemSelectionModel(pModel), m_pView(pView) {}

  void select(const QModelIndex& index, SelectionFlags command) override {
    select(QItemSelection(index, index), command);
  }
  void select(const QItemSelection& selection, SelectionFlags command) override;
  // A click on no row: the rows lose their selection, the focus row stays.
  void clear() override { select(QItemSelection(), Clear); }
  // The model was reset: Qt's current index goes, the bits stay.
  void reset() override {
    m_rows.Commit();
    const QSignalBlocker blocker(this);
    QItemSelectionModel::clear();
  }
  void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override;

  // The selection changed by other means: the pending gesture is final.
  void Commit() { m_rows.Commit(); }

 private:
  ListViewWidget* m_pView;
  RowSelection m_rows;
};

// The report view. It is told of the list's changes through CListView,
// notes them, and catches up once at the next turn of the event loop (or
// before it paints or handles input): a scan appends a million rows and Find
// selects hundreds of thousands without a pause. A table view with rows of
// one fixed height builds no layout item per row (its hidden row header
// keeps a few bytes a row).
class ListViewWidget final : public QTableView, public CListView {
 public:
  ListViewWidget(QWidget* pParent, DWORD dwStyle);
  ~ListViewWidget() override {
    if (m_pList) m_pList->AttachView(nullptr);
  }

  void Bind(CListCtrl* pList);
  void CatchUp();

  CListCtrl* List() const { return m_pList; }
  // Rows the view knows of; the list may hold more (or fewer) until it catches up.
  int KnownRows() const { return std::min(m_pModel->Rows(), m_pList ? m_pList->GetItemCount() : 0); }
  bool IsRowSelected(int nRow) const { return nRow >= 0 && nRow < KnownRows() && m_pList->Store().IsSelected(nRow); }
  int FocusRow() const {
    const int nFocus = m_pList ? m_pList->GetFocusItem() : -1;
    return nFocus < KnownRows() ? nFocus : -1;
  }
  // The selection and the focus mark are shown while the list has the focus
  // (LVS_SHOWSELALWAYS shows the selection always).
  bool ShowsSelection() const { return m_bShowSelAlways || hasFocus(); }
  bool ShowsFocus() const { return hasFocus(); }

  // Qt's current row moved: it is the list's focus row.
  void OnCurrentRowChanged(int nRow);
  // The selection model changed the bits: tells the list without ending the
  // pending gesture.
  void NotifyOwnSelectionChange();

  void selectAll() override;
  QModelIndex indexAt(const QPoint& point) const override;

 protected:
  // CListView
  void OnColumnsChanged() override {
    m_bColumnsChanged = true;
    Note();
  }
  void OnRowsChanged() override;
  void OnSelectionChanged() override;
  void OnColumnWidthChanged(int nCol, int cx) override;
  void OnMove(int x, int y, int cx, int cy, BOOL bRepaint) override;
  void OnListDestroyed() override {
    m_pList = nullptr;
    m_pModel->Reset(nullptr);
  }

  // QTableView
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void setSelection(const QRect& rect, SelectionFlags command) override;
  SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* pEvent) const override;
  void keyPressEvent(QKeyEvent* pEvent) override;
  bool viewportEvent(QEvent* pEvent) override;
  void changeEvent(QEvent* pEvent) override;

 private:
  void Note();
  void ApplyColumnWidths();
  void SyncCurrentRow();
  void ApplyRowHeight();

  ListModel* m_pModel;
  RowSelectionModel* m_pSelection;
  CListCtrl* m_pList = nullptr;
  const bool m_bShowSelAlways;
  int m_nLastCount = 0;             // the list's row count at its last notice
  bool m_bDirty = false;            // a change was noted and not caught up with
  bool m_bQueued = false;           // a catch-up is queued
  bool m_bColumnsChanged = false;
  bool m_bRowsRemoved = false;
  bool m_bApplyingWidths = false;
  bool m_bSyncingCurrent = false;
  int m_nOwnChanges = 0;
  // What a Ctrl+drag does to the rows it passes, decided at the press.
  mutable QItemSelectionModel::SelectionFlag m_dragOp = QItemSelectionModel::Select;
};

// Paints the selection and the focus mark from the list: on column 0 only,
// as a report view without full-row selection does.
class RowDelegate final : public QStyledItemDelegate {
 public:
  explicit RowDelegate(ListViewWidget* pView) : QStyledItemDelegate(pView), m_pView(pView) {}

 protected:
  void initStyleOption(QStyleOptionViewItem* pOption, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(pOption, index);
    const bool bLabel = index.column() == 0;
    const int nRow = index.row();
    pOption->state.setFlag(QStyle::State_Selected,
                           bLabel && m_pView->ShowsSelection() && m_pView->IsRowSelected(nRow));
    pOption->state.setFlag(QStyle::State_HasFocus,
                           bLabel && m_pView->ShowsFocus() && m_pView->FocusRow() == nRow);
  }

 private:
  ListViewWidget* m_pView;
};

void RowSelectionModel::select(const QItemSelection& selection, SelectionFlags command) {
  CListCtrl* pList = m_pView->List();
  if (command == NoUpdate || pList == nullptr) return;
  RowStore& rows = pList->Store();
  // Qt's rules: Clear empties everything; without Current the pending
  // gesture is final, with Current the new one replaces it.
  if (command & Clear) m_rows.ClearAll(rows);
  if (command & Current) m_rows.Revert(rows);
  else m_rows.Commit();
  if (command & (Select | Deselect | Toggle)) {
    const RowSelection::Op op = (command & Select)   ? RowSelection::Op::Select
                                : (command & Toggle) ? RowSelection::Op::Toggle
                                                     : RowSelection::Op::Deselect;
    const int nLast = m_pView->KnownRows() - 1;
    for (const QItemSelectionRange& range : selection) {
      m_rows.Apply(rows, range.top(), std::min(range.bottom(), nLast), op);
    }
  }
  m_pView->NotifyOwnSelectionChange();
}

void RowSelectionModel::setCurrentIndex(const QModelIndex& index, SelectionFlags command) {
  QItemSelectionModel::setCurrentIndex(index, command);
  m_pView->OnCurrentRowChanged(currentIndex().row());
}

ListViewWidget::ListViewWidget(QWidget* pParent, DWORD dwStyle)
    : QTableView(pParent), m_pModel(new ListModel(this)), m_bShowSelAlways((dwStyle & LVS_SHOWSELALWAYS) != 0) {
  setModel(m_pModel);
  QItemSelectionModel* pDefault = selectionModel();
  m_pSelection = new RowSelectionModel(m_pModel, this);
  m_pSelection->setParent(this);
  setSelectionModel(m_pSelection);
  delete pDefault;
  setItemDelegate(new RowDelegate(this));

  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setTabKeyNavigation(false);  // Tab moves the focus on through the dialog
  setSortingEnabled(false);
  setEditTriggers(NoEditTriggers);
  setDragEnabled(false);
  setSelectionBehavior(SelectRows);
  setSelectionMode((dwStyle & LVS_SINGLESEL) ? SingleSelection : ExtendedSelection);
  setHorizontalScrollMode(ScrollPerPixel);
  setFrameShape((dwStyle & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);

  // One row height for all rows, and no row header.
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  ApplyRowHeight();

  // Headers do nothing when clicked, keep their order and widths (no
  // stretching), and take a user's drag of a section edge.
  QHeaderView* pHeader = horizontalHeader();
  pHeader->setSectionsClickable(false);
  pHeader->setSectionsMovable(false);
  pHeader->setSortIndicatorShown(false);
  pHeader->setHighlightSections(false);
  pHeader->setStretchLastSection(false);
  pHeader->setMinimumSectionSize(0);
  pHeader->setSectionResizeMode(QHeaderView::Interactive);
  pHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(pHeader, &QHeaderView::sectionResized, this, [this](int nCol, int, int cx) {
    if (!m_bApplyingWidths && m_pList) m_pList->NoteColumnWidth(nCol, cx);
  });
}

void ListViewWidget::Bind(CListCtrl* pList) {
  if (pList != m_pList) {
    if (m_pList) m_pList->AttachView(nullptr);
    if (pList) {
      if (auto* pOther = dynamic_cast<ListViewWidget*>(pList->GetView())) pOther->Bind(nullptr);
      pList->AttachView(this);
    }
    m_pList = pList;
  }
  m_nLastCount = pList ? pList->GetItemCount() : 0;
  m_bColumnsChanged = true;
  m_bDirty = true;
  CatchUp();
}

void ListViewWidget::Note() {
  m_bDirty = true;
  if (m_bQueued) return;
  m_bQueued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_bQueued = false;
        CatchUp();
      },
      Qt::QueuedConnection);
}

void ListViewWidget::CatchUp() {
  if (!m_bDirty) return;
  m_bDirty = false;
  const int nRows = m_pList ? m_pList->GetItemCount() : 0;
  if (m_bColumnsChanged || m_bRowsRemoved || nRows < m_pModel->Rows() || m_pModel->List() != m_pList) {
    // Rows went away (or the columns changed): the view starts over.
    m_bColumnsChanged = false;
    m_bRowsRemoved = false;
    m_pModel->Reset(m_pList);
    ApplyColumnWidths();
  } else {
    m_pModel->AppendRows();
  }
  SyncCurrentRow();
  viewport()->update();
}

void ListViewWidget::ApplyColumnWidths() {
  if (m_pList == nullptr) return;
  m_bApplyingWidths = true;
  for (int nCol = 0; nCol < horizontalHeader()->count() && nCol < m_pList->GetColumnCount(); ++nCol) {
    horizontalHeader()->resizeSection(nCol, m_pList->GetColumnWidth(nCol));
  }
  m_bApplyingWidths = false;
}

// The height the style gives a row of one line of text in the view's font.
void ListViewWidget::ApplyRowHeight() {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.features |= QStyleOptionViewItem::HasDisplay;
  option.text = QStringLiteral("0");
  const QSize size = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
  verticalHeader()->setDefaultSectionSize(std::max(size.height(), 1));
}

void ListViewWidget::SyncCurrentRow() {
  const int nFocus = FocusRow();
  if (currentIndex().row() == nFocus) return;
  m_bSyncingCurrent = true;
  if (nFocus >= 0) selectionModel()->setCurrentIndex(m_pModel->index(nFocus, 0), QItemSelectionModel::NoUpdate);
  else selectionModel()->clearCurrentIndex();
  m_bSyncingCurrent = false;
}

void ListViewWidget::OnCurrentRowChanged(int nRow) {
  if (m_bSyncingCurrent || m_pList == nullptr) return;
  const int nFocus = m_pList->GetFocusItem();
  if (nRow == nFocus) return;
  ++m_nOwnChanges;
  if (nRow >= 0) m_pList->SetItemState(nRow, LVIS_FOCUSED, LVIS_FOCUSED);
  else m_pList->SetItemState(nFocus, 0, LVIS_FOCUSED);
  --m_nOwnChanges;
}

void ListViewWidget::NotifyOwnSelectionChange() {
  ++m_nOwnChanges;
  m_pList->NotifySelectionChanged();
  --m_nOwnChanges;
}

void ListViewWidget::OnRowsChanged() {
  const int nCount = m_pList->GetItemCount();
  if (nCount < m_nLastCount) m_bRowsRemoved = true;
  m_nLastCount = nCount;
  Note();
}

void ListViewWidget::OnSelectionChanged() {
  if (m_nOwnChanges == 0) m_pSelection->Commit();
  Note();
}

void ListViewWidget::OnColumnWidthChanged(int nCol, int cx) {
  CatchUp();  // the header must know the column
  if (nCol < 0 || nCol >= horizontalHeader()->count()) return;
  if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
    // Fit to the widest text among the rows Qt samples, and to the header.
    const int cxContents = std::max(sizeHintForColumn(nCol), 0);
    cx = cx == LVSCW_AUTOSIZE ? cxContents : std::max(cxContents, horizontalHeader()->sectionSizeHint(nCol));
  }
  cx = std::max(cx, 0);
  m_bApplyingWidths = true;
  horizontalHeader()->resizeSection(nCol, cx);
  m_bApplyingWidths = false;
  m_pList->NoteColumnWidth(nCol, cx);
}

void ListViewWidget::OnMove(int x, int y, int cx, int cy, BOOL bRepaint) {
  setGeometry(x, y, std::max(cx, 0), std::max(cy, 0));
  if (bRepaint) update();
}

void ListViewWidget::selectAll() {
  CatchUp();
  if (selectionMode() == SingleSelection || KnownRows() == 0 || m_pModel->columnCount(QModelIndex()) == 0) return;
  const int nLastColumn = m_pModel->columnCount(QModelIndex()) - 1;
  m_pSelection->select(QItemSelection(m_pModel->index(0, 0), m_pModel->index(KnownRows() - 1, nLastColumn)),
                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QModelIndex ListViewWidget::indexAt(const QPoint& point) const {
  const QModelIndex index = QTableView::indexAt(point);
  if (index.isValid() || horizontalHeader()->count() == 0) return index;
  // Beside the columns, a point still belongs to its row.
  return QTableView::indexAt(QPoint(columnViewportPosition(0), point.y()));
}

void ListViewWidget::setSelection(const QRect& rect, SelectionFlags command) {
  // The rows between the rectangle's top and bottom, as one range; Qt's tree
  // view would walk them one by one.
  const int nRows = KnownRows();
  const int nColumns = m_pModel->columnCount(QModelIndex());
  if (nColumns == 0) return;
  const int yFirstRow = visualRect(m_pModel->index(0, 0)).top();
  auto rowAt = [&](int y) {
    const QModelIndex index = indexAt(QPoint(columnViewportPosition(0), y));
    if (index.isValid()) return index.row();
    return y < yFirstRow ? -1 : nRows;  // above the first row or below the last
  };
  const int nTop = std::max(rowAt(std::min(rect.top(), rect.bottom())), 0);
  const int nBottom = std::min(rowAt(std::max(rect.top(), rect.bottom())), nRows - 1);
  if (nTop > nBottom) {
    if (command & QItemSelectionModel::Clear) m_pSelection->clear();
    return;
  }
  m_pSelection->select(QItemSelection(m_pModel->index(nTop, 0), m_pModel->index(nBottom, nColumns - 1)), command);
}

SelectionFlags ListViewWidget::selectionCommand(const QModelIndex& index, const QEvent* pEvent) const {
  SelectionFlags command = QTableView::selectionCommand(index, pEvent);
  if (pEvent == nullptr || !index.isValid()) return command;
  // Qt decides what Ctrl+click does from its own selection model, which is
  // empty; decide from the row's bit instead.
  if (pEvent->type() == QEvent::MouseButtonPress) {
    const bool bSelected = IsRowSelected(index.row());
    if (command & QItemSelectionModel::Toggle) {
      m_dragOp = bSelected ? QItemSelectionModel::Deselect : QItemSelectionModel::Select;
      command.setFlag(QItemSelectionModel::Toggle, false);
      command |= m_dragOp;
    } else if (selectionMode() == SingleSelection && bSelected &&
               (static_cast<const QMouseEvent*>(pEvent)->modifiers() & Qt::ControlModifier)) {
      command = QItemSelectionModel::Deselect | QItemSelectionModel::Rows;
    }
  } else if (pEvent->type() == QEvent::MouseMove && (command & QItemSelectionModel::Toggle)) {
    // A Ctrl+drag does to the rows it passes what the press did to its row.
    command.setFlag(QItemSelectionModel::Toggle, false);
    command |= m_dragOp;
  }
  return command;
}

void ListViewWidget::keyPressEvent(QKeyEvent* pEvent) {
  CatchUp();
  switch (pEvent->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      pEvent->ignore();  // the dialog's: they end it
      return;
    default:
      QTableView::keyPressEvent(pEvent);
  }
}

QModelIndex ListViewWidget::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = currentIndex();
  const int nRows = KnownRows();
  switch (action) {
    case MoveLeft:
    case MoveRight: {
      // Whole rows are selected: the arrows scroll the columns and leave
      // the focus row where it is.
      QScrollBar* pBar = horizontalScrollBar();
      pBar->setValue(pBar->value() + (action == MoveLeft ? -pBar->singleStep() : pBar->singleStep()));
      return current;
    }
    case MoveHome:
    case MoveEnd:
      // The first or the last row, with or without Ctrl.
      if (nRows == 0) return current;
      return m_pModel->index(action == MoveHome ? 0 : nRows - 1, current.isValid() ? current.column() : 0);
    default:
      return QTableView::moveCursor(action, modifiers);
  }
}

void ListViewWidget::changeEvent(QEvent* pEvent) {
  if (pEvent->type() == QEvent::FontChange || pEvent->type() == QEvent::StyleChange) ApplyRowHeight();
  QTableView::changeEvent(pEvent);
}

bool ListViewWidget::viewportEvent(QEvent* pEvent) {
  switch (pEvent->type()) {
    case QEvent::Paint:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      CatchUp();
      break;
    default:
      break;
  }
  return QTableView::viewportEvent(pEvent);
}

}  // namespace

QWidget* CreateListViewWidget(QWidget* pParent, DWORD dwStyle) { return new ListViewWidget(pParent, dwStyle); }

void BindListView(QWidget* pWidget, CListCtrl* pList) {
  if (auto* pView = dynamic_cast<ListViewWidget*>(pWidget)) pView->Bind(pList);
}

void UpdateListView(QWidget* pWidget) {
  if (auto* pView = dynamic_cast<ListViewWidget*>(pWidget)) pView->CatchUp();
}
