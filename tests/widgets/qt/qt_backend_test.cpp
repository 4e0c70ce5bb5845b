// What only the Qt backend shows: stand-in fonts, window flags, pixels, palettes, the view of
// a list box, the display of UTF-8 and Windows-1251 texts, and its dialogs' own ways. What
// every backend does alike is in the contract (qt_contract_test.cpp).
#include "widgets/qt/qt_backend.h"

#include <QtWidgets>

#include "runtime/platform/files.h"
#include "widgets/qt/qt_user.h"
#include "widgets/widget_fixture.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;
using widgets::WidgetOf;
using Ints = std::vector<int>;

class QtBackend : public NativeFormTest<widgets::QtBackend> {
 protected:
  template <class W>
  W* Native(ControlId id) { return dynamic_cast<W*>(WidgetOf(id)); }
};

// ---- the window and its controls ----

TEST_F(QtBackend, captions_too_wide_for_the_stand_in_font_are_condensed_to_fit_and_short_ones_keep_the_font) {
  const ControlId wide = Make(ControlKind::CheckBox, nullptr, 10, 10, 110, 20);
  const ControlId roomy = Make(ControlKind::CheckBox, nullptr, 10, 40, 300, 20);
  for (ControlId id : {wide, roomy}) {
    ui.SetFont(id, TFontRec{"MS Sans Serif", 8, 0, 0});
    ui.SetText(id, "Save Position and much more");
  }
  EXPECT_LE(WidgetOf(wide)->sizeHint().width(), 110 + 4) << "within rounding of the condensed font";
  EXPECT_LT(WidgetOf(wide)->font().stretch(), WidgetOf(roomy)->font().stretch());
  ui.SetText(wide, "Misc");
  EXPECT_EQ(WidgetOf(wide)->font().stretch(), WidgetOf(roomy)->font().stretch()) << "a short caption gets the font back";
}

TEST_F(QtBackend, a_form_without_a_sizing_frame_has_a_fixed_size_and_no_maximize_button) {
  ui.SetStyle(form, ui.GetStyle(form) & ~(widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox));
  ui.Show(form);
  qtuser::Pump();
  QWidget* window = WidgetOf(form);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(QtBackend, the_status_bar_shows_its_text_centred_by_one_leading_tab) {
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  ui.SetText(bar, "\tVeltrane v2.0 (2.3.2).");
  auto* label = WidgetOf(bar)->findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Veltrane v2.0 (2.3.2)."));
  EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
  ui.SetText(bar, "Ready");
  ui.SetAlignment(bar, widgets::Alignment::Right);
  EXPECT_TRUE(label->alignment() & Qt::AlignRight);
}

TEST_F(QtBackend, panels_draw_their_bevels_lowered_raised_or_none) {
  using widgets::Bevel;
  const QPalette palette = QApplication::palette();
  const QColor light = palette.color(QPalette::Light), dark = palette.color(QPalette::Dark);
  const QColor face = palette.color(QPalette::Window);
  struct Case { widgets::PanelFrame frame; std::vector<std::pair<QPoint, QColor>> pixels; };
  const QPoint far(99, 59);  // the bottom right corner of a 100 x 60 panel
  const std::vector<Case> cases = {
      // The pages: a lowered outer bevel, a pixel of border, a raised inner bevel.
      {{Bevel::Raised, Bevel::Lowered, 1, 1},
       {{{0, 0}, dark}, {far, light}, {{1, 1}, face}, {{2, 2}, light}, {far - QPoint(2, 2), dark}, {{3, 3}, face}}},
      // The settings panels: no bevels, nothing drawn.
      {{Bevel::None, Bevel::None, 1, 1}, {{{0, 0}, face}, {{2, 2}, face}, {far, face}}},
      // A raised bevel two pixels wide.
      {{Bevel::None, Bevel::Raised, 2, 0}, {{{0, 0}, light}, {{1, 1}, light}, {far - QPoint(1, 1), dark}, {{2, 2}, face}}},
  };
  for (const Case& c : cases) {
    const ControlId panel = Make(ControlKind::Panel, nullptr, 0, 0, 100, 60);
    ui.SetPanelFrame(panel, c.frame);
    const QImage image = WidgetOf(panel)->grab().toImage();
    for (const auto& [at, color] : c.pixels) {
      EXPECT_EQ(image.pixel(at), color.rgb())
          << "bevels " << int(c.frame.inner) << "/" << int(c.frame.outer) << " at " << at.x() << "," << at.y();
    }
  }
}

TEST_F(QtBackend, controls_without_a_tab_place_still_take_the_focus_when_clicked) {
  const ControlId placed = Make(ControlKind::Button), edit = Make(ControlKind::Edit), list = Make(ControlKind::ListBox);
  ui.SetTabOrder(placed, 1);
  EXPECT_TRUE(WidgetOf(placed)->focusPolicy() & Qt::TabFocus);
  for (ControlId unplaced : {edit, list}) {
    EXPECT_FALSE(WidgetOf(unplaced)->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(WidgetOf(unplaced)->focusPolicy() & Qt::ClickFocus);
  }
}

TEST_F(QtBackend, a_label_takes_its_look_and_reports_its_press_and_the_mouse_crossing_it) {
  Counts events;
  const ControlId label = Make(ControlKind::Label, &events);
  QWidget* native = WidgetOf(label);
  ui.SetFont(label, TFontRec{"MS Sans Serif", 8, 1 | 2 | 4 | 8, 0x000000FF});
  const QFont font = native->font();
  EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
  EXPECT_EQ(font.pointSize(), 8);
  EXPECT_EQ(native->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_NE(native->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(255, 0, 0));
  ui.SetColor(label, 0x00FF8000);  // 0x00BBGGRR
  EXPECT_EQ(native->palette().color(QPalette::Window), QColor(0, 0x80, 0xFF));
  ui.SetColor(label, kColorButtonFace);
  EXPECT_EQ(native->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
  ui.SetCursor(label, widgets::Cursor::HandPoint);
  EXPECT_EQ(native->cursor().shape(), Qt::PointingHandCursor);
  ui.SetCursor(label, widgets::Cursor::Default);
  EXPECT_FALSE(native->testAttribute(Qt::WA_SetCursor));
  ui.SetTooltip(label, "<b>Click to Refresh</b>");
  EXPECT_TRUE(native->toolTip().contains(QStringLiteral("&lt;b&gt;Click to Refresh")));

  qtuser::Press(native, {5, 5});
  QEnterEvent enter(QPointF(5, 5), native->mapToGlobal(QPointF(5, 5)), native->mapToGlobal(QPointF(5, 5)));
  QCoreApplication::sendEvent(native, &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(native, &leave);
  EXPECT_EQ((Ints{events.clicked, events.mouse_in, events.mouse_out}), (Ints{1, 1, 1}));
}

TEST_F(QtBackend, the_list_view_shows_the_programs_selection_and_none_once_the_selected_row_is_deleted) {
  const ControlId list = Make(ControlKind::ListBox);
  ui.SetItems(list, {"a", "b", "c", "d"});
  ui.Show(form);
  auto* view = Native<QListView>(list);
  ui.SetSelection(list, 1);
  qtuser::Pump();
  EXPECT_EQ(view->selectionModel()->selectedRows().value(0).row(), 1);
  ui.DeleteItem(list, 1);
  qtuser::Pump();
  EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());
  EXPECT_FALSE(view->selectionModel()->currentIndex().isValid()) << "no neighbour takes its place";
}

// ---- text bytes ----

// "пример.рф" and "café.fr" in UTF-8, and "пример.рф" in Windows-1251.
const std::string kUtf8Name = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84";
const std::string kUtf8Cafe = "caf\xC3\xA9.fr";
const std::string k1251Name = "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4";

TEST_F(QtBackend, texts_in_utf8_show_as_utf8_and_texts_in_windows_1251_as_windows_1251) {
  const ControlId edit = Make(ControlKind::Edit), label = Make(ControlKind::Label), button = Make(ControlKind::Button);
  const ControlId list = Make(ControlKind::ListBox), combo = Make(ControlKind::ComboBox);
  const ControlId tabs = Make(ControlKind::TabStrip);
  // Rows show the first 4096 bytes: the cut falls inside a UTF-8 letter, or behind a 1251 one.
  const std::string long_utf8 = std::string(4095, 'a') + kUtf8Name, long_1251 = std::string(4095, 'a') + k1251Name;
  ui.SetItems(list, {kUtf8Cafe, kUtf8Name, k1251Name, long_utf8, long_1251});
  ui.SetItems(combo, {kUtf8Cafe, k1251Name});
  ui.SetItems(tabs, {kUtf8Cafe});
  ui.SetText(edit, kUtf8Cafe);
  ui.SetText(label, kUtf8Name);
  ui.SetText(button, k1251Name);
  const QString cafe = QString::fromUtf8("café.fr"), name = QString::fromUtf8("пример.рф");
  QAbstractItemModel* rows = Native<QListView>(list)->model();
  EXPECT_EQ(rows->data(rows->index(0, 0)).toString(), cafe);
  EXPECT_EQ(rows->data(rows->index(1, 0)).toString(), name);
  EXPECT_EQ(rows->data(rows->index(2, 0)).toString(), name);
  EXPECT_EQ(rows->data(rows->index(3, 0)).toString(), QString(4095, QLatin1Char('a')));
  EXPECT_EQ(rows->data(rows->index(4, 0)).toString(), QString(4095, QLatin1Char('a')) + name.left(1));
  EXPECT_EQ(Native<QComboBox>(combo)->itemText(0), cafe);
  EXPECT_EQ(Native<QComboBox>(combo)->itemText(1), name);
  EXPECT_EQ(Native<QTabBar>(tabs)->tabText(0), cafe);
  EXPECT_EQ(Native<QLineEdit>(edit)->text(), cafe);
  EXPECT_EQ(Native<QLabel>(label)->text(), name);
  EXPECT_EQ(Native<QAbstractButton>(button)->text(), name);
}

TEST_F(QtBackend, typed_text_is_windows_1251_when_it_fits_and_utf8_otherwise_and_an_edited_utf8_text_stays_utf8) {
  const ControlId edit = Make(ControlKind::Edit);
  auto* line = Native<QLineEdit>(edit);
  struct Case { std::string set; QString typed; std::string got; };
  for (const Case& c : {Case{"", QString::fromUtf8("пример.рф"), k1251Name},
                        Case{"", QString::fromUtf8("café.fr"), kUtf8Cafe},
                        Case{"", QString::fromUtf8("ЖЁ"), "\xD0\x96\xD0\x81"},  // as 1251 bytes it would show as "ƨ"
                        Case{kUtf8Name, QString::fromUtf8("пример.рфx"), kUtf8Name + "x"},
                        Case{k1251Name, QString::fromUtf8("пример.рфx"), k1251Name + "x"},
                        Case{k1251Name, QString::fromUtf8("пример.рф"), k1251Name}}) {
    ui.SetText(edit, c.set);
    line->setText(c.typed);  // as the user leaves it
    EXPECT_EQ(ui.GetText(edit), c.got) << c.typed.toStdString();
  }
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Привет ☺"));
  EXPECT_EQ(ui.ClipboardText(), "Привет ☺") << "in UTF-8, not Windows-1251 with a question mark";
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Привет"));
  EXPECT_EQ(ui.ClipboardText(), "\xCF\xF0\xE8\xE2\xE5\xF2");
}

// ---- dialogs and the shell ----

// Qt would press No, Abort or a lone OK on Esc; the program hears Cancel from every box.
TEST_F(QtBackend, esc_and_the_close_button_give_cancel_also_on_a_box_without_a_cancel_button) {
  using widgets::MessageButtons;
  for (MessageButtons buttons : {MessageButtons::Ok, MessageButtons::YesNo, MessageButtons::AbortRetryIgnore}) {
    qtuser::AnswerModal([](QWidget* modal) { qtuser::Key(modal, Qt::Key_Escape); });
    EXPECT_EQ(ui.ShowMessageBox(form, "This is not BanList!", "Error!", buttons, widgets::MessageIcon::Warning),
              widgets::MessageAnswer::Cancel)
        << "Esc, buttons " << int(buttons);
    qtuser::AnswerModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(ui.ShowMessageBox(form, "This is not BanList!", "Error!", buttons, widgets::MessageIcon::Warning),
              widgets::MessageAnswer::Cancel)
        << "closed, buttons " << int(buttons);
  }
}

TEST_F(QtBackend, a_file_dialog_shows_each_filter_with_its_patterns_and_star_dot_star_as_every_name) {
  QStringList filters;
  QString selected;
  qtuser::AnswerModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    selected = dialog->selectedNameFilter();
    dialog->reject();
  });
  EXPECT_EQ(ui.RunFileDialog({false, "Open Text File", "Text File|*.txt|All Files|*.*", "", ""}), std::nullopt);
  EXPECT_EQ(filters, (QStringList{QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*)")}));
  EXPECT_EQ(selected, QStringLiteral("Text File")) << "shown without its patterns";
}

TEST(DocumentUrl, addresses_stay_addresses_and_paths_become_files) {
  EXPECT_EQ(widgets::DocumentUrl("http://example.com/update"), QUrl("http://example.com/update"));
  EXPECT_EQ(widgets::DocumentUrl("www.example.com"), QUrl("http://www.example.com"));
  EXPECT_EQ(widgets::DocumentUrl("/tmp\\DoubleRecords.txt"), QUrl::fromLocalFile("/tmp/DoubleRecords.txt"));
  EXPECT_EQ(widgets::DocumentUrl("a; rm -rf x").scheme(), QStringLiteral("file"));
  EXPECT_FALSE(widgets::DocumentUrl("").isValid());
}

}  // namespace
