#include "cli/ConsolePlatform.h"

#include <iostream>

namespace tessary {

MessageAnswer ConsolePresenter::Show(const MessageRequest& request) {
    std::string text;
    for (char c : request.text) {
        if (c != '\r') text += c;
    }
    std::cerr << text << '\n';
    return request.defaultAnswer;
}

}  // namespace tessary
