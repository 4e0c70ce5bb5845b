#include "targets/common/config_scan.h"

TScanSource Scan(TLineReader reader, TConfigScan& scan) {
  std::string_view line;
  while (reader.Next(line)) scan.Line(line);
  scan.Finish();
  TScanSource source;
  source.state = reader.State();
  source.why = reader.Why();
  source.nul = reader.StoppedAtNul();
  source.ending = reader.Ending();
  return source;
}
