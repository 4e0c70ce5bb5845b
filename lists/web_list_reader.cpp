#include "lists/web_list_reader.h"

#include "elements/strings/trim.h"

namespace {

std::string Size(uint64_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

// Whether `text` begins with `word` (lower case), in any case.
bool BeginsWith(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? char(c + 32) : c) != word[i]) return false;
  }
  return true;
}

}  // namespace

std::string WebListReader::Refusal::Text() const {
  switch (kind) {
    case Kind::NotText: return "is no text list: it " + reason;
    case Kind::WebPage: return "is a web page, not a list: it " + reason;
    case Kind::TooLarge: break;
  }
  return reason;
}

WebListReader::WebListReader(Source source, WebListLimits limits)
    : source_(source), limits_(limits), lines_(limits.line, [this](std::string_view line) { return TakeLine(line); }) {}

bool WebListReader::Refuse(Refusal::Kind kind, std::string reason) {
  refusal_ = Refusal{kind, std::move(reason)};
  records_.Take();
  return false;
}

// Why the line reader stopped, as a refusal (the reader's own refusals are made already).
// The records of the lines before are kept first: one too many among them comes first.
bool WebListReader::Stopped() {
  if (refusal_ || !Keep()) return false;
  switch (lines_.Stopped()) {
    case TextLineStream::Stop::NotText: return Refuse(Refusal::Kind::NotText, lines_.NotText());
    case TextLineStream::Stop::LongLine:
      return Refuse(Refusal::Kind::TooLarge, "has a line longer than " + Size(limits_.line) + " (line " +
                                                 std::to_string(lines_.Lines()) + "), which no block list has");
    case TextLineStream::Stop::Taker:
    case TextLineStream::Stop::None: break;
  }
  return false;
}

bool WebListReader::Feed(std::string_view bytes) { return lines_.Feed(bytes) || Stopped(); }

bool WebListReader::End() { return lines_.End() ? Keep() : Stopped(); }

bool WebListReader::Keep() {
  records_.AddEach(given_, [this](bool fresh) {
    if (!fresh) ++repeated_;
    return fresh ? records_.Size() <= limits_.records : true;
  });
  given_.clear();
  if (records_.Size() <= limits_.records) return true;
  return Refuse(Refusal::Kind::TooLarge, "gives more than " + std::to_string(limits_.records) +
                                             " different names, more than any block list holds");
}

bool WebListReader::TakeLine(std::string_view line) {
  if (!text_seen_ && source_ == Source::Download) {
    const std::string_view text = TrimBlanks(line);
    text_seen_ = !text.empty();
    for (const std::string_view page : {"<!doctype", "<html"})
      if (BeginsWith(text, page))
        return Refuse(Refusal::Kind::WebPage, "begins with \"" + std::string(text.substr(0, page.size())) + "\"");
  }
  if (AppendLineRecords(line, given_) == 0 && !NamesNoHost(line)) ++skipped_;
  return given_.size() < 256 || Keep();
}

WebListReading WebListReader::Take(RecordLookup* lookup) {
  WebListReading reading;
  reading.records = records_.Take(lookup);
  reading.repeated = repeated_;
  reading.skipped = skipped_;
  return reading;
}

RecordFile ReadWebListFile(const std::string& path, WebListReader& reader) {
  RecordFile file;
  const auto feed = [&reader](std::string_view piece) { return reader.Feed(piece); };
  const platform::FilePieces read = platform::ReadFilePieces(path, kWebListFileLimit, feed);
  switch (read.result) {
    case platform::FilePieces::Result::Missing: return file;
    case platform::FilePieces::Result::Unreadable:
      file.state = RecordFile::State::Unreadable;
      file.why = read.why;
      return file;
    case platform::FilePieces::Result::TooLarge:
      file.state = RecordFile::State::Unreadable;
      file.why = "it is larger than " + Size(kWebListFileLimit) + ", more than any block list holds";
      return file;
    case platform::FilePieces::Result::Read: reader.End(); break;
    case platform::FilePieces::Result::Stopped: break;
  }
  file.state = RecordFile::State::Read;
  if (const auto& refusal = reader.Refused()) {
    const bool not_text = refusal->kind == WebListReader::Refusal::Kind::NotText;
    file.state = not_text ? RecordFile::State::NotText : RecordFile::State::Unreadable;
    file.why = not_text ? refusal->reason : "it " + refusal->Text();
  }
  return file;
}

platform::HttpBodySink SinkInto(WebListReader& reader) {
  return [&reader](std::string_view piece) { return reader.Feed(piece) ? std::string() : reader.Refused()->Text(); };
}
