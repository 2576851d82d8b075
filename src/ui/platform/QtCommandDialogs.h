#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "core/platform/CommandDialogs.h"

namespace tessary {

// The file, folder and colour dialogs of the commands, and the Pattern
// Setup dialog.
class QtCommandDialogs : public CommandDialogs {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void SetPatternSetup(std::function<void(bool)> show) { patternSetup_ = std::move(show); }

    std::optional<std::string> AskSavePatternPath(const std::string& folder, const std::string& current) override;
    std::optional<std::string> AskOpenPatternPath(const std::string& folder) override;
    std::optional<std::string> AskPicturePath(const std::string& folder) override;
    std::optional<std::string> AskBitmapPath(const std::string& folder) override;
    std::optional<std::string> AskDrawingPath(const std::string& folder, DrawingFile kind) override;
    std::optional<int> AskDotsPerInch(int initial, int most) override;
    std::optional<std::string> AskPdfPath(const std::string& folder, const std::string& name) override;
    std::optional<std::string> AskFolder(const std::string& title, const std::string& folder) override;
    std::optional<std::uint32_t> AskColour(std::uint32_t initial) override;
    void ShowPatternSetup(bool forNewPattern) override { patternSetup_(forNewPattern); }

private:
    // A dialog asked from within another stays over that one.
    QWidget* Owner() const;

    QPointer<QWidget> parent_;
    std::function<void(bool)> patternSetup_ = [](bool) {};
};

}  // namespace tessary
