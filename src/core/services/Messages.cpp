#include "core/services/Messages.h"

#include <sstream>
#include <string>
#include <utility>

#include "core/services/AppTitle.h"

namespace tessary {

namespace {
constexpr const char* CRLF = "\r\n";
const std::string kTitle = kAppTitle;

std::string PixelSize(float width, float height) {
    std::ostringstream text;
    text << width << " x " << height << " pixels";
    return text.str();
}
}  // namespace

MessageAnswer Messages::Show(std::string text, MessageIcon icon, MessageButtons buttons,
                             MessageAnswer defaultAnswer) {
    return presenter_.Show(MessageRequest{std::move(text), icon, buttons, defaultAnswer});
}

MessageAnswer Messages::MsgAlreadyRunning() {
    return Show(kTitle + " is already running on your computer." + CRLF + CRLF + "Only one instance of " + kTitle +
                    " may be run at a time.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgFileNotLoaded(const std::string& why) {
    return Show(std::string("The selected file could not be loaded.") + CRLF + CRLF + why, MessageIcon::Exclamation,
                MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgReadOnly(const std::string& fileName) {
    return Show(std::string("The pattern file can not be saved.") + CRLF +
                    "The original pattern file attributes are set to read only." + CRLF + "File: " + fileName + CRLF +
                    CRLF + "Try to save your file using a different file name or folder.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgMaxZoomOut() {
    return Show("The pattern is at the maximum zoom out position", MessageIcon::Information, MessageButtons::Ok,
                AnswerOk);
}

MessageAnswer Messages::MsgMaxZoomIn() {
    return Show("The pattern is at the maximum zoom in position", MessageIcon::Information, MessageButtons::Ok,
                AnswerOk);
}

MessageAnswer Messages::MsgSaveChanges(bool yesDefault) {
    return Show("Save changes?", MessageIcon::Question, MessageButtons::YesNoCancel, yesDefault ? AnswerYes : AnswerNo);
}

MessageAnswer Messages::MsgSavePattern() {
    return Show("Do you wish to save your changes to the pattern?", MessageIcon::Question,
                MessageButtons::YesNoCancel, AnswerYes);
}

MessageAnswer Messages::MsgClearPattern() {
    return Show("Clear the pattern of all drawings?", MessageIcon::Question, MessageButtons::YesNoCancel, AnswerNo);
}

MessageAnswer Messages::MsgAddArc() {
    return Show("Do you wish to add the current arc to your pattern?", MessageIcon::Question, MessageButtons::YesNo,
                AnswerYes);
}

MessageAnswer Messages::MsgLargePicture() {
    std::string text;
    for (const char* line : {"The selected picture is larger than 1 MB in size.",
                             "Pictures larger than 1 MB may take a very long time",
                             "to load as well as cause slow performance when drawing.", "",
                             "You may select not to continue then use your favorite",
                             "photo editor to reduce the picture size.  Pictures under",
                             "1 MB in file size with 600 DPI or less are recommended.", "", "Do you wish to continue?", "",
                             "Select Yes to open the large picture file."}) {
        text += line;
        text += CRLF;
    }
    text += "Select No to use a different picture.";
    return Show(std::move(text), MessageIcon::Question, MessageButtons::YesNoCancel, AnswerNo);
}

MessageAnswer Messages::MsgNoDrawInPictureView() {
    return Show(std::string("You cannot draw in the Picture Only view.") + CRLF + CRLF +
                    "Select View - Both or Pattern Only to draw a pattern.",
                MessageIcon::Information, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgFileNotFound(const std::string& fileName) {
    return Show(std::string("The selected file was not found.") + CRLF + "File: " + fileName + CRLF + CRLF +
                    "Check that the above folder and file exist and are write enabled.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgSaveFailed(const std::string& fileName, const std::string& reason) {
    return Show(std::string("The pattern file could not be saved.") + CRLF + "File: " + fileName + CRLF +
                    "Reason: " + reason + CRLF + CRLF +
                    "Try to save your file using a different file name or folder.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgPictureNotLoaded() {
    return Show(std::string("The background picture was not loaded.") + CRLF + CRLF +
                    "The selected file format is unrecognized or the file is corrupted.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgTempPictureFailed(const std::string& fileName, const std::string& reason) {
    return Show(std::string("The temporary picture file could not be written.") + CRLF + "File: " + fileName + CRLF +
                    "Reason: " + reason + CRLF + CRLF + "The pattern opens without its picture." + CRLF +
                    "Check that the above folder exists, is write enabled and has free space." + CRLF +
                    "See Options, Display Setup to select the temporary file folder.",
                MessageIcon::Information, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgSaveWithoutPicture(const std::string& reason) {
    return Show(std::string("The pattern's picture can not be saved with it.") + CRLF + reason + CRLF + CRLF +
                    "Save the pattern without its picture?",
                MessageIcon::Question, MessageButtons::YesNo, AnswerNo);
}

MessageAnswer Messages::MsgPictureNotOpened(const std::string& fileName) {
    return Show(std::string("The selected picture could not be loaded.") + CRLF + "File: " + fileName + CRLF + CRLF +
                    "The file is empty, damaged, or not a picture in a format " + kTitle + " can read.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgPatternFull() {
    return Show(std::string("The pattern is full.") + CRLF + CRLF +
                    "A pattern holds at most 32767 lines and 32767 shapes." + CRLF +
                    "Delete lines or shapes you no longer need to draw more.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgTooManyPages() {
    return Show(std::string("The pattern can not be printed.") + CRLF + CRLF +
                    "At its true size it needs more than 32767 pages." + CRLF +
                    "Make the pattern smaller or the page margins narrower in Pattern Setup.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgBitmapNotCreated(float width, float height, int largestSide) {
    return Show(std::string("The bitmap could not be created.") + CRLF + "Size: " + PixelSize(width, height) + CRLF +
                    CRLF + "A bitmap is 1 to " + std::to_string(largestSide) + " pixels on each side, and a very" +
                    CRLF + "large one may not fit in memory." + CRLF +
                    "Choose a different bitmap size in Pattern Setup and try again.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgBitmapNotSaved(const std::string& fileName) {
    return Show(std::string("The bitmap file could not be saved.") + CRLF + "File: " + fileName + CRLF + CRLF +
                    "Check that the folder exists, is write enabled and has free space," + CRLF +
                    "or save the bitmap using a different file name or folder.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgExportNotSaved(const std::string& fileName, const std::string& reason) {
    return Show(std::string("The exported file could not be saved.") + CRLF + "File: " + fileName + CRLF +
                    "Reason: " + reason + CRLF + CRLF +
                    "Check that the folder exists, is write enabled and has free space," + CRLF +
                    "or export using a different file name or folder.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgExportLeftOut(const std::string& fileName, int count) {
    return Show(std::string("The pattern was exported without ") + std::to_string(count) +
                    (count == 1 ? " line or shape" : " lines and shapes") +
                    " whose position is not a number." + CRLF + "File: " + fileName,
                MessageIcon::Information, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgPrintBitmapNotCreated(float width, float height) {
    return Show(std::string("The pattern could not be printed in bitmap mode.") + CRLF +
                    "The bitmap of " + PixelSize(width, height) + " could not be created." + CRLF + CRLF +
                    "Print the pattern in vector mode.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgPrintMapNotCreated(float width, float height) {
    return Show(std::string("The pattern could not be printed with its assembly map.") + CRLF +
                    "The map's picture of " + PixelSize(width, height) + " could not be created." + CRLF + CRLF +
                    "Print the pattern without the assembly map.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgCopiesInvalid(int maximum) {
    return Show(std::string("The number of copies is not valid.") + CRLF + CRLF +
                    "Enter a whole number of copies from 1 to " + std::to_string(maximum) + ".",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgSpacingInvalid() {
    return Show(std::string("The spacing between the patterns on a page is not a number.") + CRLF + CRLF +
                    "Enter the spacing as a decimal number such as 0.2.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgPrintFailed(const std::string& where, const std::string& reason) {
    return Show("The pattern could not be printed to " + where + "." + CRLF + "Reason: " + reason + "." + CRLF + CRLF +
                    "Check the printer in Print Setup, or print to a different file name or folder, and try again.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgOutputIsPattern(const std::string& fileName) {
    return Show(std::string("The file can not be written over the pattern it is made from.") + CRLF + "File: " +
                    fileName + CRLF + CRLF + "Choose a different file name.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgSettingsNotSaved(const std::string& where) {
    return Show(std::string("Your settings could not be saved.") + CRLF + "File: " + where + CRLF + CRLF +
                    "They apply until " + kTitle + " is closed." + CRLF +
                    "Check that the above folder exists, is write enabled and has free space.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgPageNotOpened(const std::string& address) {
    return Show(std::string("The page could not be opened.") + CRLF + "Address: " + address + CRLF + CRLF +
                    "Check that a web browser is installed, or open the address yourself.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgAutosaveFailed(const std::string& folder, const std::string& reason) {
    return Show(std::string("The unsaved changes could not be kept for recovery after a crash.") + CRLF +
                    "Folder: " + folder + CRLF + "Reason: " + reason + "." + CRLF + CRLF + kTitle +
                    " keeps trying without asking again. Save the pattern to be sure of your work.",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgRecoveryFilesLeft(const std::string& folder, const std::vector<std::string>& names) {
    constexpr std::size_t kNamesShown = 10;
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) list += "    " + names[i] + CRLF;
    if (names.size() > kNamesShown) list += "    and " + std::to_string(names.size() - kNamesShown) + " more" + CRLF;
    return Show(std::string("These files in the recovery folder can not be recovered.") + CRLF +
                    "They were left as they are:" + CRLF + list + CRLF + "Folder: " + folder,
                MessageIcon::Information, MessageButtons::Ok, AnswerOk);
}

MessageAnswer Messages::MsgDiscardRecovery(const std::string& patternName) {
    return Show("Discard the unsaved changes to the pattern \"" + patternName + "\"?" + CRLF + CRLF +
                    "They can not be recovered afterwards.",
                MessageIcon::Question, MessageButtons::YesNo, AnswerNo);
}

MessageAnswer Messages::MsgRecoveryNotDiscarded(const std::string& fileName, const std::string& reason) {
    return Show(std::string("The unsaved changes could not be discarded.") + CRLF + "File: " + fileName + CRLF +
                    "Reason: " + reason + ".",
                MessageIcon::Exclamation, MessageButtons::Ok, AnswerOk);
}

}  // namespace tessary
