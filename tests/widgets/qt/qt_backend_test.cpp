// The Qt backend driven as the elements drive it, with the user played on the real widgets.
#include "widgets/qt/qt_backend.h"

#include <QtWidgets>
#include <functional>

#include "runtime/platform/files.h"
#include "widgets/open_dialog.h"
#include "widgets/widget_fixture.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;
using widgets::WidgetOf;
using Ints = std::vector<int>;

// Acts on the next modal window as soon as it is up (file dialog, message box), and again
// while that same window stays up: a file dialog may refuse its first accept while it still
// lists its folder.
void AnswerModal(std::function<void(QWidget*)> act) {
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

void Pump() { QCoreApplication::processEvents(); }

void Press(QWidget* target, QPoint at) {
  QMouseEvent event(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

void Key(QWidget* target, int key, const QString& text = {}) {
  QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(target, &event);
}

class QtBackendTest : public NativeFormTest<widgets::QtBackend> {
 protected:
  template <class W>
  W* Native(ControlId id) { return dynamic_cast<W*>(WidgetOf(id)); }
};

// ---- controls, the window and their state ----

TEST_F(QtBackendTest, EveryControlKindKeepsGeometryTextStateAndVisibility) {
  for (ControlKind kind : {ControlKind::Panel, ControlKind::TabStrip, ControlKind::Button, ControlKind::Edit,
                           ControlKind::Label, ControlKind::CheckBox, ControlKind::RadioButton,
                           ControlKind::ListBox, ControlKind::ComboBox}) {
    const ControlId id = Make(kind, nullptr, 12, 34, 150, 60);
    ASSERT_NE(id, widgets::kNoControl);
    EXPECT_EQ(Geometry(id), (Ints{12, 34, 150, 60}));
    if (kind != ControlKind::TabStrip && kind != ControlKind::ListBox && kind != ControlKind::ComboBox) {
      ui.SetText(id, "Load from:");
      EXPECT_EQ(ui.GetText(id), "Load from:");
    }
    ui.SetEnabled(id, false);
    EXPECT_FALSE(WidgetOf(id)->isEnabled());
    EXPECT_TRUE(ui.IsVisible(id));
    ui.SetVisible(id, false);
    EXPECT_FALSE(ui.IsVisible(id));
  }
  EXPECT_EQ(ui.Create(ControlKind::Button, widgets::kNoControl, nullptr), widgets::kNoControl);
}

TEST_F(QtBackendTest, CaptionsTooWideForTheStandInFontAreCondensedToFitAndShortOnesKeepTheFont) {
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

TEST_F(QtBackendTest, FormIsSizedByItsFrameFixedWithoutSizingFrameAndTheLoopEndsWhenItAgreesToClose) {
  EXPECT_EQ(Geometry(form), (Ints{20, 105, 621, 440}));
  ui.SetText(form, "Veltrane v2.0");
  EXPECT_EQ(ui.GetText(form), "Veltrane v2.0");
  ui.SetStyle(form, ui.GetStyle(form) & ~(widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox));
  ui.Show(form);
  ui.Show(form);
  Pump();
  QWidget* window = WidgetOf(form);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(Geometry(form)[2], 621);
  EXPECT_EQ(Geometry(form)[3], 440);
  EXPECT_EQ(form_events.shown, 1);

  form_events.allow_close = false;
  ui.RequestClose(form);
  EXPECT_TRUE(ui.IsVisible(form));
  form_events.allow_close = true;
  QTimer::singleShot(0, [this] { ui.RequestClose(form); });
  ui.RunMessageLoop();
  EXPECT_EQ(form_events.asked, 2);
  EXPECT_FALSE(ui.IsVisible(form));
  ui.RunMessageLoop();  // the main window is gone: returns at once
}

TEST_F(QtBackendTest, StatusBarSpansTheBottomWithLeadingTabsCentring) {
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  ui.SetText(bar, "\tVeltrane v2.0 (2.3.2).");
  EXPECT_EQ(ui.GetText(bar), "\tVeltrane v2.0 (2.3.2).");
  const Ints place = Geometry(bar);
  EXPECT_EQ(place[2], WidgetOf(form)->width());
  EXPECT_EQ(place[1] + place[3], WidgetOf(form)->height());
  auto* label = WidgetOf(bar)->findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Veltrane v2.0 (2.3.2)."));
  EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
}

TEST_F(QtBackendTest, ZOrderDecidesWhichOverlappingPanelIsOnTop) {
  const ControlId lower = Make(ControlKind::Panel, nullptr, 0, 20, 300, 200);
  const ControlId upper = Make(ControlKind::Panel, nullptr, 0, 20, 300, 200);
  QWidget* window = WidgetOf(form);
  EXPECT_EQ(window->childAt(50, 50), WidgetOf(upper));
  ui.SetZOrder(lower, true);
  EXPECT_EQ(window->childAt(50, 50), WidgetOf(lower));
  ui.SetZOrder(lower, false);
  EXPECT_EQ(window->childAt(50, 50), WidgetOf(upper));
}

// The pages are laid out for the window's whole client area; a window too short for them
// and its status bar grows, so that the bar covers none of their controls, and the bar
// stays above pages brought to the front or made after it.
TEST_F(QtBackendTest, StatusBarGetsRoomBelowThePagesAndStaysAboveThem) {
  ui.SetGeometry(form, 20, 105, 621, 420);
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  const ControlId early = Make(ControlKind::Panel, nullptr, 0, 20, 616, 390);
  QWidget* window = WidgetOf(form);
  for (ControlId page : {early, Make(ControlKind::Panel, nullptr, 0, 20, 616, 390)}) {
    ui.SetZOrder(page, true);
    EXPECT_GE(WidgetOf(bar)->geometry().top(), 20 + 390);
    QWidget* seen = window->childAt(300, window->height() - 3);
    EXPECT_TRUE(seen == WidgetOf(bar) || WidgetOf(bar)->isAncestorOf(seen));
    EXPECT_EQ(window->childAt(300, 100), WidgetOf(page));
  }
}

TEST_F(QtBackendTest, PanelsDrawTheirBevelsLoweredRaisedOrNone) {
  const QPalette palette = QApplication::palette();
  const QColor light = palette.color(QPalette::Light), dark = palette.color(QPalette::Dark);
  const QColor face = palette.color(QPalette::Window);
  struct Case { int inner, outer, width, border; std::vector<std::pair<QPoint, QColor>> pixels; };
  const QPoint far(99, 59);  // the bottom right corner of a 100 x 60 panel
  const std::vector<Case> cases = {
      // The pages: a lowered outer bevel, a pixel of border, a raised inner bevel.
      {2, 1, 1, 1, {{{0, 0}, dark}, {far, light}, {{1, 1}, face}, {{2, 2}, light}, {far - QPoint(2, 2), dark}, {{3, 3}, face}}},
      // The settings panels: no bevels, nothing drawn.
      {0, 0, 1, 1, {{{0, 0}, face}, {{2, 2}, face}, {far, face}}},
      // A raised bevel two pixels wide.
      {0, 2, 2, 0, {{{0, 0}, light}, {{1, 1}, light}, {far - QPoint(1, 1), dark}, {{2, 2}, face}}},
  };
  for (const Case& c : cases) {
    const ControlId panel = Make(ControlKind::Panel, nullptr, 0, 0, 100, 60);
    ui.SetPanelFrame(panel, c.inner, c.outer, c.width, c.border);
    const QImage image = WidgetOf(panel)->grab().toImage();
    for (const auto& [at, color] : c.pixels) {
      EXPECT_EQ(image.pixel(at), color.rgb()) << "bevels " << c.inner << "/" << c.outer << " at " << at.x() << "," << at.y();
    }
  }
}

// ---- what the user does ----

TEST_F(QtBackendTest, TabAndShiftTabVisitOnlyControlsWithATabPlace) {
  const ControlId first = Make(ControlKind::Button), unplaced_edit = Make(ControlKind::Edit);
  const ControlId second = Make(ControlKind::CheckBox), unplaced_list = Make(ControlKind::ListBox);
  Make(ControlKind::TabStrip);
  ui.SetTabOrder(first, 1);
  ui.SetTabOrder(second, 2);
  ui.Show(form);
  Pump();
  QWidget* window = WidgetOf(form);
  WidgetOf(first)->setFocus();
  for (auto [key, from, to] : {std::tuple{Qt::Key_Tab, first, second}, {Qt::Key_Tab, second, first},
                               {Qt::Key_Backtab, first, second}, {Qt::Key_Backtab, second, first}}) {
    WidgetOf(from)->setFocus();
    Key(WidgetOf(from), key);
    EXPECT_EQ(window->focusWidget(), WidgetOf(to)) << "from control " << from;
  }
  for (ControlId unplaced : {unplaced_edit, unplaced_list}) {
    EXPECT_TRUE(WidgetOf(unplaced)->focusPolicy() & Qt::ClickFocus);  // a click still focuses it
  }
}

TEST_F(QtBackendTest, LabelTakesItsLookAndReportsPressAndMouseCrossing) {
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
  ui.SetCursor(label, 32649);
  EXPECT_EQ(native->cursor().shape(), Qt::PointingHandCursor);
  ui.SetCursor(label, 0);
  EXPECT_FALSE(native->testAttribute(Qt::WA_SetCursor));
  ui.SetTooltip(label, "<b>Click to Refresh</b>");
  EXPECT_TRUE(native->toolTip().contains(QStringLiteral("&lt;b&gt;Click to Refresh")));

  Press(native, {5, 5});
  QEnterEvent enter(QPointF(5, 5), native->mapToGlobal(QPointF(5, 5)), native->mapToGlobal(QPointF(5, 5)));
  QCoreApplication::sendEvent(native, &enter);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(native, &leave);
  EXPECT_EQ((Ints{events.clicked, events.mouse_in, events.mouse_out}), (Ints{1, 1, 1}));
}

TEST_F(QtBackendTest, ClicksReportAfterTheNativeStateChangedAndSetCheckedIsSilent) {
  Counts button_events, check_events, radio_events;
  const ControlId button = Make(ControlKind::Button, &button_events);
  const ControlId check = Make(ControlKind::CheckBox, &check_events);
  const ControlId radio = Make(ControlKind::RadioButton, &radio_events);
  Native<QAbstractButton>(button)->click();
  Native<QAbstractButton>(check)->click();
  EXPECT_TRUE(ui.GetChecked(check));
  Native<QAbstractButton>(check)->click();
  EXPECT_FALSE(ui.GetChecked(check));
  Native<QAbstractButton>(radio)->click();
  Native<QAbstractButton>(radio)->click();  // a radio button is never cleared by a click
  EXPECT_TRUE(ui.GetChecked(radio));
  ui.SetChecked(check, true);
  ui.SetChecked(radio, false);
  EXPECT_TRUE(ui.GetChecked(check));
  EXPECT_FALSE(ui.GetChecked(radio));
  EXPECT_EQ((Ints{button_events.clicked, check_events.clicked, radio_events.clicked}), (Ints{1, 2, 2}));
}

TEST_F(QtBackendTest, EditReportsEveryChangeOnceAndTheEnterKey) {
  Counts events;
  const ControlId edit = Make(ControlKind::Edit, &events);
  ui.SetText(edit, "x");
  ui.SetText(edit, "x");  // the same text still counts as set
  EXPECT_EQ(events.changed, 2);
  Key(Native<QLineEdit>(edit), Qt::Key_Y, QStringLiteral("y"));
  EXPECT_EQ(events.changed, 3);
  EXPECT_EQ(ui.GetText(edit), "xy");
  Key(Native<QLineEdit>(edit), Qt::Key_Return);
  EXPECT_EQ(events.entered, 1);
}

TEST_F(QtBackendTest, ListBoxReportsTheUsersSelectionOnly) {
  Counts events;
  const ControlId list = Make(ControlKind::ListBox, &events);
  ui.SetItems(list, {"a", "b", "c", "d"});
  ui.Show(form);
  auto* view = Native<QListView>(list);
  auto press_row = [view](int row) { Press(view->viewport(), view->visualRect(view->model()->index(row, 0)).center()); };
  press_row(2);
  EXPECT_EQ(ui.GetSelection(list), 2);
  EXPECT_EQ(events.selected, 1);
  press_row(2);  // the row already selected: still reported, as a list box does
  EXPECT_EQ(events.selected, 2);

  ui.SetSelection(list, 1);
  Pump();
  EXPECT_EQ(view->selectionModel()->selectedRows().value(0).row(), 1);
  EXPECT_EQ(events.selected, 2);
  press_row(1);  // selected by the program, clicked by the user
  EXPECT_EQ(events.selected, 3);
  EXPECT_EQ(ui.GetSelection(list), 1);
  ui.InsertItem(list, 0, "top");  // the selection stays on its item
  EXPECT_EQ(ui.GetSelection(list), 2);
  ui.DeleteItem(list, 2);  // deleting the selected item leaves none
  Pump();
  EXPECT_EQ(ui.GetSelection(list), -1);
  EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());
  EXPECT_EQ(events.selected, 3);
  EXPECT_EQ(ui.GetItems(list), (std::vector<std::string>{"top", "a", "c", "d"}));
}

TEST_F(QtBackendTest, ComboStartsUnselectedAndReportsUserPicks) {
  Counts events;
  const ControlId combo = Make(ControlKind::ComboBox, &events, 10, 10, 180, 21);
  for (const char* item : {"-Select-", "Advertisement", "Misc"}) ui.InsertItem(combo, -1, item);
  EXPECT_EQ(ui.GetSelection(combo), -1);
  EXPECT_EQ(ui.GetText(combo), "");
  auto* native = Native<QComboBox>(combo);
  native->setCurrentIndex(2);
  emit native->activated(2);  // what the drop-down does when the user picks
  EXPECT_EQ(events.selected, 1);
  EXPECT_EQ(ui.GetText(combo), "Misc");
  ui.SetSelection(combo, 1);
  ui.DeleteItem(combo, 1);
  EXPECT_EQ(ui.GetSelection(combo), -1);
  EXPECT_EQ(events.selected, 1);
}

TEST_F(QtBackendTest, TabStripReportsTheUsersTabOnly) {
  Counts events;
  const ControlId tabs = Make(ControlKind::TabStrip, &events, 0, 0, 287, 23);
  ui.SetItems(tabs, {"Load / Edit URL", "Export URL", "Setting"});
  EXPECT_EQ(ui.GetSelection(tabs), 0);
  ui.SetSelection(tabs, 2);
  EXPECT_EQ(events.selected, 0);
  Native<QTabBar>(tabs)->setCurrentIndex(1);
  EXPECT_EQ(events.selected, 1);
  EXPECT_EQ(ui.GetSelection(tabs), 1);
  EXPECT_EQ(ui.GetItem(tabs, 0), "Load / Edit URL");
}

// ---- text bytes ----

TEST_F(QtBackendTest, EveryByteButNulAndCrSurvivesEditsListsCombosAndLabels) {
  std::string bytes;
  for (int b = 1; b < 256; ++b) {
    if (b != '\r') bytes.push_back(static_cast<char>(b));
  }
  const std::string path = "C:\\Program Files\\\xC2\xE5\xEB\xFC\\Lists\\Misc.txt";
  const ControlId edit = Make(ControlKind::Edit), label = Make(ControlKind::Label);
  const ControlId list = Make(ControlKind::ListBox), combo = Make(ControlKind::ComboBox);
  for (const std::string& text : {bytes, path}) {
    ui.SetText(edit, text);
    ui.SetText(label, text);
    ui.InsertItem(list, 0, text);
    ui.InsertItem(combo, 0, text);
    EXPECT_EQ((std::vector<std::string>{ui.GetText(edit), ui.GetText(label), ui.GetItem(list, 0), ui.GetItem(combo, 0)}),
              std::vector<std::string>(4, text));
  }
  EXPECT_EQ(Native<QLineEdit>(edit)->text(), QString::fromUtf8("C:\\Program Files\\Вель\\Lists\\Misc.txt"));
}

// "пример.рф" and "café.fr" in UTF-8, and "пример.рф" in Windows-1251.
const std::string kUtf8Name = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84";
const std::string kUtf8Cafe = "caf\xC3\xA9.fr";
const std::string k1251Name = "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4";

TEST_F(QtBackendTest, TextsInUtf8ShowAsUtf8AndTextsInWindows1251AsWindows1251) {
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

TEST_F(QtBackendTest, TextsThatShowAlikeComeBackAsTheirOwnBytes) {
  const ControlId edit = Make(ControlKind::Edit), label = Make(ControlKind::Label), button = Make(ControlKind::Button);
  const ControlId list = Make(ControlKind::ListBox), combo = Make(ControlKind::ComboBox);
  const ControlId tabs = Make(ControlKind::TabStrip);
  for (const std::string& text : {kUtf8Name, k1251Name, kUtf8Cafe}) {
    ui.SetText(edit, text);
    ui.SetText(label, text);
    ui.SetText(button, text);
    ui.SetText(form, text);
    ui.InsertItem(list, 0, text);
    ui.InsertItem(combo, 0, text);
    ui.InsertItem(tabs, 0, text);
    ui.SetSelection(combo, 0);
    EXPECT_EQ((std::vector<std::string>{ui.GetText(edit), ui.GetText(label), ui.GetText(button), ui.GetText(form),
                                        ui.GetItem(list, 0), ui.GetItem(combo, 0), ui.GetText(combo), ui.GetItem(tabs, 0)}),
              std::vector<std::string>(8, text));
  }
  ui.SetItem(combo, 1, kUtf8Name);
  ui.SetItem(tabs, 1, k1251Name);
  EXPECT_EQ(ui.GetItems(combo), (std::vector<std::string>{kUtf8Cafe, kUtf8Name, kUtf8Name}));
  EXPECT_EQ(ui.GetItems(tabs), (std::vector<std::string>{kUtf8Cafe, k1251Name, kUtf8Name}));
}

TEST_F(QtBackendTest, TypedTextIsWindows1251WhenItFitsAndUtf8OtherwiseAndAnEditedUtf8TextStaysUtf8) {
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

TEST_F(QtBackendTest, MessageBoxReturnsTheCodeOfTheButtonPressedAndCancelForEscOrItsCloseButton) {
  struct Case { int type; QMessageBox::StandardButton press; int code; };
  for (const Case& c : {Case{2, QMessageBox::Yes, 6}, Case{2, QMessageBox::No, 7}, Case{0, QMessageBox::Ok, 1},
                        Case{5, QMessageBox::Ignore, 5}, Case{4, QMessageBox::Retry, 4}}) {
    AnswerModal([c](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      box->button(c.press)->click();
    });
    EXPECT_EQ(ui.ShowMessageBox(form, "Default Setting?", "", c.type, 2), c.code);
  }
  for (int type = 0; type <= 5; ++type) {  // every button set
    AnswerModal([](QWidget* modal) { Key(modal, Qt::Key_Escape); });
    EXPECT_EQ(ui.ShowMessageBox(form, "This is not BanList!", "Error!", type, 3), 2) << "Esc, type " << type;
    AnswerModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(ui.ShowMessageBox(form, "This is not BanList!", "Error!", type, 3), 2) << "closed, type " << type;
  }
}

TEST_F(QtBackendTest, FileDialogShowsFiltersAndPresetAndReturnsTheChosenFile) {
  const TempDir dir;
  const std::string file = dir / "banlist.txt";
  platform::WriteFileAtomic(file, "x");
  widgets::FileDialogRequest open{false, "Open Text File", "Text File|*.txt|All Files|*.*", "", file};
  QStringList filters;
  QString title, selected_filter;
  AnswerModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    selected_filter = dialog->selectedNameFilter();
    title = dialog->windowTitle();
    static_cast<QDialog*>(dialog)->accept();  // as the "Open" button does
  });
  const auto answer = ui.RunFileDialog(open);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->path, file);
  EXPECT_EQ(answer->filter_index, 0);
  EXPECT_EQ(filters, (QStringList{QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*)")}));
  EXPECT_TRUE(filters.value(0).startsWith(selected_filter));  // shown without its patterns
  EXPECT_EQ(title, QStringLiteral("Open Text File"));

  AnswerModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(ui.RunFileDialog({true, "", "", dir.path, ""}), std::nullopt);
}

TEST_F(QtBackendTest, OpenDialogElementPresetsTheFileAndTheFilterChosenLastTime) {
  const TempDir dir;
  const std::string file = dir / "hosts";
  platform::WriteFileAtomic(file, "x");
  widgets::SetCurrentBackend(&ui);
  TKXODialog dialog;
  dialog.Title = "Open Text File";
  dialog.Filter = "Text File|*.txt|All Files|*.*";
  Probe probe;
  dialog.onExecute = MakeLink<&Probe::doIt>(probe);
  QStringList presets;
  for (int run = 0; run < 2; ++run) {
    AnswerModal([&](QWidget* modal) {
      auto* shown = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(shown, nullptr);
      if (presets.size() < 2 * (run + 1))  // what it opened with, not what a retried accept left
        presets << shown->selectedNameFilter() << QFileInfo(shown->selectedFiles().value(0)).fileName();
      if (run == 0) {
        shown->selectNameFilter(shown->nameFilters().value(1));  // the user switches to "All Files"
        shown->selectFile(QString::fromStdString(file));
      }
      static_cast<QDialog*>(shown)->accept();
    });
    FireEvent(MakeLink<&TKXODialog::doExecute>(dialog));
  }
  widgets::SetCurrentBackend(nullptr);
  EXPECT_EQ(presets, (QStringList{QStringLiteral("Text File"), QString(), QStringLiteral("All Files"), QStringLiteral("hosts")}));
  ASSERT_EQ(probe.got.size(), 2u);
  EXPECT_EQ(AsText(probe.got[1]), file);
}

TEST(DocumentUrlTest, AddressesStayAddressesAndPathsBecomeFiles) {
  EXPECT_EQ(widgets::DocumentUrl("http://example.com/update"), QUrl("http://example.com/update"));
  EXPECT_EQ(widgets::DocumentUrl("www.example.com"), QUrl("http://www.example.com"));
  EXPECT_EQ(widgets::DocumentUrl("/tmp\\DoubleRecords.txt"), QUrl::fromLocalFile("/tmp/DoubleRecords.txt"));
  EXPECT_EQ(widgets::DocumentUrl("a; rm -rf x").scheme(), QStringLiteral("file"));
  EXPECT_FALSE(widgets::DocumentUrl("").isValid());
}

}  // namespace
