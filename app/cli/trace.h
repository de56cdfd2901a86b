// The steps of a traced run, one labelled value per line, and the result they
// end in.
#ifndef TAVIK_TRACE_H
#define TAVIK_TRACE_H

#include "operations.h"

#include <string>
#include <vector>

namespace orvelin::cli {

struct TraceLine {
    std::string label;
    Bytes value;
};

struct Trace {
    std::vector<TraceLine> lines;
    Bytes result;

    void Add(std::string label, Bytes value) {
        lines.push_back({std::move(label), std::move(value)});
    }
};

// "block 3 input": the label of a step of the n-th block, counted from 1.
inline std::string BlockLabel(std::size_t index, std::string_view step) {
    return "block " + std::to_string(index + 1) + " " + std::string(step);
}

} // namespace orvelin::cli

#endif
