#include "app/update_mode.h"

#include <iostream>

#include "app/mode_folder.h"
#include "lists/list_store.h"
#include "lists/web_list_update.h"
#include "runtime/ini_path.h"

int RunUpdateMode() {
  UseProgramFolder();
  const std::vector<WebSubscription> subscriptions = ReadWebSubscriptions(ResolveIniPath(kSettingsFile));
  if (subscriptions.empty()) {
    std::cout << "No web lists are subscribed (the Setting page, Web Lists, subscribes to them).\n";
    return 0;
  }
  TListStore store;
  int code = 0;
  for (const WebUpdateOutcome& outcome : UpdateWebLists(subscriptions, store, nullptr)) {
    if (outcome.kind == WebUpdateOutcome::Kind::Failed) {
      std::cerr << "veltrane: " << outcome.Text() << "\n";
      code = 1;
    } else {
      std::cout << outcome.Text() << "\n";
    }
  }
  return code;
}
