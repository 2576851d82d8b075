#pragma once

#include <QPointer>
#include <QWidget>

#include "core/platform/MessagePresenter.h"

namespace tessary {

// Message boxes captioned "Tessary", over the window given as parent.
class QtMessagePresenter : public MessagePresenter {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    MessageAnswer Show(const MessageRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace tessary
