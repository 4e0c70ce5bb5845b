// libFuzzer harness for the web-list reader: any bytes as the list (and, behind a 0x1E byte,
// as the records the lists hold), fed to the reader in pieces of changing sizes, as a file
// and as a download, with the usual limits and with small ones, give the records, the
// counts or the refusal that the step-by-step reading of the rules, byte after byte, gives.
//
//   build-fuzz/web_list_fuzz -runs=10000000 -max_len=2048 -dict=tests/lists/fuzz/web_list.dict
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "elements/strlist/record_index.h"
#include "lists/web_list_reader.h"
#include "runtime/lines.h"
#include "tests/lists/literal_web_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t cut = bytes.find('\x1E');
  const std::string list(bytes.substr(0, cut));
  const std::vector<std::string> known =
      cut == std::string_view::npos ? std::vector<std::string>{} : SplitLines(bytes.substr(cut + 1), LineBreaks::Any);
  const struct {
    WebListReader::Source source;
    WebListLimits limits;
  } runs[] = {
      {WebListReader::Source::File, {}}, {WebListReader::Source::Download, {}}, {WebListReader::Source::File, {5, 40}}};
  for (const auto& run : runs) {
    WebListReader reader(run.source, run.limits);
    bool going = true;
    for (size_t at = 0, step = 1; going && at < list.size(); at += step, step = step % 13 + 1)
      going = reader.Feed(std::string_view(list).substr(at, step));
    if (going) reader.End();
    const std::string refused = reader.Refused() ? reader.Refused()->Text() : "";
    WebListReading got = reader.Take();
    KeepNewRecords(got, RecordIndex(known).ContainsEach(got.records));
    const literal::ByteReading want = literal::ReadWebBytes(list, known, run.source == WebListReader::Source::Download,
                                                            run.limits.records, run.limits.line);
    if (refused != want.refused) std::abort();
    if (!refused.empty() && !got.records.empty()) std::abort();
    if (refused.empty() && (got.records != want.reading.records || got.known != want.reading.known ||
                            got.repeated != want.reading.repeated || got.skipped != want.reading.skipped))
      std::abort();
    for (const auto& record : got.records)
      if (!IsWebListName(record)) std::abort();
  }
  return 0;
}
