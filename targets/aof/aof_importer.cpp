#include "targets/aof/aof_importer.h"

#include "targets/aof/aof_config.h"

AofImporter::AofImporter(TKXWin* parent)
    : TTargetImporter(parent, "Agnitum Outpost Firewall Configuration File|*.ini", true) {}

std::vector<std::string> AofImporter::Extract(const std::string& path, TScanSource& source) const {
  TAofScan scan;
  source = ScanFile(path, scan);
  if (!scan.exact_header) return {};
  return std::move(scan.addresses);
}
