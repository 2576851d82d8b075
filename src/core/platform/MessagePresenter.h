#pragma once

#include <string>

namespace tessary {

enum class MessageIcon { Exclamation, Information, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };

// Button codes as the user's answer.
enum MessageAnswer : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

struct MessageRequest {
    std::string text;  // lines separated by CRLF
    MessageIcon icon = MessageIcon::Exclamation;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = AnswerOk;
};

// Shows one modal message box captioned with the application title and
// returns the button the user chose.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

}  // namespace tessary
