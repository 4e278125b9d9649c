#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/system/shared_bytes.h"
#include "platform/unit.h"

namespace platform {

struct ListColumn {
  std::string caption;
  int width = 0;
  // Text and image of the column's cells drawn in the middle of the cell.
  bool centred = false;
};

// A list of rows of text cells (hidden lists serve as ordered stores of texts).
// Rows and columns are 0-based; a cell of a row that does not exist reads "".
class ListView : public Unit {
 public:
  using Unit::Unit;

  // Design attributes.
  const std::vector<ListColumn>& columns() const { return columns_; }
  void setColumns(std::vector<ListColumn> columns);
  // The row of column captions above the rows; shown unless switched off.
  bool headerVisible() const { return headerVisible_; }
  void setHeaderVisible(bool visible);
  // The column that takes what the others leave of the list's width (less a vertical scroll
  // bar when one shows), so that the columns keep within it and every other column keeps its
  // width and place; -1 (the default): every column keeps its width, scrolling sideways.
  int fillColumn() const { return fillColumn_; }
  void setFillColumn(int column);
  // The pictures that setCellImage numbers.
  const std::vector<SharedBytes>& imageList() const { return imageList_; }
  void setImageList(std::vector<SharedBytes> images);

  // Appends one empty row at the end; selects nothing and raises nothing.
  void appendRow();
  int getRowCount() const { return static_cast<int>(rows_.size()); }
  // Removes every row; no row is selected afterwards.
  void clearRows();
  // Quietly ignored for a row that does not exist.
  void setCellText(int row, int column, std::string text);
  std::string getCellText(int row, int column) const;
  // Shows image `image` of the image list in the cell (-1: none).
  void setCellImage(int row, int column, int image);
  int getCellImage(int row, int column) const;

  // -1 when no row is selected.
  int selectedRow() const { return selectedRow_; }

  std::function<void()> onCurrentRowChanged;

  // The user selects a row; onCurrentRowChanged follows when the selection moved.
  InputResult userSelectRow(int row);

  std::string_view kind() const override { return "ListView"; }

 private:
  struct Cell {
    std::string text;
    int image = -1;
  };
  const Cell* cell(int row, int column) const;
  Cell* cellForWrite(int row, int column);

  std::vector<ListColumn> columns_;
  bool headerVisible_ = true;
  int fillColumn_ = -1;
  std::vector<SharedBytes> imageList_;
  std::vector<std::vector<Cell>> rows_;
  int selectedRow_ = -1;
};

}  // namespace platform
