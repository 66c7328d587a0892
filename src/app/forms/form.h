#ifndef BOLTGEN_APP_FORMS_FORM_H_
#define BOLTGEN_APP_FORMS_FORM_H_

// The main window's form as data: scripts/form_table.py writes the table
// from the same form file the Qt window is built from, so both windows have
// one layout. Coordinates are form units: pixels at 96 dots per inch.

namespace boltgen {

struct FormRect {
  int x, y, width, height;
};

struct FormControl {
  const char* name;
  const char* form_class;  // QLabel, QComboBox, QLineEdit, QPushButton, QCheckBox, Line, QGroupBox
  const char* text;        // UTF-8; a caption (& before its Alt letter), a group's title, an edit's start text
  const char* tooltip;
  FormRect rect;  // in the form, a group box's widgets too
  bool checked;
  bool enabled;
  bool editable;    // a combo box that takes typed text
  bool is_default;  // the button Enter stands for
  bool word_wrap;
  int max_visible_items;  // 0: the toolkit's own
  const char* const* items;
  int item_count;
  const char* buddy;        // a label's: the control its Alt letter focuses; or nullptr
  const char* placeholder;  // an edit's grey hint while empty; or nullptr
};

struct Form {
  const char* name;
  const char* title;
  int width, height;
  const FormControl* controls;
  int control_count;
  // Names of the controls Tab visits, in order.
  const char* const* tab_order;
  int tab_count;
};

extern const Form kMainForm;

}  // namespace boltgen

#endif  // BOLTGEN_APP_FORMS_FORM_H_
