#pragma once

#include <string>

#include "core/platform/MessagePresenter.h"

namespace tessary {

// Messages go to standard error; a question takes its default answer.
class ConsolePresenter : public MessagePresenter {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

}  // namespace tessary
