#include "ui/platform/QtCommandDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>

#include "ui/platform/QtColour.h"

namespace tessary {

namespace {

const QString kPatternFilter = QStringLiteral("Pattern File (*.pat)");

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

// A folder that no longer exists leaves the dialog to start elsewhere.
QString StartFolder(const std::string& folder) {
    const QString path = QString::fromStdString(folder);
    return QFileInfo(path).isDir() ? path : QDir::homePath();
}

}  // namespace

std::optional<std::string> QtCommandDialogs::AskSavePatternPath(const std::string& folder, const std::string& current) {
    QString start = StartFolder(folder);
    if (!current.empty()) start = QString::fromStdString(current);
    QString path = QFileDialog::getSaveFileName(parent_, QStringLiteral("Save Pattern File As"), start, kPatternFilter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pat");
    return Chosen(path);
}

std::optional<std::string> QtCommandDialogs::AskOpenPatternPath(const std::string& folder) {
    return Chosen(
        QFileDialog::getOpenFileName(parent_, QStringLiteral("Open Pattern File"), StartFolder(folder), kPatternFilter));
}

namespace {

// Every kind of picture the image plugins present can read.
QString PictureFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    }
    patterns.removeDuplicates();
    return QStringLiteral("Picture File (%1);;All Files (*)").arg(patterns.join(QLatin1Char(' ')));
}

}  // namespace

std::optional<std::string> QtCommandDialogs::AskPicturePath(const std::string& folder) {
    return Chosen(QFileDialog::getOpenFileName(parent_, QStringLiteral("Open Picture File"), StartFolder(folder),
                                               PictureFilter()));
}

namespace {

// A name typed without an extension gets the one of the filter's files.
std::optional<std::string> SavePath(QWidget* parent, const QString& title, const QString& start, const QString& filter,
                                    const QString& suffix) {
    QString path = QFileDialog::getSaveFileName(parent, title, start, filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + suffix;
    return Chosen(path);
}

}  // namespace

std::optional<std::string> QtCommandDialogs::AskBitmapPath(const std::string& folder) {
    return SavePath(parent_, QStringLiteral("Save Pattern Bitmap File As"), StartFolder(folder),
                    QStringLiteral("Bitmap File (*.bmp)"), QStringLiteral("bmp"));
}

std::optional<std::string> QtCommandDialogs::AskDrawingPath(const std::string& folder, DrawingFile kind) {
    struct Dialog {
        const char* title;
        const char* filter;
        const char* suffix;
    };
    static const Dialog dialogs[] = {
        {"Export Pattern As SVG Drawing", "SVG Drawing (*.svg)", "svg"},
        {"Export Pattern As DXF Drawing", "DXF Drawing (*.dxf)", "dxf"},
        {"Export Pattern As PDF Page", "PDF File (*.pdf)", "pdf"},
        {"Export Pattern As PNG Picture", "PNG Picture (*.png)", "png"},
    };
    const Dialog& d = dialogs[static_cast<int>(kind)];
    return SavePath(parent_, QString::fromLatin1(d.title), StartFolder(folder), QString::fromLatin1(d.filter),
                    QString::fromLatin1(d.suffix));
}

std::optional<int> QtCommandDialogs::AskDotsPerInch(int initial, int most) {
    bool ok = false;
    const int dpi = QInputDialog::getInt(parent_, QStringLiteral("Export Pattern As PNG Picture"),
                                         QStringLiteral("Dots per inch:"), initial, 1, most, 1, &ok);
    if (!ok) return std::nullopt;
    return dpi;
}

std::optional<std::string> QtCommandDialogs::AskPdfPath(const std::string& folder, const std::string& name) {
    const QString start = QDir(StartFolder(folder)).filePath(QString::fromStdString(name));
    return SavePath(parent_, QStringLiteral("Print to PDF File"), start, QStringLiteral("PDF File (*.pdf)"),
                    QStringLiteral("pdf"));
}

QWidget* QtCommandDialogs::Owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : parent_.data();
}

std::optional<std::string> QtCommandDialogs::AskFolder(const std::string& title, const std::string& folder) {
    return Chosen(QFileDialog::getExistingDirectory(Owner(), QString::fromStdString(title), StartFolder(folder)));
}

std::optional<std::uint32_t> QtCommandDialogs::AskColour(std::uint32_t initial) {
    const QColor chosen = QColorDialog::getColor(ColourOf(initial), Owner());
    if (!chosen.isValid()) return std::nullopt;
    return RgbOf(chosen);
}

}  // namespace tessary
