// Placeholder until the template engine is built.
#include <stdexcept>

#include "format/format_template.h"
#include "format/record_reader.h"

namespace gemi {
struct FormatTemplate::Node {};
FormatTemplate::FormatTemplate(std::string_view text) : text_(text) {}
FormatTemplate::~FormatTemplate() = default;
const FormatTemplate& FormatTemplate::get(std::string_view) { throw std::logic_error("format: not built"); }
std::vector<std::string> FormatTemplate::render(std::span<const Item>) const { return {}; }
std::vector<std::string> renderList(std::span<const Item>) { return {}; }
void StreamSink::record(std::string_view text) { out_ << text << '\n'; }
void StreamSink::flush() { out_.flush(); }
void ConsoleSink::record(std::string_view text) { out_ << text << '\n'; }
void ConsoleSink::flush() { out_.flush(); }
void write(RecordSink&, std::string_view, std::initializer_list<Item>) {}
void write(RecordSink&, std::string_view, std::span<const Item>) {}
void writeList(RecordSink&, std::initializer_list<Item>) {}
void writeList(RecordSink&, std::span<const Item>) {}
RecordReader::RecordReader(std::istream& in, std::string source) : in_(in), source_(std::move(source)) {}
bool RecordReader::next(std::string& line) { return static_cast<bool>(std::getline(in_, line)); }
std::string RecordReader::readText(std::size_t) { return {}; }
void RecordReader::readList(std::span<const ListTarget>, const std::string&) {}
}  // namespace gemi
