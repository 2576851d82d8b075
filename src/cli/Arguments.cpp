#include "cli/Arguments.h"

#include <iostream>

namespace tessary::cli {

std::string Option(const Arguments& args, const std::string& name) {
    const auto it = args.options.find(name);
    return it == args.options.end() ? std::string() : it->second;
}

std::optional<float> Number(const std::string& text, float low, float high) {
    try {
        std::size_t used = 0;
        const float v = std::stof(text, &used);
        if (used == text.size() && v >= low && v <= high) return v;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

int WholeNumber(const std::string& text, int first, int last) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) return -1;
    const int n = std::stoi(text);
    return n >= first && n <= last ? n : -1;
}

int Problem(const std::string& text, int status) {
    std::cerr << "tessary-cli: " << text << "\n";
    return status;
}

}  // namespace tessary::cli
