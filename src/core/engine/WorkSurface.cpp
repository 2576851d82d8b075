#include "core/engine/WorkSurface.h"

#include "core/engine/CommandState.h"

namespace tessary {

namespace {
const Command kViewButtons[] = {Command::BtnViewPicture, Command::BtnViewPattern, Command::BtnViewBoth};
const Command kViewMenus[] = {Command::MenuViewWork0, Command::MenuViewWork1, Command::MenuViewWork2};
}  // namespace

void WorkSurface::SetViewMode(std::int16_t view) {
    if (view < ViewPictureOnly || view > ViewBoth) return;
    commands_.SetChecked(kViewMenus[viewMode_], false);
    commands_.SetChecked(kViewMenus[view], true);
    viewMode_ = view;
    for (int v = ViewPictureOnly; v <= ViewBoth; ++v) commands_.SetChecked(kViewButtons[v], v == view);
    ApplyViewMode();
}

void WorkSurface::ApplyViewMode() {
    PictureFrameVisible[0] = viewMode_ == ViewPictureOnly;
    PatternVisible = viewMode_ != ViewPictureOnly;
    PictureFrameVisible[1] = viewMode_ == ViewBoth;
}

void WorkSurface::ShowPictureOnly() {
    if (!PictureFrameVisible[1]) return;
    PictureFrameVisible[0] = true;
    PatternVisible = false;
}

void WorkSurface::SyncLayers() {
    ShowPictureOnly();
    Pattern = PictureFrame[0];
    PictureFrame[1] = Rect{0, 0, Pattern.Width, Pattern.Height};
    ApplyViewMode();
}

}  // namespace tessary
