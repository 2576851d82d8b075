#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/platform/MessagePresenter.h"

namespace tessary {

// Every message box of the program, one operation per message, so that each
// text, icon, button set and default button is fixed in one place.
class Messages {
public:
    explicit Messages(MessagePresenter& presenter) : presenter_(presenter) {}

    MessageAnswer MsgAlreadyRunning();
    // why: what was wrong with the file, as one or two sentences.
    MessageAnswer MsgFileNotLoaded(const std::string& why);
    MessageAnswer MsgReadOnly(const std::string& fileName);
    MessageAnswer MsgMaxZoomOut();
    MessageAnswer MsgMaxZoomIn();
    MessageAnswer MsgSaveChanges(bool yesDefault);
    MessageAnswer MsgSavePattern();
    MessageAnswer MsgClearPattern();
    MessageAnswer MsgAddArc();
    MessageAnswer MsgLargePicture();
    MessageAnswer MsgNoDrawInPictureView();
    MessageAnswer MsgFileNotFound(const std::string& fileName);
    MessageAnswer MsgSaveFailed(const std::string& fileName, const std::string& reason);
    MessageAnswer MsgPictureNotLoaded();
    MessageAnswer MsgTempPictureFailed(const std::string& fileName, const std::string& reason);
    // A picture that cannot be saved with the pattern: Yes saves without it.
    MessageAnswer MsgSaveWithoutPicture(const std::string& reason);
    // A picture file chosen for a new pattern that cannot be shown.
    MessageAnswer MsgPictureNotOpened(const std::string& fileName);
    // Drawing more than a pattern file can hold.
    MessageAnswer MsgPatternFull();
    // A page grid beyond what a print can count.
    MessageAnswer MsgTooManyPages();
    // The bitmap file: the size asked for could not be made, or the file
    // could not be written.
    MessageAnswer MsgBitmapNotCreated(float width, float height, int largestSide);
    MessageAnswer MsgBitmapNotSaved(const std::string& fileName);
    // An exported drawing (SVG, DXF, PDF, PNG) that could not be written.
    MessageAnswer MsgExportNotSaved(const std::string& fileName, const std::string& reason);
    // Lines or shapes whose coordinates are no numbers, left out of an export.
    MessageAnswer MsgExportLeftOut(const std::string& fileName, int count);
    // Bitmap mode: the picture of the pattern could not be made.
    MessageAnswer MsgPrintBitmapNotCreated(float width, float height);
    // The assembly map's picture of the pattern could not be made.
    MessageAnswer MsgPrintMapNotCreated(float width, float height);
    // The print wizard's entries that would print something unintended.
    MessageAnswer MsgCopiesInvalid(int maximum);
    MessageAnswer MsgSpacingInvalid();
    // A print that did not reach the printer or its file whole; where names
    // the printer or the file.
    MessageAnswer MsgPrintFailed(const std::string& where, const std::string& reason);
    // A short word on what a command did ("Saved rose.pat", where a print
    // went): to the sink the window gives (its status bar), else unsaid.
    void Notice(const std::string& text) const {
        if (noticeSink_) noticeSink_(text);
    }
    void SetNoticeSink(std::function<void(const std::string&)> sink) { noticeSink_ = std::move(sink); }
    // An output file that would replace the pattern it is made from.
    MessageAnswer MsgOutputIsPattern(const std::string& fileName);
    // The settings store could not be written; where names its file.
    MessageAnswer MsgSettingsNotSaved(const std::string& where);
    // A help or web page that could not be shown.
    MessageAnswer MsgPageNotOpened(const std::string& address);
    // The unsaved changes could not be kept in the recovery folder.
    MessageAnswer MsgAutosaveFailed(const std::string& folder, const std::string& reason);
    // What lies in the recovery folder that cannot be recovered (names).
    MessageAnswer MsgRecoveryFilesLeft(const std::string& folder, const std::vector<std::string>& names);
    // Yes throws the kept changes to a pattern away for good.
    MessageAnswer MsgDiscardRecovery(const std::string& patternName);
    MessageAnswer MsgRecoveryNotDiscarded(const std::string& fileName, const std::string& reason);

private:
    MessageAnswer Show(std::string text, MessageIcon icon, MessageButtons buttons, MessageAnswer defaultAnswer);

    MessagePresenter& presenter_;
    std::function<void(const std::string&)> noticeSink_;
};

}  // namespace tessary
