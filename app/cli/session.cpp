#include "session.h"

#include "exit_status.h"
#include "start_up.h"

#include <ostream>

namespace orvelin::cli {
namespace {

// Trace values start in one column, after the longest label.
constexpr std::size_t kLabelWidth = 18;

} // namespace

Session::Session(const GlobalOptions& options, std::istream& in, std::ostream& out,
                 std::ostream& err)
    : options_(options), in_(in), out_(out), err_(err) {}

const TavikAlgBinding& Session::Library() {
    if (!library_) {
        library_.emplace(BindAtStartUp(options_.library.c_str(), [this](const std::string& text) {
            err_ << text << std::endl;
        }));
    }
    return *library_;
}

HexArgument Session::Argument(std::string_view label, const std::string& argument) {
    return ReadArgument(label, argument, in_);
}

std::string Session::Hex(std::span<const std::uint8_t> bytes) const {
    const std::string plain = WriteHex(bytes);
    if (!options_.spaced) {
        return plain;
    }
    std::string spaced;
    for (std::size_t i = 0; i < plain.size(); i += 2) {
        if (i != 0) {
            spaced += ' ';
        }
        spaced.append(plain, i, 2);
    }
    return spaced;
}

void Session::PrintBytes(std::span<const std::uint8_t> bytes) {
    out_ << Hex(bytes) << '\n';
}

void Session::PrintTrace(const Trace& trace) {
    for (const auto& line : trace.lines) {
        std::string text = line.label;
        if (!line.value.empty()) {
            text.resize(std::max(kLabelWidth, text.size() + 1), ' ');
            text += Hex(line.value);
        }
        out_ << text << '\n';
    }
}

void Session::PrintLine(std::string_view line) {
    out_ << line << std::endl;
}

void Session::PrintCheck(std::string_view export_name) {
    out_ << "check: equals " << export_name << '\n';
}

int Session::Refuse(std::string_view message) {
    err_ << message << '\n';
    return kRefused;
}

} // namespace orvelin::cli
