// The Qt backend (offscreen): the contract of every window system, with a user who presses,
// types and answers the modal windows of the real widgets; then what only Qt shows: stand-in
// fonts, window flags, pixels, palettes, the display of UTF-8 and Windows-1251 texts, and its
// dialogs' own ways.
#include "widgets/backend_contract.h"

#include <QtWidgets>
#include <functional>
#include <memory>

#include "widgets/qt/qt_backend.h"

using widgets::ControlId;
using widgets::ControlKind;
using widgets::WidgetOf;

namespace qtuser {

inline void Pump() { QCoreApplication::processEvents(); }

inline void Press(QWidget* target, QPoint at) {
  QMouseEvent event(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

inline void Key(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &event);
}

// Acts on the next modal window as soon as it is up (file dialog, message box), and again
// while that same window stays up: a file dialog may refuse its first accept while it still
// lists its folder.
inline void AnswerModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(QCoreApplication::instance());  // goes at the latest with the application
  auto target = std::make_shared<QPointer<QWidget>>();
  auto acted = std::make_shared<bool>(false);
  QObject::connect(timer, &QTimer::timeout, [timer, act, target, acted] {
    if (*acted && (target->isNull() || !(*target)->isVisible())) {
      timer->stop();
      timer->deleteLater();
      return;
    }
    if (!*acted) *target = QApplication::activeModalWidget();
    if (target->isNull()) return;
    *acted = true;
    act(target->data());
  });
  timer->start(10);
}

}  // namespace qtuser

namespace contract {

template <class W>
W* Native(ControlId id) {
  return dynamic_cast<W*>(WidgetOf(id));
}

// The user of this window system, as the contract needs one.
struct QtUser {
  using Backend = widgets::QtBackend;
  static constexpr bool kControlsNeedAWindow = true;

  explicit QtUser(Backend& backend) : ui(backend) {}

  Backend& ui;
  TempDir dir;
  std::shared_ptr<FileDialogSeen> seen = std::make_shared<FileDialogSeen>();

  void Click(ControlId id) {
    if (auto* button = Native<QAbstractButton>(id)) {
      button->click();
    } else {
      qtuser::Press(WidgetOf(id), {5, 5});
    }
  }
  void ClickRow(ControlId list, int row) {
    qtuser::Pump();
    auto* view = Native<QListView>(list);
    qtuser::Press(view->viewport(), view->visualRect(view->model()->index(row, 0)).center());
  }
  void PickItem(ControlId combo, int index) {
    auto* native = Native<QComboBox>(combo);
    native->setCurrentIndex(index);
    emit native->activated(index);  // what the drop-down does when the user picks
  }
  void ClickTab(ControlId tabs, int index) {
    auto* bar = Native<QTabBar>(tabs);
    qtuser::Press(bar, bar->tabRect(index).center());
  }
  void TypeAtEnd(ControlId edit, char c) {
    auto* line = Native<QLineEdit>(edit);
    line->end(false);
    qtuser::Key(line, Qt::Key_A + (QChar(c).toUpper().unicode() - 'A'), QString(QChar(c)));
  }
  void PressEnter(ControlId edit) { qtuser::Key(WidgetOf(edit), Qt::Key_Return); }
  void PressWhileWorking(ControlId button) {
    QWidget* target = WidgetOf(button);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
      QCoreApplication::postEvent(target, new QMouseEvent(type, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                                                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  }
  bool Enabled(ControlId id) { return WidgetOf(id)->isEnabled(); }
  int ShownRow(ControlId list) {
    if (auto* combo = Native<QComboBox>(list)) return combo->currentIndex();
    qtuser::Pump();
    QItemSelectionModel* rows = Native<QListView>(list)->selectionModel();
    if (rows->selectedRows().isEmpty()) return rows->currentIndex().isValid() ? -2 : -1;
    return rows->selectedRows().first().row();
  }
  bool OnTopAt(ControlId parent, int x, int y, ControlId id) {
    QWidget* seen_there = WidgetOf(parent)->childAt(x, y);
    return seen_there && (seen_there == WidgetOf(id) || WidgetOf(id)->isAncestorOf(seen_there));
  }
  bool TabMoves(ControlId from, bool backwards, ControlId to) {
    qtuser::Pump();
    QWidget* widget = WidgetOf(from);
    widget->setFocus();
    qtuser::Key(widget, backwards ? Qt::Key_Backtab : Qt::Key_Tab);
    return widget->window()->focusWidget() == WidgetOf(to);
  }
  std::string FileToOpen(const std::string& name) {
    platform::WriteFileAtomic(dir / name, "x");
    return dir / name;
  }
  void AnswerMessage(Reply reply) {
    qtuser::AnswerModal([reply](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      switch (reply.way) {
        case Reply::Way::Press:  // the button the user sees named so
          for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove(QLatin1Char('&')) == QLatin1String(widgets::AnswerName(reply.button))) {
              return button->click();
            }
          }
          ADD_FAILURE() << "no button " << widgets::AnswerName(reply.button);
          modal->close();
          break;
        case Reply::Way::Escape: qtuser::Key(modal, Qt::Key_Escape); break;
        case Reply::Way::CloseButton: modal->close(); break;
      }
    });
  }
  void AnswerFileDialog(const FileChoice& choice) {
    auto first = std::make_shared<bool>(true);
    qtuser::AnswerModal([choice, first, seen = seen](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      if (*first) {  // what it opened with, not what a retried accept left
        *first = false;
        const QStringList filters = dialog->nameFilters();
        const QString in_use = dialog->selectedNameFilter();
        int filter = -1;
        for (int i = 0; i < filters.size() && filter < 0; ++i) {
          if (filters[i] == in_use || filters[i].startsWith(in_use + QLatin1String(" ("))) filter = i;
        }
        *seen = {dialog->windowTitle().toStdString(), filter,
                 QFileInfo(dialog->selectedFiles().value(0)).fileName().toStdString()};
        if (choice.filter >= 0) dialog->selectNameFilter(filters.value(choice.filter));
        if (choice.path) dialog->selectFile(QString::fromStdString(*choice.path));
      }
      if (choice.path) {
        static_cast<QDialog*>(dialog)->accept();  // as the "Open" button does
      } else {
        dialog->reject();
      }
    });
  }
  FileDialogSeen LastFileDialog() { return *seen; }
  void CloseDuringLoop(ControlId form) {
    QTimer::singleShot(0, [this, form] { ui.RequestClose(form); });
  }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, BackendContract, QtUser);

}  // namespace contract

namespace {

using contract::Ints;
using contract::k1251Name;
using contract::kUtf8Cafe;
using contract::kUtf8Name;
using contract::Native;
using QtBackend = NativeFormTest<widgets::QtBackend>;

// ---- the window and its controls ----

TEST_F(QtBackend, captions_too_wide_for_the_stand_in_font_are_condensed_to_fit_and_short_ones_keep_the_font) {
  struct Case {
    ControlKind kind;
    int width;
    const char* caption;
    bool condensed;
  } cases[] = {
      {ControlKind::CheckBox, 125, "Save Position and more", true},
      {ControlKind::CheckBox, 300, "Save Position and more", false},
      // A push button's caption needs its text's room, not the least width the style gives
      // a button (80 pixels), or the small buttons would be squeezed for nothing.
      {ControlKind::Button, 55, "All >>>", false},
      {ControlKind::Button, 55, ">>>", false},
      {ControlKind::Button, 60, "Find", false},
      {ControlKind::Button, 70, "Load from:", false},
      {ControlKind::Button, 90, "Kerio Winroute Firewall", true},  // at the narrowest, and cut
  };
  const ControlId plain = Make(ControlKind::Label, nullptr, 10, 10, 300, 20);
  ui.SetFont(plain, TFontRec{"MS Sans Serif", 8, 0, 0});
  const int normal = WidgetOf(plain)->font().stretch();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    const ControlId id = Make(c.kind, nullptr, 10, 40, c.width, 20);
    ui.SetFont(id, TFontRec{"MS Sans Serif", 8, 0, 0});
    ui.SetText(id, c.caption);
    const int stretch = WidgetOf(id)->font().stretch();
    EXPECT_EQ(stretch < normal, c.condensed) << stretch;
    EXPECT_GE(stretch, normal * 3 / 4) << "narrower, and letters run into each other";
    if (c.kind == ControlKind::CheckBox && c.condensed) {
      EXPECT_LE(WidgetOf(id)->sizeHint().width(), c.width + 4) << "within rounding of the condensed font";
      ui.SetText(id, "Misc");
      EXPECT_EQ(WidgetOf(id)->font().stretch(), normal) << "a short caption gets the font back";
    }
  }
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
}

TEST_F(QtBackend, panels_draw_the_bevels_of_a_page_or_none) {
  using widgets::Bevel;
  const QPalette palette = QApplication::palette();
  const QRgb light = palette.color(QPalette::Light).rgb(), dark = palette.color(QPalette::Dark).rgb();
  const QRgb face = palette.color(QPalette::Window).rgb();
  const ControlId page = Make(ControlKind::Panel, nullptr, 0, 0, 100, 60);
  const ControlId plain = Make(ControlKind::Panel, nullptr, 0, 0, 100, 60);
  ui.SetPanelFrame(page, {Bevel::Raised, Bevel::Lowered, 1, 1});
  ui.SetPanelFrame(plain, {Bevel::None, Bevel::None, 1, 1});
  // A lowered outer bevel, a pixel of border, a raised inner bevel; and nothing drawn.
  const QImage shown = WidgetOf(page)->grab().toImage(), bare = WidgetOf(plain)->grab().toImage();
  EXPECT_EQ((std::vector<QRgb>{shown.pixel(0, 0), shown.pixel(99, 59), shown.pixel(1, 1), shown.pixel(2, 2),
                               shown.pixel(97, 57), shown.pixel(3, 3)}),
            (std::vector<QRgb>{dark, light, face, light, dark, face}));
  EXPECT_EQ((std::vector<QRgb>{bare.pixel(0, 0), bare.pixel(2, 2), bare.pixel(99, 59)}), (std::vector<QRgb>(3, face)));
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

TEST_F(QtBackend, a_label_takes_its_look_and_reports_the_mouse_crossing_it) {
  Counts events;
  const ControlId label = Make(ControlKind::Label, &events);
  QWidget* native = WidgetOf(label);
  ui.SetFont(label, TFontRec{"MS Sans Serif", 8, 1 | 2 | 4 | 8, 0x000000FF});
  const QFont font = native->font();
  EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
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

  QEnterEvent enter(QPointF(5, 5), native->mapToGlobal(QPointF(5, 5)), native->mapToGlobal(QPointF(5, 5)));
  QCoreApplication::sendEvent(native, &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(native, &leave);
  EXPECT_EQ((Ints{events.mouse_in, events.mouse_out}), (Ints{1, 1}));
}

// ---- text bytes ----

TEST_F(QtBackend, texts_in_utf8_show_as_utf8_and_texts_in_windows_1251_as_windows_1251) {
  const ControlId edit = Make(ControlKind::Edit), button = Make(ControlKind::Button), list = Make(ControlKind::ListBox);
  const ControlId combo = Make(ControlKind::ComboBox), tabs = Make(ControlKind::TabStrip);
  // Rows show the first 4096 bytes: the cut falls inside a UTF-8 letter, or behind a 1251 one.
  const std::string long_utf8 = std::string(4095, 'a') + kUtf8Name, long_1251 = std::string(4095, 'a') + k1251Name;
  ui.SetItems(list, {kUtf8Name, k1251Name, long_utf8, long_1251});
  ui.SetItems(combo, {k1251Name});
  ui.SetItems(tabs, {kUtf8Cafe});
  ui.SetText(edit, kUtf8Cafe);
  ui.SetText(button, k1251Name);
  const QString cafe = QString::fromUtf8("café.fr"), name = QString::fromUtf8("пример.рф");
  QAbstractItemModel* rows = Native<QListView>(list)->model();
  EXPECT_EQ(rows->data(rows->index(0, 0)).toString(), name);
  EXPECT_EQ(rows->data(rows->index(1, 0)).toString(), name);
  EXPECT_EQ(rows->data(rows->index(2, 0)).toString(), QString(4095, QLatin1Char('a')));
  EXPECT_EQ(rows->data(rows->index(3, 0)).toString(), QString(4095, QLatin1Char('a')) + name.left(1));
  EXPECT_EQ(Native<QComboBox>(combo)->itemText(0), name);
  EXPECT_EQ(Native<QTabBar>(tabs)->tabText(0), cafe);
  EXPECT_EQ(Native<QLineEdit>(edit)->text(), cafe);
  EXPECT_EQ(Native<QAbstractButton>(button)->text(), name);
}

TEST_F(QtBackend, typed_text_is_windows_1251_when_it_fits_and_utf8_otherwise_and_an_edited_utf8_text_stays_utf8) {
  const ControlId edit = Make(ControlKind::Edit);
  auto* line = Native<QLineEdit>(edit);
  struct Case {
    std::string set;
    QString typed;
    std::string got;
  };
  for (const Case& c :
       {Case{"", QString::fromUtf8("пример.рф"), k1251Name}, Case{"", QString::fromUtf8("café.fr"), kUtf8Cafe},
        Case{kUtf8Name, QString::fromUtf8("пример.рфx"), kUtf8Name + "x"}}) {
    ui.SetText(edit, c.set);
    line->setText(c.typed);  // as the user leaves it
    EXPECT_EQ(ui.GetText(edit), c.got) << c.typed.toStdString();
  }
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Привет ☺"));
  EXPECT_EQ(ui.ClipboardText(), "Привет ☺") << "in UTF-8, not Windows-1251 with a question mark";
}

// ---- dialogs and the shell ----

// Qt would press No, Abort or a lone OK on Esc; the program hears Cancel from every box.
TEST_F(QtBackend, esc_and_the_close_button_give_cancel_also_on_a_box_without_a_cancel_button) {
  using widgets::MessageButtons;
  for (MessageButtons buttons : {MessageButtons::Ok, MessageButtons::YesNo, MessageButtons::AbortRetryIgnore}) {
    for (void (*dismiss)(QWidget*) :
         {+[](QWidget* box) { qtuser::Key(box, Qt::Key_Escape); }, +[](QWidget* box) { box->close(); }}) {
      qtuser::AnswerModal(dismiss);
      EXPECT_EQ(ui.ShowMessageBox(form, "This is not BanList!", "Error!", buttons, widgets::MessageIcon::Warning),
                widgets::MessageAnswer::Cancel)
          << "buttons " << int(buttons);
    }
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
