// Replay files from anywhere: decoding must never read out of bounds or
// allocate without limit; whatever decodes must survive a round trip and
// play back through the replay backend call for call.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "play/replay.h"

namespace {

// Asks the replay backend for exactly the calls of the record, in order.
void replayEveryCall(const ReplayRecord& record) {
    ReplayPlatform replay(record.calls, nullptr, false);
    std::uint64_t calls = 0;
    for (const InputCall& call : callsOf(record.calls)) {
        for (std::uint64_t n = 0; n <= call.repeats && calls < 100000; ++n, ++calls) {
            switch (call.kind) {
            case InputKind::Timer:
                if (replay.timer() != static_cast<double>(call.timerSteps) / TimerStepsPerSecond)
                    std::abort();
                break;
            case InputKind::KeyHeld:
                if (replay.keyHeld(call.scanCode) != call.held) std::abort();
                break;
            case InputKind::ReadKey:
                if (replay.readKey() != call.key) std::abort();
                break;
            case InputKind::Mouse:
                if (replay.mouse().buttons != call.mouse.buttons) std::abort();
                break;
            }
        }
    }
    if (replay.ended()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes bytes(data, data + size);
    ReplayRecord record;
    std::string error;
    if (!decodeReplay(bytes, record, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    const Bytes encoded = encodeReplay(record);
    ReplayRecord again;
    if (!decodeReplay(encoded, again, error) || encodeReplay(again) != encoded) std::abort();
    replayEveryCall(record);
    return 0;
}
