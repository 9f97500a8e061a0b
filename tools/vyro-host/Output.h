#pragma once

#include <cstdio>
#include <mutex>
#include <vector>

#include "Json.h"

namespace VyroHost {

// Writes each record as one compact JSON line to `sink` and keeps it for the check. Records may
// come from any thread (the library logs from its platform threads).
class Output {
public:
    explicit Output(std::FILE* sink) : sink_(sink) {}
    ~Output() { std::fclose(sink_); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void Emit(Json record);
    std::vector<Json> Records() const;

private:
    std::FILE* sink_;
    mutable std::mutex mutex_;
    std::vector<Json> records_;
};

} // namespace VyroHost
