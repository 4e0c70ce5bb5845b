// The items of the Qt backend's list controls. A list box's rows live in its record and the
// view follows; a combo box and a tab strip hold their items, each with the program's bytes
// beside what it shows (two texts may show alike and still be other bytes).
#include "widgets/qt/qt_items.h"

#include <QComboBox>
#include <QTabBar>

#include "widgets/qt/cp1251.h"
#include "widgets/qt/qt_controls.h"

namespace widgets::qtimpl {

namespace {

constexpr int kBytesRole = Qt::UserRole;

QVariant Kept(const std::string& bytes) { return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())); }

std::string BytesOf(const QString& shown, const QVariant& kept) {
  const QByteArray set = kept.toByteArray();
  return BytesOfShown(shown, std::string_view(set.constData(), static_cast<size_t>(set.size())));
}

class ListRows final : public NativeItems {
 public:
  explicit ListRows(Control& list) : c_(list) {}
  int Count() const override { return c_.rows.Count(); }
  std::string At(int index) const override { return c_.rows.items[static_cast<size_t>(index)]; }
  std::vector<std::string> All() const override { return {c_.rows.items.begin(), c_.rows.items.end()}; }
  void Insert(int index, const std::string& text) override { c_.model->Insert(index, text); }
  void Remove(int index) override {
    // The view would move its current item to a neighbour and select that; a list box is
    // left without selection instead.
    QItemSelectionModel* selection = c_.list->selectionModel();
    if (selection->currentIndex().row() == index) selection->clearCurrentIndex();
    c_.model->Remove(index);
  }
  void Set(int index, const std::string& text) override { c_.model->Set(index, text); }
  void Assign(std::vector<std::string> texts) override { c_.model->Reset(std::move(texts)); }
  int Selection() const override { return c_.rows.selection; }
  void Select(int index) override {
    c_.rows.Select(index);
    if (c_.sync_pending) return;
    c_.sync_pending = true;
    QMetaObject::invokeMethod(
        c_.list, [this] { ShowSelection(); }, Qt::QueuedConnection);
  }

 private:
  void ShowSelection() {
    c_.sync_pending = false;
    QItemSelectionModel* selection = c_.list->selectionModel();
    QuietChange quiet(c_);
    if (c_.rows.selection < 0) {
      selection->clearSelection();
    } else {
      const QModelIndex item = c_.model->index(c_.rows.selection);
      selection->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
      c_.list->scrollTo(item);
    }
  }

  Control& c_;
};

class ComboItems final : public NativeItems {
 public:
  explicit ComboItems(QComboBox& combo) : combo_(combo) {}
  int Count() const override { return combo_.count(); }
  std::string At(int index) const override {
    return BytesOf(combo_.itemText(index), combo_.itemData(index, kBytesRole));
  }
  void Insert(int index, const std::string& text) override {
    const int selection = SelectionAfterInsert(combo_.currentIndex(), index);
    combo_.insertItem(index, DecodeText(text), Kept(text));
    combo_.setCurrentIndex(selection);  // a drop-down list does not pick its first item itself
  }
  void Remove(int index) override {
    const int selection = SelectionAfterRemove(combo_.currentIndex(), index);
    combo_.removeItem(index);
    combo_.setCurrentIndex(selection);
  }
  void Set(int index, const std::string& text) override {
    combo_.setItemText(index, DecodeText(text));
    combo_.setItemData(index, Kept(text), kBytesRole);
  }
  void Assign(std::vector<std::string> texts) override {
    combo_.clear();
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& text : texts) shown << DecodeText(text);
    combo_.addItems(shown);
    for (int i = 0; i < combo_.count(); ++i) combo_.setItemData(i, Kept(texts[static_cast<size_t>(i)]), kBytesRole);
    combo_.setCurrentIndex(-1);
  }
  int Selection() const override { return combo_.currentIndex(); }
  void Select(int index) override { combo_.setCurrentIndex(index); }

 private:
  QComboBox& combo_;
};

// A tab strip shows its first tab as soon as it has one, and always one after.
class TabItems final : public NativeItems {
 public:
  explicit TabItems(QTabBar& tabs) : tabs_(tabs) {}
  int Count() const override { return tabs_.count(); }
  std::string At(int index) const override { return BytesOf(tabs_.tabText(index), tabs_.tabData(index)); }
  void Insert(int index, const std::string& text) override {
    tabs_.insertTab(index, DecodeText(text));
    tabs_.setTabData(index, Kept(text));
  }
  void Remove(int index) override { tabs_.removeTab(index); }
  void Set(int index, const std::string& text) override {
    tabs_.setTabText(index, DecodeText(text));
    tabs_.setTabData(index, Kept(text));
  }
  void Assign(std::vector<std::string> texts) override {
    while (tabs_.count() > 0) tabs_.removeTab(tabs_.count() - 1);
    for (const auto& text : texts) tabs_.setTabData(tabs_.addTab(DecodeText(text)), Kept(text));
  }
  int Selection() const override { return tabs_.currentIndex(); }
  void Select(int index) override {
    if (index >= 0) tabs_.setCurrentIndex(index);
  }

 private:
  QTabBar& tabs_;
};

}  // namespace

std::unique_ptr<NativeItems> ListBoxItems(Control& list) { return std::make_unique<ListRows>(list); }
std::unique_ptr<NativeItems> ComboBoxItems(QComboBox& combo) { return std::make_unique<ComboItems>(combo); }
std::unique_ptr<NativeItems> TabStripItems(QTabBar& tabs) { return std::make_unique<TabItems>(tabs); }

}  // namespace widgets::qtimpl
