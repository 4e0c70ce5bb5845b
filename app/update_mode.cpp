#include "app/update_mode.h"

#include <iostream>

#include "app/mode_folder.h"
#include "lists/list_store.h"
#include "lists/web_list_update.h"
#include "runtime/ini_path.h"
#include "runtime/platform/files.h"

int RunUpdateMode(bool accept_losses) {
  UseProgramFolder();
  const std::string settings = ResolveIniPath(kSettingsFile);
  const std::vector<WebSubscription> subscriptions = ReadWebSubscriptions(settings);
  // A section that cannot be read as it was written is told; what can be read is updated.
  const std::string problem = WebListsProblem(settings);
  if (!problem.empty()) std::cerr << "veltrane: " << platform::NativePath(settings) << ": " << problem << "\n";
  int code = problem.empty() ? 0 : 1;
  if (subscriptions.empty()) {
    if (code == 0) std::cout << "No web lists are subscribed (the Setting page, Web Lists, subscribes to them).\n";
    return code;
  }
  TListStore store;
  WebUpdateOptions options;
  options.accept_loss = [accept_losses](const WebSubscription&, size_t, size_t) { return accept_losses; };
  options.still_subscribed = [&settings] { return ReadWebSubscriptions(settings); };
  const WebUpdate update = UpdateWebLists(subscriptions, store, options);
  for (const WebUpdateOutcome& outcome : update.outcomes) {
    if (outcome.kind == WebUpdateOutcome::Kind::Failed) {
      std::cerr << "veltrane: " << outcome.Text();
      if (outcome.error.starts_with("it lost ")) std::cerr << "; --update --accept-losses files it as it is";
      std::cerr << "\n";
      code = 1;
    } else {
      std::cout << outcome.Text() << "\n";
    }
  }
  for (const std::string& trouble : update.troubles) std::cerr << "veltrane: " << trouble << "\n";
  if (!update.troubles.empty()) code = 1;
  return code;
}
