#include "core/shell/FileCommands.h"

#include <filesystem>

#include "core/files/BitmapExport.h"
#include "core/platform/CommandDialogs.h"
#include "core/platform/PictureLayers.h"
#include "core/engine/Workspace.h"

namespace tessary {

namespace fs = std::filesystem;

namespace {

// The picture's length in bytes; 0 when it cannot be found or read.
std::uintmax_t PictureLength(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t length = fs::file_size(path, ec);
    return ec ? 0 : length;
}

}  // namespace

FileCommands::FileCommands(Workspace& ws, CommandDialogs& dialogs, PictureLayers& pictures)
    : recent(ws.session.settings), ws_(ws), dialogs_(dialogs), pictures_(pictures) {}

void FileCommands::ForgetPicture() {
    pictures_.Clear();
    ws_.session.file.document.picturePath.clear();
    ws_.session.file.document.pictureLost.clear();
    ws_.surface.PictureLoaded = false;
}

void FileCommands::NewPattern(bool withPicture, const std::string& pictureFile, bool askIfLarge) {
    Session& s = ws_.session;
    ws_.ResetWorkspace();
    // A new pattern starts from nothing of the one before: no file, no picture.
    s.file.document.patternPath.clear();
    ForgetPicture();
    RestoreOptions(s.options, s.settings);
    s.progress.SetDisplay(true);

    const bool picture = withPicture && PictureForNewPattern(pictureFile, askIfLarge);
    ws_.modes.SetNoPicture(!picture);
    s.options.AspectLocked = picture;
    dialogs_.ShowPatternSetup(true);
    if (s.options.SetupCancelled) {
        ForgetPicture();
        return;
    }
    if (!picture) ws_.PrepareBlankSurface();
    ws_.zoom.ZoomView(ZoomNormal);
    EnterOpenPattern(kNewCaption);
}

void FileCommands::EnterOpenPattern(const std::string& caption) {
    ws_.modes.SetAppState(AppPatternOpen);
    ws_.surface.Caption = caption;
    ws_.surface.Enabled = true;
    ws_.StartWorkspace(true);
    ws_.store.SetPatternChanged(false);
    // What was loaded is where the history starts.
    ws_.history.Clear();
    patternOpen_ = true;
}

bool FileCommands::PictureForNewPattern(const std::string& picture, bool askIfLarge) {
    WorkSurface& surface = ws_.surface;
    surface.PictureStretch = false;
    if (!(picture.empty() ? OpenPictureFile() : LoadPictureFile(picture, askIfLarge))) {
        surface.PictureStretch = true;
        return false;
    }
    SizeLayersToPicture();
    return true;
}

// The layers at the picture's own size, which becomes the pattern's.
void FileCommands::SizeLayersToPicture() {
    WorkSurface& surface = ws_.surface;
    const PictureSize natural = pictures_.NaturalSize();
    const Rect layer{0, 0, natural.widthTwips, natural.heightTwips};
    surface.PictureFrame = {layer, layer};
    surface.PictureStretch = true;
    surface.Pattern = layer;
    ws_.reference.SetPatternWidth(layer.Width);
    ws_.reference.SetPatternHeight(layer.Height);
    PatternOptions& o = ws_.session.options;
    const float unit = o.MetricPage ? 1440 / 2.54f : 1440;
    o.DimensionWidth = layer.Width / unit;
    o.DimensionHeight = layer.Height / unit;
}

bool FileCommands::OpenPictureFile() {
    const auto path = dialogs_.AskPicturePath(ws_.session.display.GetFolder(DisplaySetup::PictureFolder));
    return path && LoadPictureFile(*path);
}

bool FileCommands::LoadPictureFile(const std::string& path, bool askIfLarge) {
    Session& s = ws_.session;
    const std::uintmax_t length = PictureLength(path);
    if (askIfLarge && length > kLargePicture && s.messages.MsgLargePicture() != AnswerYes) return false;
    if (length == 0) {
        s.messages.MsgPictureNotOpened(path);
        return false;
    }
    s.progress.ProgressStart(1, 2, "Loading Picture File - Please wait...", true);
    const bool loaded = LoadPictureLayers(path);
    s.progress.ProgressEnd();
    if (!loaded) {
        s.messages.MsgPictureNotOpened(path);
        return false;
    }
    s.file.document.picturePath = path;
    return true;
}

bool FileCommands::LoadPictureLayers(const std::string& path) {
    Progress& progress = ws_.session.progress;
    // Without a progress window nothing can be cancelled.
    const auto goOn = [&progress] { return progress.ProgressStep(1) || !progress.Display(); };
    bool loaded = pictures_.Decode(path, 0) && goOn();
    loaded = loaded && pictures_.Decode(path, 1) && goOn();
    if (!loaded) pictures_.Clear();
    ws_.surface.PictureLoaded = loaded;
    return loaded;
}

void FileCommands::ShowEmbeddedPicture() {
    PatternDocument& d = ws_.session.file.document;
    const bool shown = pictures_.Decode(d.tempPicturePath, 0) && pictures_.Decode(d.tempPicturePath, 1);
    if (!shown) {
        // The bytes stay with the pattern and are saved again; only the
        // view lacks them.
        pictures_.Clear();
        ws_.session.messages.MsgPictureNotLoaded();
    }
    ws_.surface.PictureLoaded = shown;
    d.picturePath = d.tempPicturePath;
}

void FileCommands::ShowPatternPicture() {
    WorkSurface& surface = ws_.surface;
    const PatternOptions& o = ws_.session.options;
    surface.Pattern.Left = 0;
    surface.Pattern.Top = 0;
    pictures_.Clear();
    surface.PictureLoaded = false;
    if (ws_.session.file.document.hasEmbeddedPicture) ShowEmbeddedPicture();
    const Rect layer{0, 0, o.WidthTwips, o.HeightTwips};
    surface.PictureFrame = {layer, layer};
    surface.PictureStretch = true;
}

void FileCommands::DeleteTemporaryPicture() {
    const std::string& temp = ws_.session.file.document.tempPicturePath;
    std::error_code ec;
    if (!temp.empty()) fs::remove(temp, ec);
}

void FileCommands::OpenPatternCommand(const std::string& fileName) {
    Session& s = ws_.session;
    ws_.ResetWorkspace();
    ForgetPicture();
    s.progress.SetDisplay(true);
    std::string path = fileName;
    if (path.empty()) {
        const auto chosen = dialogs_.AskOpenPatternPath(s.display.GetFolder(DisplaySetup::PatternFolder));
        if (chosen) path = *chosen;
    }
    if (path.empty() || !s.file.OpenPattern(path)) {
        // Nothing of a file that could not be read stays behind.
        s.progress.SetDisplay(false);
        ws_.ResetWorkspace();
        return;
    }
    ws_.modes.SetNoPicture(!s.file.document.hasEmbeddedPicture);
    s.options.AspectLocked = true;
    ShowPatternPicture();
    EnterOpenPattern(s.file.PatternFileTitle());
    recent.Add(s.file.document.patternPath);
}

bool FileCommands::OpenCommand(const std::string& fileName) {
    Session& s = ws_.session;
    std::string path = fileName;
    if (path.empty()) {
        const auto chosen = dialogs_.AskOpenPatternPath(s.display.GetFolder(DisplaySetup::PatternFolder));
        if (!chosen || chosen->empty()) return false;
        path = *chosen;
    }
    if (patternOpen_ && !ClosePattern()) return false;
    OpenPatternCommand(path);
    if (!patternOpen_) recent.Remove(path);
    return patternOpen_;
}

bool FileCommands::ClosePattern() {
    Session& s = ws_.session;
    if (s.store.PatternChanged() && !AskSaveChanges()) return false;
    ws_.ResetWorkspace();
    s.progress.SetDisplay(false);
    ws_.modes.SetAppState(AppNoPattern);
    DeleteTemporaryPicture();
    ForgetPicture();
    s.file.document.patternPath.clear();
    ws_.surface.Caption.clear();
    patternOpen_ = false;
    return true;
}

bool FileCommands::SavePatternCommand(bool saveAs) {
    Session& s = ws_.session;
    ws_.BeginBusy(true);
    ws_.zoom.ZoomView(ZoomNormal);
    std::optional<std::string> path = s.file.document.patternPath;
    if (saveAs || ws_.surface.Caption == kNewCaption || path->empty()) {
        path = dialogs_.AskSavePatternPath(s.display.GetFolder(DisplaySetup::PatternFolder), *path);
    }
    const bool written = path && s.file.SavePattern(*path, false);
    ws_.zoom.ZoomView(ZoomFit);
    if (written) {
        ws_.surface.Caption = s.file.PatternFileTitle();
        s.store.SetPatternChanged(false);
        ws_.history.MarkClean();
        recent.Add(s.file.document.patternPath);
        s.messages.Notice("Saved " + std::filesystem::path(*path).filename().string());
    }
    ws_.EndBusy(true);
    return written;
}

bool FileCommands::AskSaveChanges() {
    switch (ws_.session.messages.MsgSavePattern()) {
        case AnswerYes: return SavePatternCommand(false);
        case AnswerNo: return true;
        default: return false;
    }
}

void FileCommands::ExportWithoutPicture() {
    Session& s = ws_.session;
    ws_.BeginBusy(true);
    ws_.zoom.ZoomView(ZoomNormal);
    // The copy goes elsewhere: the open pattern keeps its own file.
    const std::string own = s.file.document.patternPath;
    const auto path = dialogs_.AskSavePatternPath(s.display.GetFolder(DisplaySetup::PatternFolder), own);
    if (path) s.file.SavePattern(*path, true);
    s.file.document.patternPath = own;
    ws_.zoom.ZoomView(ZoomFit);
    ws_.EndBusy(true);
}

bool FileCommands::ExportAtNormalSize(const std::function<std::optional<std::string>()>& ask,
                                      const std::function<bool(const std::string& path)>& write) {
    ws_.BeginBusy(true);
    ws_.zoom.ZoomView(ZoomNormal);
    const auto path = ask();
    const bool written = path && write(*path);
    ws_.zoom.ZoomView(ZoomFit);
    ws_.EndBusy(true);
    return written;
}

bool FileCommands::ExportBitmapCommand(RasterSurface& surface) {
    Session& s = ws_.session;
    return ExportAtNormalSize([&] { return dialogs_.AskBitmapPath(s.display.GetFolder(DisplaySetup::PatternFolder)); },
                              [&](const std::string& path) {
                                  BitmapExport bitmap(s.store, s.progress, surface);
                                  return bitmap.ExportBitmap(s.options, ws_.surface.Pattern.Width,
                                                             ws_.surface.Pattern.Height, path,
                                                             s.file.document.patternPath, s.messages);
                              });
}

bool FileCommands::ExportDrawingCommand(DrawingFile kind, const std::function<bool(const std::string& path)>& write) {
    const std::string folder = ws_.session.display.GetFolder(DisplaySetup::PatternFolder);
    return ExportAtNormalSize([&] { return dialogs_.AskDrawingPath(folder, kind); }, write);
}

bool FileCommands::ExportPngCommand(const std::function<bool(const std::string& path, int dpi)>& write) {
    const std::string folder = ws_.session.display.GetFolder(DisplaySetup::PatternFolder);
    const auto ask = [&]() -> std::optional<std::string> {
        const std::optional<int> dpi = dialogs_.AskDotsPerInch(pngDpi_, kMaxPngDpi);
        if (!dpi) return std::nullopt;
        pngDpi_ = *dpi;
        return dialogs_.AskDrawingPath(folder, DrawingFile::Png);
    };
    return ExportAtNormalSize(ask, [&](const std::string& path) { return write(path, pngDpi_); });
}

bool FileCommands::ExportVectorCommand(VectorFormat format) {
    Session& s = ws_.session;
    return ExportDrawingCommand(format == VectorFormat::Svg ? DrawingFile::Svg : DrawingFile::Dxf,
                                [&](const std::string& path) {
                                    return ExportVector(format, s.file.Snapshot(), PageUnit(s.options), path,
                                                        s.file.document.patternPath, s.messages);
                                });
}

void FileCommands::ClearPatternCommand() {
    if (ws_.session.messages.MsgClearPattern() != AnswerYes) return;
    ws_.selection.ClearSelection();
    ws_.arcTool.EndArc(false);
    ws_.store.ClearPattern();
    ws_.bands.Clear();
    ws_.draw.EndLineSeries();
}

void FileCommands::ChangePictureCommand() {
    WorkSurface& surface = ws_.surface;
    surface.Enabled = false;
    const auto path = dialogs_.AskPicturePath(ws_.session.display.GetFolder(DisplaySetup::PictureFolder));
    if (path) ChangePicture(*path);
    surface.Enabled = true;
}

bool FileCommands::ChangePicture(const std::string& path, bool askIfLarge) {
    Session& s = ws_.session;
    WorkSurface& surface = ws_.surface;
    const std::string previous = s.file.document.picturePath;
    const bool hadPicture = surface.PictureLoaded;
    surface.PictureStretch = false;
    const bool loaded = LoadPictureFile(path, askIfLarge);
    surface.PictureStretch = true;
    if (!loaded) {
        // A picture that failed to decode took the old one from the layers.
        if (hadPicture && !surface.PictureLoaded) LoadPictureLayers(previous);
        return false;
    }
    s.file.document.pictureLost.clear();
    SizeLayersToPicture();
    ws_.modes.SetNoPicture(false);
    // The layer is at the picture's own size, the reference copy's scale.
    ws_.reference.UpdateScale(surface.PictureFrame[0].Height);
    ws_.alignment.FitPatternToPicture();
    s.options.RecomputeTwips();
    s.options.AspectLocked = true;
    // Accepted or not, the pattern goes on to its new picture.
    dialogs_.ShowPatternSetup(true);
    ws_.store.SetPatternChanged(true);
    ws_.zoom.ZoomView(ZoomFit);
    // A new picture starts a new history: the old one is gone from the layers.
    ws_.history.Clear();
    ws_.AlignPatternCommand();
    return true;
}

void FileCommands::PatternSetupCommand() {
    dialogs_.ShowPatternSetup(false);
    // The options travel in the pattern file: accepting them is a change.
    if (patternOpen_ && !ws_.session.options.SetupCancelled) ws_.store.SetPatternChanged(true);
}

void FileCommands::OpenFromCommandLine(const std::string& text) {
    std::string name = text;
    while (!name.empty() && name.front() == '"') name.erase(name.begin());
    while (!name.empty() && name.back() == '"') name.pop_back();
    std::error_code ec;
    if (name.empty() || !fs::exists(name, ec)) return;
    // A later start hands its file to this copy, which may have one open.
    if (patternOpen_ && !ClosePattern()) return;
    OpenPatternCommand(name);
}

bool FileCommands::MayExit() { return !patternOpen_ || ClosePattern(); }

}  // namespace tessary
