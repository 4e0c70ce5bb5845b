#include "lists/web_lists_panel.h"

#include <algorithm>
#include <atomic>

#include "elements/strings/trim.h"
#include "lists/web_list_update.h"
#include "lists/web_subscribing.h"
#include "lists/web_subscriptions.h"
#include "runtime/ini_path.h"
#include "runtime/platform/files.h"
#include "runtime/save_failure.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/placed.h"

namespace {

constexpr const char* kCaption = "Web Lists:";

std::string ListChoices() {
  std::string text;
  for (const auto& list : kLists) text += std::string(text.empty() ? "" : "\r\n") + list.name;
  return text;
}

std::string JoinedByCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : "\r\n") + line;
  return text;
}

}  // namespace

WebListsPanel::WebListsPanel(TKXWin* parent)
    : TPanelScheme(parent, kSettingsPanelPlace, PanelShown::kHidden, kInputCount),
      address_(New<TKXEdit>(&Panel)),
      list_chooser_(New<TKXComboBox>(&Panel)),
      subscriptions_(New<TKXListBox>(&Panel)),
      message_(New<TKXMessage>()),
      save_error_(New<TKXMessage>()) {
  auto& address_label = New<TKXLabel>(&Panel);
  auto& list_label = New<TKXLabel>(&Panel);
  auto& add = New<TKXButton>(&Panel);
  auto& remove = New<TKXButton>(&Panel);
  auto& update = New<TKXButton>(&Panel);

  address_label.Caption = "Address:";
  Placed(address_label, 10, 35, 55, 15).Init();
  Placed(address_, 65, 32, 395, 20).Init();
  list_label.Caption = "Into List:";
  Placed(list_label, 10, 64, 55, 15).Init();
  list_chooser_.Strings = ListChoices();
  Placed(list_chooser_, 65, 60, 200, 21).Init();
  add.Caption = "Add";
  Placed(add, 275, 60, 90, 20).Init();
  remove.Caption = "Remove";
  Placed(remove, 370, 60, 90, 20).Init();
  Placed(subscriptions_, 10, 92, 450, 245).Init();
  update.Caption = "Update Now";
  Placed(update, 360, 345, 90, 20).Init();
  message_.Caption = kCaption;
  AsFailureBox(save_error_);

  add.onClick = MakeLink<&WebListsPanel::doAdd>(*this);
  remove.onClick = MakeLink<&WebListsPanel::doRemove>(*this);
  update.onClick = MakeLink<&WebListsPanel::doUpdateNow>(*this);
  Port.onInput[kDoRefresh] = MakeLink<&WebListsPanel::doRefresh>(*this);
}

void WebListsPanel::Tell(const std::string& text, MessageIconCode icon) {
  message_.Icon = icon;
  TData value = MakeText(text);
  message_.doMessage(value, 0);
}

void WebListsPanel::doRefresh(TData&, uint16_t) {
  std::vector<std::string> lines;
  for (const WebSubscription& s : ReadWebSubscriptions(ResolveIniPath(kSettingsFile)))
    lines.push_back(SubscriptionText(s));
  subscriptions_.SetLines(std::move(lines));
}

void WebListsPanel::doAdd(TData&, uint16_t) {
  TData typed, chosen;
  address_.varText(typed, 0);
  list_chooser_.varSelected(chosen, 0);
  const std::string url(TrimBlanks(AsText(typed)));
  const std::string list = AsText(chosen);
  const std::string file = ResolveIniPath(kSettingsFile);
  if (!SectionReadable(file)) return;
  const std::string problem = SubscribeProblem(ReadWebSubscriptions(file), url, list);
  if (!problem.empty()) {
    Tell(problem, kIconExclamation);
    return;
  }
  std::string why;
  if (!Subscribe(file, store_.ProgramDir(), {url, list}, &why)) {
    TData text = MakeText(SaveFailureMessage(file, why));
    save_error_.doMessage(text, 0);
  } else {
    TData empty = MakeText("");
    address_.doText(empty, 0);
  }
  TData none;
  doRefresh(none, 0);
}

void WebListsPanel::doRemove(TData&, uint16_t) {
  const int selected = subscriptions_.Selected();
  if (selected < 0) {
    Tell("Select the subscription to remove in the list.", kIconExclamation);
    return;
  }
  // The one the user sees, found again in the file as it is now.
  const std::string shown = subscriptions_.Item(selected);
  const std::string file = ResolveIniPath(kSettingsFile);
  if (!SectionReadable(file)) return;
  const std::vector<WebSubscription> subscriptions = ReadWebSubscriptions(file);
  const auto at = std::find_if(subscriptions.begin(), subscriptions.end(),
                               [&](const WebSubscription& s) { return SubscriptionText(s) == shown; });
  if (at != subscriptions.end()) {
    const Unsubscribed removed = Unsubscribe(file, at->url, store_);
    std::vector<std::string> lines;
    if (removed.done)
      lines.push_back("'" + at->url + "' is no longer subscribed: " + std::to_string(removed.taken_out) +
                      (removed.taken_out == 1 ? " name only it brought was" : " names only it brought were") +
                      " taken out of the lists.");
    else lines.push_back("'" + at->url + "' could not be removed: " + removed.error + ".");
    lines.insert(lines.end(), removed.troubles.begin(), removed.troubles.end());
    Tell(JoinedByCrLf(lines), removed.done && removed.troubles.empty() ? kIconInformation : kIconExclamation);
  }
  TData none;
  doRefresh(none, 0);
}

bool WebListsPanel::SectionReadable(const std::string& file) {
  const std::string problem = WebListsProblem(file);
  if (problem.empty()) return true;
  Tell("'" + platform::NativePath(file) + "': " + problem +
           ". The subscriptions are not changed until it is mended in an editor.",
       kIconExclamation);
  return false;
}

// A list that lost more than half of its names since its last update is filed only when the
// user says so: an upstream mistake or an error page would otherwise take out good names.
bool WebListsPanel::AcceptLoss(const WebSubscription& subscription, size_t lost, size_t had) {
  const std::string text = subscription.url + " lost " + std::to_string(lost) + " of the " + std::to_string(had) +
                           " names of its last update. That is more than half: a mistake of the list's makers, or a "
                           "page that is no list, looks the same.\r\n\r\nFile the list as it is now, taking out the "
                           "names it dropped? No keeps everything as it is.";
  return widgets::CurrentBackend().ShowMessageBox(widgets::MainWindowControl(), text, kCaption,
                                                  widgets::MessageButtons::YesNo,
                                                  widgets::MessageIcon::Question) == widgets::MessageAnswer::Yes;
}

void WebListsPanel::doUpdateNow(TData&, uint16_t) {
  if (updating_) return;
  const std::string file = ResolveIniPath(kSettingsFile);
  const std::string problem = WebListsProblem(file);
  const std::vector<WebSubscription> subscriptions = ReadWebSubscriptions(file);
  if (subscriptions.empty() && !problem.empty()) {
    Tell("'" + platform::NativePath(file) + "': " + problem + ".", kIconExclamation);
    return;
  }
  if (subscriptions.empty()) {
    Tell("No web lists are subscribed yet: enter the address of a block list, choose its list and press Add.",
         kIconInformation);
    return;
  }
  updating_ = true;
  std::string shown;
  // Esc stops the update: the download that runs ends, the rest are not made, and what was
  // downloaded whole before is filed.
  std::atomic<bool> cancel = false;
  WebUpdateOptions options;
  options.progress = [&](const std::string& text) {
    const std::string shown_now = text.empty() ? text : text + " (Esc stops the update)";
    if (shown_now != shown) FireEvent(EventOutput(kOnStatusText), shown_now);
    shown = shown_now;
    if (!text.empty() && widgets::CurrentBackend().ProcessEvents()) cancel = true;
  };
  options.accept_loss = [](const WebSubscription& subscription, size_t lost, size_t had) {
    return AcceptLoss(subscription, lost, had);
  };
  options.still_subscribed = [&file] { return ReadWebSubscriptions(file); };
  options.cancel = &cancel;
  const WebUpdate update = UpdateWebLists(subscriptions, store_, options);
  updating_ = false;
  std::vector<std::string> lines;
  bool failed = !problem.empty() || !update.troubles.empty();
  if (!problem.empty()) lines.push_back("'" + platform::NativePath(file) + "': " + problem + ".");
  for (const WebUpdateOutcome& outcome : update.outcomes) {
    lines.push_back(outcome.Text());
    failed = failed || outcome.kind == WebUpdateOutcome::Kind::Failed;
  }
  lines.insert(lines.end(), update.troubles.begin(), update.troubles.end());
  Tell(JoinedByCrLf(lines), failed ? kIconExclamation : kIconInformation);
}
