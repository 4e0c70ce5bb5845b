#include "targets/kwf/kwf_importer.h"

#include "targets/kwf/kwf_config.h"

KwfImporter::KwfImporter(TKXWin* parent)
    : TTargetImporter(parent, "Kerio Winroute Firewall Configuration File|winroute*.cfg", false) {}

std::vector<std::string> KwfImporter::Extract(const std::string& path, TScanSource& source) const {
  TKwfScan scan;
  source = ScanFile(path, scan);
  return std::move(scan.addresses);
}
