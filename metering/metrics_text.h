#pragma once

#include "metering/meter_reading.h"

#include <cstdint>
#include <string>

namespace quillmarten {

enum class MeterState : std::uint8_t { running, paused };

// The meter in the text format that Prometheus and its exporters' text-file collectors read:
// each metric with its HELP and TYPE lines and one sample without labels (the exporter adds
// the machine's), in base units, lines ending in '\n', the last one too.
std::string metricsText(const MeterReading& reading, MeterState state);

} // namespace quillmarten
