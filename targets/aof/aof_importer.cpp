#include "targets/aof/aof_importer.h"

AofImporter::AofImporter(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&AofImporter::doImport>(*this);
}

void AofImporter::doImport(TData&, uint16_t) { FireEvent(EventOutput(1)); }
