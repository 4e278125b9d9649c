#include "platform/list_view.h"

namespace platform {

void ListView::setColumns(std::vector<ListColumn> columns) {
  write(columns_, std::move(columns), Property::Items);
}

void ListView::setHeaderVisible(bool visible) { write(headerVisible_, visible, Property::Items); }

void ListView::setFillColumn(int column) { write(fillColumn_, column, Property::Items); }

void ListView::setImageList(std::vector<SharedBytes> images) {
  write(imageList_, std::move(images), Property::Items);
}

void ListView::appendRow() {
  rows_.emplace_back();
  changed(Property::Rows);
}

void ListView::clearRows() {
  rows_.clear();
  selectedRow_ = -1;
  changed(Property::Rows);
}

const ListView::Cell* ListView::cell(int row, int column) const {
  if (row < 0 || column < 0 || row >= getRowCount()) return nullptr;
  const auto& cells = rows_[static_cast<std::size_t>(row)];
  if (static_cast<std::size_t>(column) >= cells.size()) return nullptr;
  return &cells[static_cast<std::size_t>(column)];
}

ListView::Cell* ListView::cellForWrite(int row, int column) {
  if (row < 0 || column < 0 || row >= getRowCount()) return nullptr;
  auto& cells = rows_[static_cast<std::size_t>(row)];
  if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(column + 1);
  return &cells[static_cast<std::size_t>(column)];
}

void ListView::setCellText(int row, int column, std::string text) {
  if (Cell* c = cellForWrite(row, column)) {
    c->text = std::move(text);
    changed(Property::Cell);
  }
}

std::string ListView::getCellText(int row, int column) const {
  const Cell* c = cell(row, column);
  return c != nullptr ? c->text : std::string();
}

void ListView::setCellImage(int row, int column, int image) {
  if (Cell* c = cellForWrite(row, column)) {
    c->image = image;
    changed(Property::Cell);
  }
}

int ListView::getCellImage(int row, int column) const {
  const Cell* c = cell(row, column);
  return c != nullptr ? c->image : -1;
}

InputResult ListView::userSelectRow(int row) {
  const InputResult state = inputState();
  if (state != InputResult::Accepted) return state;
  if (row < 0 || row >= getRowCount()) return InputResult::NotApplicable;
  if (row == selectedRow_) return InputResult::Accepted;
  write(selectedRow_, row, Property::SelectedRow);
  if (onCurrentRowChanged) onCurrentRowChanged();
  return InputResult::Accepted;
}

}  // namespace platform
