#include "platform/qt/list_view_widget.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "platform/qt/key_codes.h"
#include "platform/qt/pictures.h"
#include "platform/qt/qt_style.h"
#include "platform/window.h"

namespace platform::qt {

void ListRowsModel::reset() {
  beginResetModel();
  endResetModel();
}

void ListRowsModel::imagesChanged() {
  images_.clear();
  if (list_ != nullptr) {
    for (const SharedBytes& b : list_->imageList()) images_.push_back(decodePixmap(b));
  }
}

int ListRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || list_ == nullptr ? 0 : list_->getRowCount();
}

int ListRowsModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || list_ == nullptr) return 0;
  return std::max<int>(1, static_cast<int>(list_->columns().size()));
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const {
  if (list_ == nullptr || !index.isValid()) return {};
  if (role == Qt::DisplayRole) return toQString(list_->getCellText(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole && centred(index.column()))
    return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role == Qt::DecorationRole) {
    const int image = list_->getCellImage(index.row(), index.column());
    if (image >= 0 && image < static_cast<int>(images_.size())) {
      return images_[static_cast<std::size_t>(image)];
    }
  }
  return {};
}

bool ListRowsModel::centred(int column) const {
  if (list_ == nullptr || column < 0) return false;
  const auto& columns = list_->columns();
  return column < static_cast<int>(columns.size()) &&
         columns[static_cast<std::size_t>(column)].centred;
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  if (!rows_.centred(index.column())) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  // The cell without its image, then the image in the middle of the cell.
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QIcon image = cell.icon;
  cell.icon = QIcon();
  cell.features &= ~QStyleOptionViewItem::HasDecoration;
  // A short mark in a narrow column (one that a scroll bar has narrowed) is shown whole, over
  // the cell's margins, rather than cut to an ellipsis.
  cell.textElideMode = Qt::ElideNone;
  const QWidget* widget = cell.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
  if (image.isNull()) return;
  QRect place(QPoint(0, 0), cell.decorationSize);
  place.moveCenter(cell.rect.center());
  image.paint(painter, place);
}

QVariant ListRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (list_ == nullptr || orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  const auto& columns = list_->columns();
  if (section < 0 || section >= static_cast<int>(columns.size())) return {};
  return toQString(columns[static_cast<std::size_t>(section)].caption);
}

ListViewWidget::ListViewWidget(ListView& list, QWidget* parent)
    : QTreeView(parent), UnitWidget(list), rows_(list), cells_(rows_) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAllColumnsShowFocus(true);
  setIconSize(QSize(16, 16));
  header()->setSectionsMovable(false);
  setItemDelegate(&cells_);
}

ListViewWidget::~ListViewWidget() { setModel(nullptr); }

void ListViewWidget::applyColumns() {
  header()->setVisible(list().headerVisible());
  header()->setStretchLastSection(false);
  // A form's column can be as narrow as 1 px (a hidden store); Qt's default minimum would widen it.
  header()->setMinimumSectionSize(1);
  const int fill = list().fillColumn();
  setHorizontalScrollBarPolicy(fill >= 0 ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  const auto& columns = list().columns();
  for (int i = 0; i < static_cast<int>(columns.size()) && i < header()->count(); ++i) {
    header()->setSectionResizeMode(i, i == fill ? QHeaderView::Stretch : QHeaderView::Interactive);
    setColumnWidth(i, columns[static_cast<std::size_t>(i)].width);
  }
}

void ListViewWidget::released() {
  rows_.release();
  rows_.reset();
}

void ListViewWidget::refresh(Property property) {
  if (!live()) return;
  switch (property) {
    case Property::Items:
      rows_.imagesChanged();
      if (model() == &rows_) {
        rows_.reset();
      } else {
        showRows();
      }
      applyColumns();
      showSelectedRow();
      break;
    case Property::Rows:
    case Property::Cell:
      // Lists are filled row by row and cell by cell: redraw once, after the filling.
      if (!resetPending_) {
        resetPending_ = true;
        QTimer::singleShot(0, this, [this] {
          resetPending_ = false;
          if (!live()) return;
          rows_.reset();
          applyColumns();
          showSelectedRow();
        });
      }
      break;
    case Property::SelectedRow:
      if (!resetPending_) showSelectedRow();
      break;
    default:
      break;
  }
}

void ListViewWidget::showRows() {
  // Given once the list has its font: the header measures its captions once, in that font.
  setModel(&rows_);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!syncing_ && current.isValid()) userMovedTo(current.row());
          });
}

void ListViewWidget::showSelectedRow() {
  if (!live()) return;
  syncing_ = true;
  const int row = list().selectedRow();
  if (row >= 0 && row < rows_.rowCount({})) {
    const QModelIndex index = rows_.index(row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
  } else {
    selectionModel()->clear();
  }
  syncing_ = false;
}

void ListViewWidget::userMovedTo(int row) {
  if (!live()) return;
  auto& unit = static_cast<ListView&>(this->unit());
  unit.userSelectRow(row);
  // Shows what the unit holds now, also when it refused the move.
  if (live() && unit.selectedRow() != row) showSelectedRow();
}

void ListViewWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    mousePressed(*event);
    return;
  }
  QTreeView::mousePressEvent(event);
}

void ListViewWidget::focusInEvent(QFocusEvent* event) {
  // Qt makes the first row current when a list without one gets the focus; the user chose
  // nothing, so the unit hears nothing and the list shows the unit's selection.
  syncing_ = true;
  QTreeView::focusInEvent(event);
  syncing_ = false;
  showSelectedRow();
  focusedByQt(event->reason());
}

void ListViewWidget::keyPressEvent(QKeyEvent* event) {
  if (live() && virtualKeyOf(*event) == kVkEscape) {
    unit().window().userPressEsc();
    return;
  }
  QTreeView::keyPressEvent(event);
}

}  // namespace platform::qt
