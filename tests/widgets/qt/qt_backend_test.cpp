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

struct Counts : widgets::ControlEvents {
  int clicked = 0, changed = 0, entered = 0, selected = 0, shown = 0, mouse_in = 0, mouse_out = 0, asked = 0;
  bool allow_close = true;
  void OnClicked() override { ++clicked; }
  void OnTextChanged() override { ++changed; }
  void OnEnterPressed() override { ++entered; }
  void OnSelectionChanged() override { ++selected; }
  void OnMouseEnter() override { ++mouse_in; }
  void OnMouseLeave() override { ++mouse_out; }
  void OnShown() override { ++shown; }
  bool OnCloseRequest() override { return ++asked, allow_close; }
};

// Acts on the next modal window as soon as it is up (file dialog, message box).
void AnswerModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer(QCoreApplication::instance());  // goes at the latest with the application
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      act(modal);
    }
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

class QtBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = qt.Create(ControlKind::Form, widgets::kNoControl, &form_events);
    widgets::SetMainWindowControl(form);
    qt.SetGeometry(form, 20, 105, 621, 440);
  }
  void TearDown() override { widgets::SetMainWindowControl(widgets::kNoControl); }

  ControlId Make(ControlKind kind, Counts* events = nullptr, int left = 10, int top = 10, int width = 200,
                 int height = 100) {
    const ControlId id = qt.Create(kind, form, events);
    qt.SetGeometry(id, left, top, width, height);
    return id;
  }
  template <class W>
  W* Native(ControlId id) { return dynamic_cast<W*>(WidgetOf(id)); }
  Ints Geometry(ControlId id) {
    int l, t, w, h;
    qt.GetGeometry(id, l, t, w, h);
    return {l, t, w, h};
  }

  widgets::QtBackend qt;
  Counts form_events;
  ControlId form = widgets::kNoControl;
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
      qt.SetText(id, "Load from:");
      EXPECT_EQ(qt.GetText(id), "Load from:");
    }
    qt.SetEnabled(id, false);
    EXPECT_FALSE(WidgetOf(id)->isEnabled());
    EXPECT_TRUE(qt.IsVisible(id));
    qt.SetVisible(id, false);
    EXPECT_FALSE(qt.IsVisible(id));
  }
  EXPECT_EQ(qt.Create(ControlKind::Button, widgets::kNoControl, nullptr), widgets::kNoControl);
}

TEST_F(QtBackendTest, CaptionsTooWideForTheStandInFontAreCondensedToFitAndShortOnesKeepTheFont) {
  const ControlId wide = Make(ControlKind::CheckBox, nullptr, 10, 10, 110, 20);
  const ControlId roomy = Make(ControlKind::CheckBox, nullptr, 10, 40, 300, 20);
  for (ControlId id : {wide, roomy}) {
    qt.SetFont(id, TFontRec{"MS Sans Serif", 8, 0, 0});
    qt.SetText(id, "Save Position and much more");
  }
  EXPECT_LE(WidgetOf(wide)->sizeHint().width(), 110 + 4) << "within rounding of the condensed font";
  EXPECT_LT(WidgetOf(wide)->font().stretch(), WidgetOf(roomy)->font().stretch());
  qt.SetText(wide, "Misc");
  EXPECT_EQ(WidgetOf(wide)->font().stretch(), WidgetOf(roomy)->font().stretch()) << "a short caption gets the font back";
}

TEST_F(QtBackendTest, FormIsSizedByItsFrameFixedWithoutSizingFrameAndTheLoopEndsWhenItAgreesToClose) {
  EXPECT_EQ(Geometry(form), (Ints{20, 105, 621, 440}));
  qt.SetText(form, "Veltrane v2.0");
  EXPECT_EQ(qt.GetText(form), "Veltrane v2.0");
  qt.SetStyle(form, qt.GetStyle(form) & ~(widgets::kStyleSizingFrame | widgets::kStyleMaximizeBox));
  qt.Show(form);
  qt.Show(form);
  Pump();
  QWidget* window = WidgetOf(form);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(Geometry(form)[2], 621);
  EXPECT_EQ(Geometry(form)[3], 440);
  EXPECT_EQ(form_events.shown, 1);

  form_events.allow_close = false;
  qt.RequestClose(form);
  EXPECT_TRUE(qt.IsVisible(form));
  form_events.allow_close = true;
  QTimer::singleShot(0, [this] { qt.RequestClose(form); });
  qt.RunMessageLoop();
  EXPECT_EQ(form_events.asked, 2);
  EXPECT_FALSE(qt.IsVisible(form));
  qt.RunMessageLoop();  // the main window is gone: returns at once
}

TEST_F(QtBackendTest, StatusBarSpansTheBottomWithLeadingTabsCentring) {
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  qt.SetText(bar, "\tVeltrane v2.0 (2.3.2).");
  EXPECT_EQ(qt.GetText(bar), "\tVeltrane v2.0 (2.3.2).");
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
  qt.SetZOrder(lower, true);
  EXPECT_EQ(window->childAt(50, 50), WidgetOf(lower));
  qt.SetZOrder(lower, false);
  EXPECT_EQ(window->childAt(50, 50), WidgetOf(upper));
}

TEST_F(QtBackendTest, StatusBarStaysAbovePagesBroughtToTheFrontOrCreatedAfterIt) {
  const ControlId bar = Make(ControlKind::StatusBar, nullptr, 0, 0, 0, 0);
  const ControlId early = Make(ControlKind::Panel, nullptr, 0, 0, 621, 440);
  QWidget* window = WidgetOf(form);
  const QPoint on_bar(300, window->height() - 5);
  for (ControlId page : {early, Make(ControlKind::Panel, nullptr, 0, 0, 621, 440)}) {
    qt.SetZOrder(page, true);
    QWidget* seen = window->childAt(on_bar);
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
    qt.SetPanelFrame(panel, c.inner, c.outer, c.width, c.border);
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
  qt.SetTabOrder(first, 1);
  qt.SetTabOrder(second, 2);
  qt.Show(form);
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
  qt.SetFont(label, TFontRec{"MS Sans Serif", 8, 1 | 2 | 4 | 8, 0x000000FF});
  const QFont font = native->font();
  EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
  EXPECT_EQ(font.pointSize(), 8);
  EXPECT_EQ(native->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_NE(native->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(255, 0, 0));
  qt.SetColor(label, 0x00FF8000);  // 0x00BBGGRR
  EXPECT_EQ(native->palette().color(QPalette::Window), QColor(0, 0x80, 0xFF));
  qt.SetColor(label, kColorButtonFace);
  EXPECT_EQ(native->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
  qt.SetCursor(label, 32649);
  EXPECT_EQ(native->cursor().shape(), Qt::PointingHandCursor);
  qt.SetCursor(label, 0);
  EXPECT_FALSE(native->testAttribute(Qt::WA_SetCursor));
  qt.SetTooltip(label, "<b>Click to Refresh</b>");
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
  EXPECT_TRUE(qt.GetChecked(check));
  Native<QAbstractButton>(check)->click();
  EXPECT_FALSE(qt.GetChecked(check));
  Native<QAbstractButton>(radio)->click();
  Native<QAbstractButton>(radio)->click();  // a radio button is never cleared by a click
  EXPECT_TRUE(qt.GetChecked(radio));
  qt.SetChecked(check, true);
  qt.SetChecked(radio, false);
  EXPECT_TRUE(qt.GetChecked(check));
  EXPECT_FALSE(qt.GetChecked(radio));
  EXPECT_EQ((Ints{button_events.clicked, check_events.clicked, radio_events.clicked}), (Ints{1, 2, 2}));
}

TEST_F(QtBackendTest, EditReportsEveryChangeOnceAndTheEnterKey) {
  Counts events;
  const ControlId edit = Make(ControlKind::Edit, &events);
  qt.SetText(edit, "x");
  qt.SetText(edit, "x");  // the same text still counts as set
  EXPECT_EQ(events.changed, 2);
  Key(Native<QLineEdit>(edit), Qt::Key_Y, QStringLiteral("y"));
  EXPECT_EQ(events.changed, 3);
  EXPECT_EQ(qt.GetText(edit), "xy");
  Key(Native<QLineEdit>(edit), Qt::Key_Return);
  EXPECT_EQ(events.entered, 1);
}

TEST_F(QtBackendTest, ListBoxReportsTheUsersSelectionOnly) {
  Counts events;
  const ControlId list = Make(ControlKind::ListBox, &events);
  qt.SetItems(list, {"a", "b", "c", "d"});
  qt.Show(form);
  auto* view = Native<QListView>(list);
  auto press_row = [view](int row) { Press(view->viewport(), view->visualRect(view->model()->index(row, 0)).center()); };
  press_row(2);
  EXPECT_EQ(qt.GetSelection(list), 2);
  EXPECT_EQ(events.selected, 1);
  press_row(2);  // the row already selected: still reported, as a list box does
  EXPECT_EQ(events.selected, 2);

  qt.SetSelection(list, 1);
  Pump();
  EXPECT_EQ(view->selectionModel()->selectedRows().value(0).row(), 1);
  EXPECT_EQ(events.selected, 2);
  press_row(1);  // selected by the program, clicked by the user
  EXPECT_EQ(events.selected, 3);
  EXPECT_EQ(qt.GetSelection(list), 1);
  qt.InsertItem(list, 0, "top");  // the selection stays on its item
  EXPECT_EQ(qt.GetSelection(list), 2);
  qt.DeleteItem(list, 2);  // deleting the selected item leaves none
  Pump();
  EXPECT_EQ(qt.GetSelection(list), -1);
  EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());
  EXPECT_EQ(events.selected, 3);
  EXPECT_EQ(qt.GetItems(list), (std::vector<std::string>{"top", "a", "c", "d"}));
}

TEST_F(QtBackendTest, ComboStartsUnselectedAndReportsUserPicks) {
  Counts events;
  const ControlId combo = Make(ControlKind::ComboBox, &events, 10, 10, 180, 21);
  for (const char* item : {"-Select-", "Advertisement", "Misc"}) qt.InsertItem(combo, -1, item);
  EXPECT_EQ(qt.GetSelection(combo), -1);
  EXPECT_EQ(qt.GetText(combo), "");
  auto* native = Native<QComboBox>(combo);
  native->setCurrentIndex(2);
  emit native->activated(2);  // what the drop-down does when the user picks
  EXPECT_EQ(events.selected, 1);
  EXPECT_EQ(qt.GetText(combo), "Misc");
  qt.SetSelection(combo, 1);
  qt.DeleteItem(combo, 1);
  EXPECT_EQ(qt.GetSelection(combo), -1);
  EXPECT_EQ(events.selected, 1);
}

TEST_F(QtBackendTest, TabStripReportsTheUsersTabOnly) {
  Counts events;
  const ControlId tabs = Make(ControlKind::TabStrip, &events, 0, 0, 287, 23);
  qt.SetItems(tabs, {"Load / Edit URL", "Export URL", "Setting"});
  EXPECT_EQ(qt.GetSelection(tabs), 0);
  qt.SetSelection(tabs, 2);
  EXPECT_EQ(events.selected, 0);
  Native<QTabBar>(tabs)->setCurrentIndex(1);
  EXPECT_EQ(events.selected, 1);
  EXPECT_EQ(qt.GetSelection(tabs), 1);
  EXPECT_EQ(qt.GetItem(tabs, 0), "Load / Edit URL");
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
    qt.SetText(edit, text);
    qt.SetText(label, text);
    qt.InsertItem(list, 0, text);
    qt.InsertItem(combo, 0, text);
    EXPECT_EQ((std::vector<std::string>{qt.GetText(edit), qt.GetText(label), qt.GetItem(list, 0), qt.GetItem(combo, 0)}),
              std::vector<std::string>(4, text));
  }
  EXPECT_EQ(Native<QLineEdit>(edit)->text(), QString::fromUtf8("C:\\Program Files\\Вель\\Lists\\Misc.txt"));
  QGuiApplication::clipboard()->setText(QString::fromUtf8("Привет ☺"));
  EXPECT_EQ(qt.ClipboardText(), "\xCF\xF0\xE8\xE2\xE5\xF2 ?");
}

// ---- dialogs and the shell ----

TEST_F(QtBackendTest, MessageBoxReturnsTheCodeOfTheButtonPressed) {
  struct Case { int type; QMessageBox::StandardButton press; int code; };
  for (const Case& c : {Case{2, QMessageBox::Yes, 6}, Case{2, QMessageBox::No, 7}, Case{0, QMessageBox::Ok, 1},
                        Case{5, QMessageBox::Ignore, 5}, Case{4, QMessageBox::Retry, 4}}) {
    AnswerModal([c](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      box->button(c.press)->click();
    });
    EXPECT_EQ(qt.ShowMessageBox(form, "Default Setting?", "", c.type, 2), c.code);
  }
}

TEST_F(QtBackendTest, MessageBoxClosedWithEscOrItsCloseButtonGivesCancelForEveryButtonSet) {
  for (int type = 0; type <= 5; ++type) {
    AnswerModal([](QWidget* modal) { Key(modal, Qt::Key_Escape); });
    EXPECT_EQ(qt.ShowMessageBox(form, "This is not BanList!", "Error!", type, 3), 2) << "Esc, type " << type;
    AnswerModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(qt.ShowMessageBox(form, "This is not BanList!", "Error!", type, 3), 2) << "closed, type " << type;
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
  const auto answer = qt.RunFileDialog(open);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->path, file);
  EXPECT_EQ(answer->filter_index, 0);
  EXPECT_EQ(filters, (QStringList{QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*)")}));
  EXPECT_TRUE(filters.value(0).startsWith(selected_filter));  // shown without its patterns
  EXPECT_EQ(title, QStringLiteral("Open Text File"));

  AnswerModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(qt.RunFileDialog({true, "", "", dir.path, ""}), std::nullopt);
}

TEST_F(QtBackendTest, OpenDialogElementPresetsTheFileAndTheFilterChosenLastTime) {
  const TempDir dir;
  const std::string file = dir / "hosts";
  platform::WriteFileAtomic(file, "x");
  widgets::SetCurrentBackend(&qt);
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
