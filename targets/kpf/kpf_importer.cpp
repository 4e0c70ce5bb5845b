#include "targets/kpf/kpf_importer.h"

KpfImporter::KpfImporter(TKXWin* parent) : TScheme(parent) {
  Port.SetInputCount(1);
  Port.onInput[0] = MakeLink<&KpfImporter::doImport>(*this);
}

void KpfImporter::doImport(TData&, uint16_t) { FireEvent(EventOutput(1)); }
