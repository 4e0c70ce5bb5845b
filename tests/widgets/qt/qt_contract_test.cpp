// The contract of every window system, on Qt (offscreen): the user acts on the real widgets.
#include "widgets/backend_contract.h"

#include <QtWidgets>
#include <functional>
#include <memory>

#include "widgets/qt/qt_backend.h"
#include "widgets/qt/qt_user.h"

namespace contract {

using widgets::WidgetOf;

// The user of this window system, as the contract needs one.
struct QtUser {
  using Backend = widgets::QtBackend;
  static constexpr bool kControlsNeedAWindow = true;

  explicit QtUser(Backend& backend) : ui(backend) {}

  Backend& ui;
  TempDir dir;
  std::shared_ptr<FileDialogSeen> seen = std::make_shared<FileDialogSeen>();

  template <class W>
  static W* Native(ControlId id) { return dynamic_cast<W*>(WidgetOf(id)); }

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
  bool Enabled(ControlId id) { return WidgetOf(id)->isEnabled(); }
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
