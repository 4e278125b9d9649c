#pragma once

#include <QAbstractTableModel>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <vector>

#include "platform/list_view.h"
#include "platform/qt/unit_widget.h"

namespace platform::qt {

// The rows of a list unit as a Qt table, read straight from the unit (no copy of the texts).
class ListRowsModel : public QAbstractTableModel {
 public:
  explicit ListRowsModel(const ListView& list) : list_(&list) {}
  void release() { list_ = nullptr; }
  // The rows, cells or columns changed: one reset when the event loop next runs.
  void reset();
  void imagesChanged();

  int rowCount(const QModelIndex& parent) const override;
  int columnCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  bool centred(int column) const;

 private:
  const ListView* list_;
  std::vector<QPixmap> images_;
};

// Draws the cells of centred columns with their image in the middle.
class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(const ListRowsModel& rows) : rows_(rows) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  const ListRowsModel& rows_;
};

// A report view: the columns with their captions and widths, the rows, the cell images and the
// selected row. A user who moves the selection asks the unit, which raises currentRowChanged.
class ListViewWidget : public QTreeView, public UnitWidget {
 public:
  ListViewWidget(ListView& list, QWidget* parent);
  ~ListViewWidget() override;
  QWidget* widget() override { return this; }

 protected:
  void refresh(Property property) override;
  void released() override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  const ListView& list() const { return static_cast<const ListView&>(unit()); }
  void showRows();
  void showSelectedRow();
  void userMovedTo(int row);
  void applyColumns();

  ListRowsModel rows_;
  CellDelegate cells_;
  bool resetPending_ = false;
  bool syncing_ = false;
};

}  // namespace platform::qt
