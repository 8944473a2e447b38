// Fuzz target: the input-script parser takes any bytes. It either refuses
// them with a line number or gives a script whose ticks can all be read.
#include "script.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Script script;
    ScriptError error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!parseScript(text, script, error)) {
        if (error.line < 1 || error.message.empty()) __builtin_trap();
        return 0;
    }
    if (script.ticks < 0 || script.ticks > MaxScriptTicks) __builtin_trap();
    const std::int64_t last = script.ticks < 2000 ? script.ticks + 2 : 2000;
    std::uint8_t held = 0;
    for (std::int64_t t = 1; t <= last; ++t) {
        const ScriptTick now = script.at(t);
        held = heldAfter(held, script.eventsBefore(held, now));
    }
    return 0;
}
