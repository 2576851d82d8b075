#include "core/engine/Commands.h"

#include <array>

namespace tessary {

namespace {

constexpr std::array<const char*, kCommandCount> kNames = {
#define TESSARY_COMMAND_NAME(name) #name,
    TESSARY_COMMANDS(TESSARY_COMMAND_NAME)
#undef TESSARY_COMMAND_NAME
};

}  // namespace

const char* CommandName(Command command) { return kNames.at(static_cast<std::size_t>(command)); }

std::optional<Command> CommandNamed(const std::string& name) {
    for (int i = 0; i < kCommandCount; ++i) {
        if (name == kNames[static_cast<std::size_t>(i)]) return static_cast<Command>(i);
    }
    return std::nullopt;
}

}  // namespace tessary
