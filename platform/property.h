#pragma once

namespace platform {

// What changed on a unit, as told to the backend after every write on a live window.
enum class Property {
  Geometry,  // left, top, width, height
  Visible,   // the unit's own visible flag
  Disabled,
  Caption,      // window caption, label / radio / check box / menu item caption
  Content,      // edit box text, or a rich edit box's whole text written anew
  Edit,         // rich edit box text changed in place: typed, deleted, pasted, replaced
  Selection,    // rich edit box selection or caret
  Format,       // rich edit box character formats of a range (text unchanged)
  Checked,      // check box, radio button, menu item check mark
  Picture,      // picture, mouse-over picture
  Appearance,   // font, colours, cursor, hint, border and other design attributes
  Rows,         // list rows appended or cleared
  Cell,         // a list cell's text or image
  SelectedRow,  // list selection
  CurrentItem,  // navigation bar highlight
  Range,        // progress bar minimum, maximum, position
  Address,      // web view address
  Focus,        // the window's focused unit changed
  WindowState,  // normal / minimised
  AlwaysOnTop,
  Items,  // navigation bar groups and items, list columns and image list
};

}  // namespace platform
