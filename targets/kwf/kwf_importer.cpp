#include "targets/kwf/kwf_importer.h"

KwfImporter::KwfImporter(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&KwfImporter::doImport>(*this);
}

void KwfImporter::doImport(TData&, uint16_t) { FireEvent(EventOutput(1)); }
